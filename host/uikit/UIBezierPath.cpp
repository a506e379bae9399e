#include "uikit/UIBezierPath.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CGContext.h"
#include "uikit/UIGraphics.h"

namespace host {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

CGPoint onCircle(CGPoint center, CGFloat radius, CGFloat angle) {
  return {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
}

}  // namespace

HOST_CLASS(UIBezierPath, Object)

UIBezierPath::UIBezierPath(Class* cls) : Object(cls) {}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPath() {
  return std::make_shared<UIBezierPath>();
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRect(CGRect rect) {
  auto path = bezierPath();
  const CGRect r = rect.standardized();
  path->moveToPoint({r.minX(), r.minY()});
  path->addLineToPoint({r.maxX(), r.minY()});
  path->addLineToPoint({r.maxX(), r.maxY()});
  path->addLineToPoint({r.minX(), r.maxY()});
  path->closePath();
  return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(CGRect rect,
                                                                      CGFloat cornerRadius) {
  const CGRect r = rect.standardized();
  const CGFloat radius = std::clamp<CGFloat>(cornerRadius, 0, std::min(r.width(), r.height()) / 2);
  if (!(radius > 0)) return bezierPathWithRect(r);
  constexpr double pi = std::numbers::pi;
  auto path = bezierPath();
  path->moveToPoint({r.minX() + radius, r.minY()});
  path->addArcWithCenter({r.maxX() - radius, r.minY() + radius}, radius, -pi / 2, 0, true);
  path->addArcWithCenter({r.maxX() - radius, r.maxY() - radius}, radius, 0, pi / 2, true);
  path->addArcWithCenter({r.minX() + radius, r.maxY() - radius}, radius, pi / 2, pi, true);
  path->addArcWithCenter({r.minX() + radius, r.minY() + radius}, radius, pi, 3 * pi / 2, true);
  path->closePath();
  return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(CGRect rect) {
  const CGRect r = rect.standardized();
  auto path = bezierPath();
  path->addArcWithCenter({0, 0}, 1, 0, kTurn, true);
  path->closePath();
  path->applyTransform(CGAffineTransform::makeTranslation(r.midX(), r.midY())
                           .scaledBy(r.width() / 2, r.height() / 2));
  return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithArcCenter(CGPoint center, CGFloat radius,
                                                                    CGFloat startAngle,
                                                                    CGFloat endAngle,
                                                                    bool clockwise) {
  auto path = bezierPath();
  path->addArcWithCenter(center, radius, startAngle, endAngle, clockwise);
  return path;
}

void UIBezierPath::moveToPoint(CGPoint point) {
  elements_.push_back({Element::Type::MoveTo, {point}});
  current_ = subpathStart_ = point;
  hasCurrentPoint_ = true;
}

void UIBezierPath::addLineToPoint(CGPoint point) {
  if (!hasCurrentPoint_) return;
  elements_.push_back({Element::Type::LineTo, {point}});
  current_ = point;
}

void UIBezierPath::addCurveToPoint(CGPoint end, CGPoint controlPoint1, CGPoint controlPoint2) {
  if (!hasCurrentPoint_) return;
  elements_.push_back({Element::Type::CurveTo, {controlPoint1, controlPoint2, end}});
  current_ = end;
}

void UIBezierPath::addQuadCurveToPoint(CGPoint end, CGPoint control) {
  if (!hasCurrentPoint_) return;
  // The cubic with control points two thirds of the way towards the quadratic's.
  const CGPoint start = current_;
  addCurveToPoint(
      end, {start.x + 2.0 / 3 * (control.x - start.x), start.y + 2.0 / 3 * (control.y - start.y)},
      {end.x + 2.0 / 3 * (control.x - end.x), end.y + 2.0 / 3 * (control.y - end.y)});
}

void UIBezierPath::addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle,
                                    CGFloat endAngle, bool clockwise) {
  if (!std::isfinite(startAngle) || !std::isfinite(endAngle) || !std::isfinite(radius)) return;
  // The sweep, positive for clockwise: at most a full turn, the difference taken modulo a turn.
  double sweep = endAngle - startAngle;
  if (clockwise) {
    sweep = sweep >= kTurn ? kTurn : (sweep < 0 ? std::fmod(sweep, kTurn) + kTurn : sweep);
    if (sweep >= kTurn && endAngle - startAngle < kTurn) sweep = 0;  // fmod landed on a turn
  } else {
    sweep = sweep <= -kTurn ? -kTurn : (sweep > 0 ? std::fmod(sweep, kTurn) - kTurn : sweep);
    if (sweep <= -kTurn && endAngle - startAngle > -kTurn) sweep = 0;
  }
  const CGPoint start = onCircle(center, radius, startAngle);
  if (hasCurrentPoint_) {
    addLineToPoint(start);
  } else {
    moveToPoint(start);
  }
  // Quarter turns at most per curve; handle length 4/3 tan(θ/4) of the radius.
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (kTurn / 4) - 1e-9)));
  const double step = sweep / pieces;
  const double handle = 4.0 / 3 * std::tan(step / 4) * radius;
  double angle = startAngle;
  for (int i = 0; i < pieces && sweep != 0; ++i) {
    const double next = angle + step;
    const CGPoint from = onCircle(center, radius, angle);
    const CGPoint to = onCircle(center, radius, next);
    addCurveToPoint(to, {from.x - handle * std::sin(angle), from.y + handle * std::cos(angle)},
                    {to.x + handle * std::sin(next), to.y - handle * std::cos(next)});
    angle = next;
  }
}

void UIBezierPath::closePath() {
  if (!hasCurrentPoint_) return;
  elements_.push_back({Element::Type::Close, {}});
  current_ = subpathStart_;
}

void UIBezierPath::removeAllPoints() {
  elements_.clear();
  current_ = subpathStart_ = {};
  hasCurrentPoint_ = false;
}

void UIBezierPath::appendPath(const UIBezierPath& other) {
  const std::vector<Element> added = other.elements_;  // `other` may be this path
  elements_.insert(elements_.end(), added.begin(), added.end());
  if (other.hasCurrentPoint_) {
    current_ = other.current_;
    subpathStart_ = other.subpathStart_;
    hasCurrentPoint_ = true;
  }
}

void UIBezierPath::applyTransform(const CGAffineTransform& transform) {
  for (Element& element : elements_) {
    for (CGPoint& point : element.points)
      point = transform.applyToPoint(point);
  }
  current_ = transform.applyToPoint(current_);
  subpathStart_ = transform.applyToPoint(subpathStart_);
}

CGRect UIBezierPath::bounds() const {
  bool any = false;
  CGFloat minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (const Element& element : elements_) {
    const int count = element.type == Element::Type::CurveTo ? 3
                      : element.type == Element::Type::Close ? 0
                                                             : 1;
    for (int i = 0; i < count; ++i) {
      const CGPoint p = element.points[i];
      minX = any ? std::min(minX, p.x) : p.x;
      minY = any ? std::min(minY, p.y) : p.y;
      maxX = any ? std::max(maxX, p.x) : p.x;
      maxY = any ? std::max(maxY, p.y) : p.y;
      any = true;
    }
  }
  if (!any) return CGRectNull;
  return {{minX, minY}, {maxX - minX, maxY - minY}};
}

bool UIBezierPath::containsPoint(CGPoint point) const {
  if (elements_.empty()) return false;
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  appendTo(cr);
  cairo_set_fill_rule(cr, evenOdd_ ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  const bool inside = cairo_in_fill(cr, point.x, point.y);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return inside;
}

void UIBezierPath::fill() const {
  auto context = UIGraphicsGetCurrentContext();
  if (!context) return;
  context->saveGState();
  context->beginPath();
  context->addPath(*this);
  if (evenOdd_) {
    context->eoFillPath();
  } else {
    context->fillPath();
  }
  context->restoreGState();
}

void UIBezierPath::stroke() const {
  auto context = UIGraphicsGetCurrentContext();
  if (!context) return;
  context->saveGState();
  context->setLineWidth(lineWidth_);
  context->beginPath();
  context->addPath(*this);
  context->strokePath();
  context->restoreGState();
}

void UIBezierPath::appendTo(cairo_t* cr) const {
  for (const Element& element : elements_) {
    const CGPoint* p = element.points;
    switch (element.type) {
      case Element::Type::MoveTo:
        cairo_move_to(cr, p[0].x, p[0].y);
        break;
      case Element::Type::LineTo:
        cairo_line_to(cr, p[0].x, p[0].y);
        break;
      case Element::Type::CurveTo:
        cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
        break;
      case Element::Type::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

}  // namespace host
