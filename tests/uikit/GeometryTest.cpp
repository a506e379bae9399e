#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "runtime/Runtime.h"
#include "uikit/CGGeometry.h"
#include "uikit/NSIndexPath.h"
#include "uikit/TimingCurve.h"

namespace host {
namespace {

constexpr double kEps = 1e-9;

void expectRectNear(const CGRect& actual, const CGRect& expected, double eps = kEps) {
  EXPECT_NEAR(actual.origin.x, expected.origin.x, eps) << NSStringFromCGRect(actual);
  EXPECT_NEAR(actual.origin.y, expected.origin.y, eps) << NSStringFromCGRect(actual);
  EXPECT_NEAR(actual.size.width, expected.size.width, eps) << NSStringFromCGRect(actual);
  EXPECT_NEAR(actual.size.height, expected.size.height, eps) << NSStringFromCGRect(actual);
}

TEST(Geometry, RectanglesWithNegativeSizesAndNullResults) {
  const CGRect flipped = CGRectMake(10, 10, -4, -6);
  EXPECT_EQ(flipped.standardized(), CGRectMake(6, 4, 4, 6));
  EXPECT_EQ(flipped.minX(), 6);
  EXPECT_EQ(flipped.maxY(), 10);
  EXPECT_EQ(flipped.midX(), 8);
  EXPECT_TRUE(flipped.containsPoint({6, 4}));
  EXPECT_FALSE(flipped.containsPoint({10, 5}));  // the max edge is outside

  // Disjoint rectangles meet in the null rectangle, which a union ignores.
  const CGRect a = CGRectMake(0, 0, 10, 10);
  const CGRect far = CGRectMake(20, 20, 5, 5);
  EXPECT_TRUE(a.intersection(far).isNull());
  EXPECT_TRUE(a.intersection(far).isEmpty());
  EXPECT_FALSE(a.intersects(far));
  EXPECT_EQ(CGRectNull.unionWith(far), far);
  EXPECT_EQ(a.unionWith(far), CGRectMake(0, 0, 25, 25));
  // Touching along an edge is no intersection.
  EXPECT_FALSE(a.intersects(CGRectMake(10, 0, 5, 5)));
  EXPECT_EQ(a.intersection(CGRectMake(5, -5, 10, 10)), CGRectMake(5, 0, 5, 5));
  EXPECT_TRUE(a.containsRect(CGRectMake(2, 2, 8, 8)));
  EXPECT_FALSE(a.containsRect(CGRectMake(2, 2, 9, 8)));

  EXPECT_EQ(a.insetBy(2, 3), CGRectMake(2, 3, 6, 4));
  EXPECT_TRUE(a.insetBy(6, 0).isNull());  // insets larger than the rectangle
  EXPECT_EQ(a.insetBy(-1, -1), CGRectMake(-1, -1, 12, 12));
  EXPECT_TRUE(CGRectMake(3, 3, 0, 5).isEmpty());
  EXPECT_FALSE(CGRectNull.containsPoint({0, 0}));
}

TEST(Geometry, TransformsInvertAndBoundRectangles) {
  // CGAffineTransformScale applies the scale before the existing transform.
  const CGAffineTransform moved = CGAffineTransform::makeTranslation(10, 0).scaledBy(2, 2);
  EXPECT_EQ(moved.applyToPoint({1, 1}), (CGPoint{12, 2}));
  const CGAffineTransform scaledThenMoved = CGAffineTransform::concat(
      CGAffineTransform::makeScale(2, 2), CGAffineTransform::makeTranslation(10, 0));
  EXPECT_EQ(scaledThenMoved, moved);

  const CGAffineTransform t =
      CGAffineTransform::makeRotation(0.7).scaledBy(3, 0.5).translatedBy(4, -2);
  const CGPoint p{3.5, -7};
  const CGPoint back = t.inverted().applyToPoint(t.applyToPoint(p));
  EXPECT_NEAR(back.x, p.x, kEps);
  EXPECT_NEAR(back.y, p.y, kEps);
  const CGAffineTransform none = CGAffineTransform::concat(t, t.inverted());
  for (double value : {none.a - 1, none.b, none.c, none.d - 1, none.tx, none.ty})
    EXPECT_NEAR(value, 0, kEps);

  // A singular transform has no inverse and answers itself.
  const CGAffineTransform flat = CGAffineTransform::makeScale(0, 2);
  EXPECT_FALSE(flat.isInvertible());
  EXPECT_EQ(flat.inverted(), flat);

  // The bounding box of a square turned by 45° about the origin.
  const CGRect box =
      CGAffineTransform::makeRotation(std::numbers::pi / 4).applyToRect(CGRectMake(0, 0, 2, 2));
  expectRectNear(box, CGRectMake(-std::sqrt(2.0), 0, 2 * std::sqrt(2.0), 2 * std::sqrt(2.0)));
  EXPECT_TRUE(CGAffineTransform::makeScale(2, 2).applyToRect(CGRectNull).isNull());
}

TEST(Geometry, TimingCurvesAreMonotonicAndMirrored) {
  const TimingCurve easeIn = TimingCurve::easeIn();
  const TimingCurve easeOut = TimingCurve::easeOut();
  const TimingCurve easeInOut = TimingCurve::easeInOut();
  EXPECT_NEAR(easeInOut.valueAt(0.5), 0.5, 1e-6);
  EXPECT_NEAR(TimingCurve::linear().valueAt(0.3), 0.3, 1e-6);
  EXPECT_NEAR(easeIn.valueAt(0.5), 0.3153, 1e-3);  // the published value of CSS ease-in
  double last = 0;
  for (int i = 1; i <= 100; ++i) {
    const double t = i / 100.0;
    EXPECT_NEAR(easeOut.valueAt(t), 1 - easeIn.valueAt(1 - t), 1e-6);
    EXPECT_GE(easeInOut.valueAt(t), last);
    last = easeInOut.valueAt(t);
  }
  EXPECT_EQ(easeIn.valueAt(-1), 0);
  EXPECT_EQ(easeIn.valueAt(2), 1);
}

TEST(Geometry, GeometryPassesThroughTheRuntimeAndIndexPathsOrder) {
  Class* cls = Runtime::shared().defineClass("GeometryTestObject", Object::objcClass(),
                                             factoryFor<Object>());
  defineMethod<CGRect(CGRect, CGPoint)>(
      cls, "rect:movedBy:", [](Object*, CGRect r, CGPoint by) { return r.offsetBy(by.x, by.y); });
  EXPECT_EQ(cls->lookup("rect:movedBy:")->types(),
            "{CGRect={CGPoint=dd}{CGSize=dd}}@:{CGRect={CGPoint=dd}{CGSize=dd}}{CGPoint=dd}");
  Id object = cls->createInstance();
  EXPECT_EQ(msgSend<CGRect(CGRect, CGPoint)>(object, "rect:movedBy:", CGRectMake(1, 2, 3, 4),
                                             CGPoint{10, 10}),
            CGRectMake(11, 12, 3, 4));

  EXPECT_LT(NSIndexPath::indexPathForRow(9, 0), NSIndexPath::indexPathForRow(0, 1));
  EXPECT_LT(NSIndexPath::indexPathForRow(1, 2), NSIndexPath::indexPathForRow(2, 2));
  EXPECT_EQ(NSIndexPath::indexPathForRow(3, 1), (NSIndexPath{1, 3}));
}

}  // namespace
}  // namespace host
