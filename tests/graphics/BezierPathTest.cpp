#include <gtest/gtest.h>

#include <numbers>

#include "uikit/UIBezierPath.h"

using namespace host;

namespace {

void expectRectNear(const CGRect& actual, const CGRect& expected) {
  EXPECT_NEAR(actual.origin.x, expected.origin.x, 1e-9);
  EXPECT_NEAR(actual.origin.y, expected.origin.y, 1e-9);
  EXPECT_NEAR(actual.size.width, expected.size.width, 1e-9);
  EXPECT_NEAR(actual.size.height, expected.size.height, 1e-9);
}

}  // namespace

TEST(BezierPath, BoundsIncludeControlPoints) {
  EXPECT_TRUE(UIBezierPath::bezierPath()->bounds().isNull());
  expectRectNear(UIBezierPath::bezierPathWithRoundedRect({{10, 20}, {100, 50}}, 12)->bounds(),
                 {{10, 20}, {100, 50}});
  expectRectNear(
      UIBezierPath::bezierPathWithArcCenter({50, 50}, 10, 0, 2 * std::numbers::pi, true)->bounds(),
      {{40, 40}, {20, 20}});

  auto curve = UIBezierPath::bezierPath();
  curve->moveToPoint({0, 0});
  curve->addCurveToPoint({100, 0}, {0, 100}, {100, 100});
  expectRectNear(curve->bounds(), {{0, 0}, {100, 100}});
  curve->applyTransform(CGAffineTransform::makeTranslation(5, 5).scaledBy(2, 0.5));
  expectRectNear(curve->bounds(), {{5, 5}, {200, 50}});
  EXPECT_EQ(curve->currentPoint(), CGPointMake(205, 5));

  // Segments without a current point are ignored.
  auto orphan = UIBezierPath::bezierPath();
  orphan->addLineToPoint({10, 10});
  orphan->closePath();
  EXPECT_TRUE(orphan->isEmpty());
}

TEST(BezierPath, ContainsPointFollowsTheFilledArea) {
  auto rounded = UIBezierPath::bezierPathWithRoundedRect({{0, 0}, {100, 50}}, 20);
  EXPECT_TRUE(rounded->containsPoint({50, 25}));
  EXPECT_TRUE(rounded->containsPoint({20, 1}));
  EXPECT_FALSE(rounded->containsPoint({2, 2}));  // cut off by the corner
  EXPECT_FALSE(rounded->containsPoint({101, 25}));

  // An open triangle counts as closed; a counter-clockwise arc goes the other way round.
  auto triangle = UIBezierPath::bezierPath();
  triangle->moveToPoint({0, 0});
  triangle->addLineToPoint({100, 0});
  triangle->addLineToPoint({0, 100});
  EXPECT_TRUE(triangle->containsPoint({20, 20}));
  EXPECT_FALSE(triangle->containsPoint({80, 80}));
  auto lowerHalf = UIBezierPath::bezierPathWithArcCenter({0, 0}, 10, 0, std::numbers::pi, true);
  auto upperHalf = UIBezierPath::bezierPathWithArcCenter({0, 0}, 10, 0, std::numbers::pi, false);
  EXPECT_TRUE(lowerHalf->containsPoint({0, 5}));
  EXPECT_FALSE(lowerHalf->containsPoint({0, -5}));
  EXPECT_TRUE(upperHalf->containsPoint({0, -5}));

  // Quadratic curves bulge towards their control point.
  auto hump = UIBezierPath::bezierPath();
  hump->moveToPoint({0, 0});
  hump->addQuadCurveToPoint({100, 0}, {50, -100});
  EXPECT_TRUE(hump->containsPoint({50, -45}));
  EXPECT_FALSE(hump->containsPoint({50, -55}));
}
