#include "uikit/CGGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace host {

const CGRect CGRectNull{
    {std::numeric_limits<CGFloat>::infinity(), std::numeric_limits<CGFloat>::infinity()}, {0, 0}};

CGFloat CGRect::minX() const {
  return standardized().origin.x;
}
CGFloat CGRect::midX() const {
  return origin.x + size.width / 2;
}
CGFloat CGRect::maxX() const {
  return standardized().origin.x + width();
}
CGFloat CGRect::minY() const {
  return standardized().origin.y;
}
CGFloat CGRect::midY() const {
  return origin.y + size.height / 2;
}
CGFloat CGRect::maxY() const {
  return standardized().origin.y + height();
}
CGFloat CGRect::width() const {
  return std::abs(size.width);
}
CGFloat CGRect::height() const {
  return std::abs(size.height);
}

bool CGRect::isNull() const {
  return std::isinf(origin.x) || std::isinf(origin.y);
}

bool CGRect::isEmpty() const {
  return isNull() || size.width == 0 || size.height == 0;
}

CGRect CGRect::standardized() const {
  if (isNull()) return CGRectNull;
  CGRect out = *this;
  if (out.size.width < 0) {
    out.origin.x += out.size.width;
    out.size.width = -out.size.width;
  }
  if (out.size.height < 0) {
    out.origin.y += out.size.height;
    out.size.height = -out.size.height;
  }
  return out;
}

CGRect CGRect::insetBy(CGFloat dx, CGFloat dy) const {
  if (isNull()) return CGRectNull;
  CGRect out = standardized();
  out.origin.x += dx;
  out.origin.y += dy;
  out.size.width -= 2 * dx;
  out.size.height -= 2 * dy;
  if (out.size.width < 0 || out.size.height < 0) return CGRectNull;
  return out;
}

CGRect CGRect::offsetBy(CGFloat dx, CGFloat dy) const {
  if (isNull()) return CGRectNull;
  CGRect out = standardized();
  out.origin.x += dx;
  out.origin.y += dy;
  return out;
}

bool CGRect::containsPoint(const CGPoint& point) const {
  if (isNull()) return false;
  const CGRect r = standardized();
  return point.x >= r.origin.x && point.x < r.origin.x + r.size.width && point.y >= r.origin.y &&
         point.y < r.origin.y + r.size.height;
}

bool CGRect::containsRect(const CGRect& other) const {
  if (isNull() || other.isNull()) return false;
  return unionWith(other) == standardized();
}

bool CGRect::intersects(const CGRect& other) const {
  // Rectangles that only touch along an edge do not intersect.
  const CGRect overlap = intersection(other);
  return !overlap.isNull() && overlap.size.width > 0 && overlap.size.height > 0;
}

CGRect CGRect::intersection(const CGRect& other) const {
  if (isNull() || other.isNull()) return CGRectNull;
  const CGFloat x1 = std::max(minX(), other.minX());
  const CGFloat x2 = std::min(maxX(), other.maxX());
  const CGFloat y1 = std::max(minY(), other.minY());
  const CGFloat y2 = std::min(maxY(), other.maxY());
  if (x2 < x1 || y2 < y1) return CGRectNull;
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGRect CGRect::unionWith(const CGRect& other) const {
  if (isNull()) return other.standardized();
  if (other.isNull()) return standardized();
  const CGFloat x1 = std::min(minX(), other.minX());
  const CGFloat x2 = std::max(maxX(), other.maxX());
  const CGFloat y1 = std::min(minY(), other.minY());
  const CGFloat y2 = std::max(maxY(), other.maxY());
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGAffineTransform CGAffineTransform::makeScale(CGFloat sx, CGFloat sy) {
  return {sx, 0, 0, sy, 0, 0};
}

CGAffineTransform CGAffineTransform::makeRotation(CGFloat radians) {
  const CGFloat cosine = std::cos(radians);
  const CGFloat sine = std::sin(radians);
  return {cosine, sine, -sine, cosine, 0, 0};
}

CGAffineTransform CGAffineTransform::makeTranslation(CGFloat tx, CGFloat ty) {
  return {1, 0, 0, 1, tx, ty};
}

CGAffineTransform CGAffineTransform::concat(const CGAffineTransform& t1,
                                            const CGAffineTransform& t2) {
  return {t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
          t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
          t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

CGAffineTransform CGAffineTransform::scaledBy(CGFloat sx, CGFloat sy) const {
  return concat(makeScale(sx, sy), *this);
}

CGAffineTransform CGAffineTransform::rotatedBy(CGFloat radians) const {
  return concat(makeRotation(radians), *this);
}

CGAffineTransform CGAffineTransform::translatedBy(CGFloat dx, CGFloat dy) const {
  return concat(makeTranslation(dx, dy), *this);
}

bool CGAffineTransform::isInvertible() const {
  const CGFloat det = a * d - b * c;
  return det != 0 && std::isfinite(det);
}

CGAffineTransform CGAffineTransform::inverted() const {
  if (!isInvertible()) return *this;
  const CGFloat det = a * d - b * c;
  return {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det};
}

CGPoint CGAffineTransform::applyToPoint(const CGPoint& p) const {
  return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

CGSize CGAffineTransform::applyToSize(const CGSize& s) const {
  return {a * s.width + c * s.height, b * s.width + d * s.height};
}

CGRect CGAffineTransform::applyToRect(const CGRect& rect) const {
  if (rect.isNull()) return CGRectNull;
  const CGRect r = rect.standardized();
  const CGPoint corners[] = {applyToPoint({r.minX(), r.minY()}), applyToPoint({r.maxX(), r.minY()}),
                             applyToPoint({r.minX(), r.maxY()}),
                             applyToPoint({r.maxX(), r.maxY()})};
  CGFloat x1 = corners[0].x, x2 = corners[0].x, y1 = corners[0].y, y2 = corners[0].y;
  for (const CGPoint& p : corners) {
    x1 = std::min(x1, p.x);
    x2 = std::max(x2, p.x);
    y1 = std::min(y1, p.y);
    y2 = std::max(y2, p.y);
  }
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGRect UIEdgeInsets::insetRect(const CGRect& rect) const {
  const CGRect r = rect.standardized();
  return CGRectMake(r.origin.x + left, r.origin.y + top, r.size.width - left - right,
                    r.size.height - top - bottom);
}

std::string NSStringFromCGRect(const CGRect& rect) {
  std::ostringstream out;
  out << "{{" << rect.origin.x << ", " << rect.origin.y << "}, {" << rect.size.width << ", "
      << rect.size.height << "}}";
  return out.str();
}

}  // namespace host
