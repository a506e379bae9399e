#pragma once

#include <string>

#include "runtime/TypeEncoding.h"

namespace host {

// Core Graphics geometry: points, sizes, rectangles and affine transforms, in points, with
// double precision as on 64-bit devices.
using CGFloat = double;

struct CGPoint {
  CGFloat x = 0;
  CGFloat y = 0;
  bool operator==(const CGPoint&) const = default;
};

struct CGSize {
  CGFloat width = 0;
  CGFloat height = 0;
  bool operator==(const CGSize&) const = default;
};

// A rectangle. Sizes may be negative (the rectangle then extends left or up from its origin);
// every query works on the standardized form. The null rectangle (CGRectNull, the result of
// intersecting disjoint rectangles) has an infinite origin and is empty.
struct CGRect {
  CGPoint origin;
  CGSize size;

  CGFloat minX() const;
  CGFloat midX() const;
  CGFloat maxX() const;
  CGFloat minY() const;
  CGFloat midY() const;
  CGFloat maxY() const;
  CGFloat width() const;   // never negative
  CGFloat height() const;  // never negative

  bool isNull() const;
  bool isEmpty() const;  // null, or no area
  CGRect standardized() const;
  CGRect insetBy(CGFloat dx, CGFloat dy) const;  // null when insets exceed the size
  CGRect offsetBy(CGFloat dx, CGFloat dy) const;
  // Points on the min edges are inside, points on the max edges are not.
  bool containsPoint(const CGPoint& point) const;
  bool containsRect(const CGRect& other) const;
  bool intersects(const CGRect& other) const;
  CGRect intersection(const CGRect& other) const;  // CGRectNull when they do not meet
  CGRect unionWith(const CGRect& other) const;     // the null rectangle is ignored

  bool operator==(const CGRect&) const = default;
};

inline constexpr CGPoint CGPointZero{};
inline constexpr CGSize CGSizeZero{};
inline constexpr CGRect CGRectZero{};
extern const CGRect CGRectNull;

inline CGPoint CGPointMake(CGFloat x, CGFloat y) {
  return {x, y};
}
inline CGSize CGSizeMake(CGFloat width, CGFloat height) {
  return {width, height};
}
inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
  return {{x, y}, {width, height}};
}

// An affine transform mapping (x, y) to (a·x + c·y + tx, b·x + d·y + ty).
struct CGAffineTransform {
  CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static CGAffineTransform identity() { return {}; }
  static CGAffineTransform makeScale(CGFloat sx, CGFloat sy);
  static CGAffineTransform makeRotation(CGFloat radians);
  static CGAffineTransform makeTranslation(CGFloat tx, CGFloat ty);

  // `first` applied, then `second` (CGAffineTransformConcat).
  static CGAffineTransform concat(const CGAffineTransform& first, const CGAffineTransform& second);
  // The operation applied before this transform (CGAffineTransformScale and friends).
  CGAffineTransform scaledBy(CGFloat sx, CGFloat sy) const;
  CGAffineTransform rotatedBy(CGFloat radians) const;
  CGAffineTransform translatedBy(CGFloat tx, CGFloat ty) const;

  bool isIdentity() const { return *this == CGAffineTransform{}; }
  bool isInvertible() const;
  // The inverse; the transform itself when it has none, as Core Graphics answers.
  CGAffineTransform inverted() const;
  CGPoint applyToPoint(const CGPoint& point) const;
  CGSize applyToSize(const CGSize& size) const;  // the linear part only
  // The bounding box of the transformed rectangle.
  CGRect applyToRect(const CGRect& rect) const;

  bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity{};

struct UIEdgeInsets {
  CGFloat top = 0;
  CGFloat left = 0;
  CGFloat bottom = 0;
  CGFloat right = 0;

  CGRect insetRect(const CGRect& rect) const;
  bool operator==(const UIEdgeInsets&) const = default;
};

inline constexpr UIEdgeInsets UIEdgeInsetsZero{};
inline UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) {
  return {top, left, bottom, right};
}

std::string NSStringFromCGRect(const CGRect& rect);  // "{{x, y}, {w, h}}"

template <>
struct TypeEncoding<CGPoint> {
  static std::string value() { return "{CGPoint=dd}"; }
};
template <>
struct TypeEncoding<CGSize> {
  static std::string value() { return "{CGSize=dd}"; }
};
template <>
struct TypeEncoding<CGRect> {
  static std::string value() { return "{CGRect={CGPoint=dd}{CGSize=dd}}"; }
};
template <>
struct TypeEncoding<CGAffineTransform> {
  static std::string value() { return "{CGAffineTransform=dddddd}"; }
};
template <>
struct TypeEncoding<UIEdgeInsets> {
  static std::string value() { return "{UIEdgeInsets=dddd}"; }
};

}  // namespace host
