#include "panels/shapeSkyView.h"

#include <numbers>

#include "runtime/HostClass.h"
#include "uikit/CALayer.h"
#include "uikit/CGContext.h"
#include "uikit/NSShadow.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIColor.h"

namespace vorlan {

namespace {

// The balloon takes touches while it grows, so that a tap on it never falls through to the panel
// (which would close it) or to what lies behind.
constexpr auto kTouchable = host::UIViewAnimationOptionAllowUserInteraction;
// Space between the anchor's bottom edge and the balloon's top.
constexpr double kAnchorGap = 5;
// The band on the arrow's side of the balloon that holds the arrow, and the one opposite.
constexpr double kArrowBand = 22;
constexpr double kFarBand = 8;
constexpr double kSideInset = 5;

}  // namespace

HOST_CLASS(shapeSkyView, host::UIView)

shapeSkyView::shapeSkyView(host::Class* cls) : host::UIView(cls) {}

std::shared_ptr<shapeSkyView> shapeSkyView::make(const host::CGRect& frame) {
  auto shape = std::make_shared<shapeSkyView>();
  shape->initWithFrame(frame);
  return shape;
}

void shapeSkyView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  angle_ = 0;
  setBackgroundColor(host::UIColor::clearColor());
  setUserInteractionEnabled(true);
  auto container = std::make_shared<host::UIView>();
  container->setBackgroundColor(host::UIColor::clearColor());
  container->layer()->setMasksToBounds(true);
  container->layer()->setCornerRadius(15);
  setContainer(std::move(container));
}

void shapeSkyView::setContainer(std::shared_ptr<host::UIView> container) {
  if (container_ == container) return;
  if (container_) container_->removeFromSuperview();
  container_ = std::move(container);
  if (container_) addSubview(container_);
}

void shapeSkyView::placeTop(double centerX, double top, double scale) {
  setCenter({centerX, top + rectangle_.size.height * scale / 2});
}

void shapeSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  rectangle_ =
      host::CGRectMake(to.origin.x, from.origin.y + from.size.height + kAnchorGap + to.origin.y,
                       to.size.width, to.size.height);
  // Without a superview there is no bottom edge to pass: the balloon stays below its anchor.
  const auto panel = superview();
  const bool flipped =
      panel && rectangle_.origin.y + rectangle_.size.height > panel->frame().size.height;
  angle_ = flipped ? 180 : 0;
  if (flipped) rectangle_.origin.y -= rectangle_.size.height;

  // A balloon shown again mid-animation starts over from its plain size.
  setTransform(host::CGAffineTransformIdentity);
  setFrame(rectangle_);
  const double width = rectangle_.size.width;
  const double height = rectangle_.size.height;
  if (container_) {
    container_->setFrame(host::CGRectMake(kSideInset, flipped ? kFarBand : kArrowBand,
                                          width - 2 * kSideInset, height - kArrowBand - 6));
  }

  // Grows out of the arrow's tip: from 1 % to 110 %, then settles at full size.
  const double top = rectangle_.origin.y;
  const double centerX = rectangle_.origin.x + width / 2 + (flipped ? 1.5 : 0);
  setTransform(host::CGAffineTransform::makeScale(0.01, 0.01));
  placeTop(centerX, flipped ? top + 1.1 * height : top, 0.01);
  std::weak_ptr<shapeSkyView> weakSelf = std::static_pointer_cast<shapeSkyView>(shared_from_this());
  animateWithDuration(
      0.3, 0, host::UIViewAnimationOptionCurveEaseIn | kTouchable,
      [this, centerX, top, height, flipped] {
        setTransform(host::CGAffineTransform::makeScale(1.1, 1.1));
        placeTop(centerX, flipped ? top - 0.1 * height : top, 1.1);
      },
      [weakSelf, centerX, top](bool) {
        auto self = weakSelf.lock();
        if (!self) return;
        animateWithDuration(0.2, 0, host::UIViewAnimationOptionCurveEaseOut | kTouchable,
                            [&self, centerX, top] {
                              self->setTransform(host::CGAffineTransformIdentity);
                              self->placeTop(centerX, top, 1.0);
                            });
      });
  setNeedsDisplay();
}

void shapeSkyView::draw(host::CGContext& context, const host::CGRect&) {
  drawShapeWithFrame(context, bounds());
}

void shapeSkyView::drawShapeWithFrame(host::CGContext& context, const host::CGRect& frame) {
  const double minX = frame.minX();
  const double minY = frame.minY();
  const double maxX = frame.maxX();
  const double maxY = frame.maxY();
  const double w = frame.width();
  const double h = frame.height();

  context.saveGState();
  // A flipped balloon is the same outline turned half a turn about the frame's centre.
  if (angle_ > 0) {
    context.translateCTM(minX + w, minY + h);
    context.rotateCTM(angle_ * std::numbers::pi / 180);
  }
  const auto shadow =
      host::NSShadow::withOffset({0.1, 0.6}, 3, host::UIColor::colorWithWhite(0, 0.6));

  const auto at = [&](double fx, double fy) {
    return host::CGPointMake(minX + fx * w, minY + fy * h);
  };
  const auto pt = [](double x, double y) { return host::CGPointMake(x, y); };
  auto path = host::UIBezierPath::bezierPath();
  // The arrow's tip, then its right flank into the top edge.
  path->moveToPoint(at(0.5034, 0.01383));
  path->addCurveToPoint(at(0.55307, 0.06163), at(0.50972, 0.01382), at(0.52068, 0.05637));
  path->addCurveToPoint(at(0.55601, 0.0625), at(0.55498, 0.06194), at(0.55592, 0.06223));
  path->addCurveToPoint(pt(maxX - 19.03, minY + 0.0625 * h), at(0.55601, 0.0625),
                        pt(maxX - 28.06, minY + 0.06249 * h));
  // Top right corner, right side, bottom right corner.
  path->addCurveToPoint(pt(maxX - 5, minY + 0.13364 * h), pt(maxX - 10, minY + 0.06252 * h),
                        pt(maxX - 5, minY + 0.09355 * h));
  path->addCurveToPoint(pt(maxX - 5, maxY - 20), pt(maxX - 5, minY + 0.17373 * h),
                        pt(maxX - 5, maxY - 28.08));
  path->addCurveToPoint(pt(maxX - 19, maxY - 6), pt(maxX - 5, maxY - 11.92),
                        pt(maxX - 10, maxY - 6));
  // Bottom edge, bottom left corner, left side, top left corner.
  path->addCurveToPoint(pt(minX + 19, maxY - 6), pt(maxX - 19, maxY - 6), pt(minX + 27, maxY - 6));
  path->addCurveToPoint(pt(minX + 5, maxY - 20), pt(minX + 11, maxY - 6), pt(minX + 5, maxY - 12));
  path->addCurveToPoint(pt(minX + 5, minY + 0.13202 * h), pt(minX + 5, maxY - 28),
                        pt(minX + 5, minY + 0.17051 * h));
  path->addCurveToPoint(pt(minX + 19.03, minY + 0.0625 * h), pt(minX + 5, minY + 0.09353 * h),
                        pt(minX + 9, minY + 0.0625 * h));
  // Top edge up to the arrow, and its left flank back to the tip.
  path->addLineToPoint(at(0.45047, 0.0625));
  path->addCurveToPoint(at(0.45341, 0.06163), at(0.45056, 0.06223), at(0.4515, 0.06194));
  path->addCurveToPoint(at(0.50324, 0.01382), at(0.4858, 0.05637), at(0.49676, 0.01382));
  path->addLineToPoint(at(0.5034, 0.01383));
  path->closePath();

  context.saveGState();
  context.setShadowWithColor(shadow->shadowOffset(), shadow->shadowBlurRadius(),
                             shadow->shadowColor());
  context.setFillColor(*host::UIColor::whiteColor());
  context.beginPath();
  context.addPath(*path);
  context.fillPath();
  context.restoreGState();
  context.restoreGState();
}

}  // namespace vorlan
