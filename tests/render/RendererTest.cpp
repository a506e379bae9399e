#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "RenderSupport.h"
#include "uikit/CAGradientLayer.h"
#include "uikit/CALayer.h"
#include "uikit/CGContext.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIBlurEffect.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIScrollView.h"
#include "uikit/UIVisualEffectView.h"
#include "uikit/UIWindow.h"

namespace host {
namespace {

TEST_F(RenderTest, RoundedCornersBorderAndClippingToBounds) {
  auto card = add({10, 10, 80, 80}, red());
  card->layer()->setCornerRadius(20);
  card->layer()->setBorderWidth(4);
  card->layer()->setBorderColor(blue());
  add({-10, 40, 60, 60}, green(), card);

  EXPECT_PIXEL(at(11, 11), 0, 0, 0, 0);  // outside the rounded corner
  EXPECT_PIXEL(at(50, 30), 255, 0, 0);
  EXPECT_PIXEL(at(12, 30), 0, 0, 255);  // the border lies inside the bounds
  EXPECT_PIXEL(at(40, 70), 0, 255, 0);
  EXPECT_PIXEL(at(5, 70), 0, 255, 0);   // the child spills out...
  EXPECT_PIXEL(at(12, 70), 0, 0, 255);  // ...under the border

  card->setClipsToBounds(true);
  redraw();
  EXPECT_PIXEL(at(5, 70), 0, 0, 0, 0);
  EXPECT_PIXEL(at(40, 70), 0, 255, 0);
  EXPECT_PIXEL(at(14, 86), 0, 0, 0, 0);  // clipped by the rounded corner too
}

TEST_F(RenderTest, OpacityHiddenViewsOrderAndScrolledContent) {
  auto group = add({0, 0, 100, 40}, nullptr);
  group->setAlpha(0.5);
  add({0, 0, 60, 40}, red(), group);
  add({40, 0, 60, 40}, blue(), group);
  add({0, 0, 100, 40}, green())->setHidden(true);
  add({0, 0, 100, 40}, green())->setAlpha(0.005);
  // The group is drawn whole and then faded: no red shows through the blue.
  EXPECT_PIXEL(at(20, 20), 255, 0, 0, 128);
  EXPECT_PIXEL(at(50, 20), 0, 0, 255, 128);

  // A higher zPosition comes to the front whatever the order of the subviews.
  auto front = add({0, 50, 50, 10}, red());
  add({0, 50, 50, 10}, blue());
  front->layer()->setZPosition(1);
  // A scroll view's offset moves its content.
  auto scroll = add<UIScrollView>({0, 60, 100, 40}, nullptr);
  scroll->setContentSize({100, 100});
  scroll->setContentOffset({0, 20});
  add({0, 30, 100, 10}, green(), scroll);
  redraw();
  EXPECT_PIXEL(at(10, 55), 255, 0, 0);
  EXPECT_PIXEL(at(10, 65), 0, 0, 0, 0);
  EXPECT_PIXEL(at(10, 75), 0, 255, 0);
}

TEST_F(RenderTest, TransformsTurnAndScaleAboutTheCentre) {
  auto diamond = add({30, 30, 40, 40}, red());
  diamond->setTransform(CGAffineTransform::makeRotation(M_PI / 4));
  EXPECT_PIXEL(at(50, 50), 255, 0, 0);
  EXPECT_PIXEL(at(50, 25), 255, 0, 0);   // the top tip reaches 50 - 28.3
  EXPECT_PIXEL(at(27, 27), 0, 0, 0, 0);  // the box's corner is empty
  EXPECT_PIXEL(at(31, 31), 0, 0, 0, 0);

  diamond->setTransform(CGAffineTransform::makeScale(0.5, 0.5));
  redraw();
  EXPECT_PIXEL(at(41, 41), 255, 0, 0);
  EXPECT_PIXEL(at(38, 38), 0, 0, 0, 0);
  diamond->setTransform(CGAffineTransform::makeScale(0, 1));  // collapsed: nothing, no failure
  redraw();
  EXPECT_PIXEL(at(50, 50), 0, 0, 0, 0);
}

TEST_F(RenderTest, LayerShadowsFollowTheShapeUnlessClipped) {
  auto box = add({10, 10, 30, 30}, red());
  box->layer()->setShadowColor(UIColor::blackColor());
  box->layer()->setShadowOpacity(1);
  box->layer()->setShadowRadius(0);
  box->layer()->setShadowOffset({0, 10});
  auto outline = add({60, 10, 30, 30}, nullptr);  // no background: the shadow of its path
  outline->layer()->setShadowColor(UIColor::blackColor());
  outline->layer()->setShadowOpacity(0.5);
  outline->layer()->setShadowRadius(0);
  outline->layer()->setShadowOffset({0, 0});
  outline->layer()->setShadowPath(UIBezierPath::bezierPathWithRect({0, 0, 10, 10}));

  EXPECT_PIXEL(at(20, 45), 0, 0, 0, 255);
  EXPECT_PIXEL(at(20, 35), 255, 0, 0);
  EXPECT_PIXEL(at(65, 15), 0, 0, 0, 128);
  EXPECT_PIXEL(at(75, 25), 0, 0, 0, 0);
  box->setClipsToBounds(true);
  redraw();
  EXPECT_PIXEL(at(20, 45), 0, 0, 0, 0);
}

TEST_F(RenderTest, GradientMaskFadesTheViewAcross) {
  auto bar = add({0, 0, 100, 20}, red());
  add({0, 0, 10, 20}, green(), bar);
  auto mask = CAGradientLayer::layer();
  mask->setFrame(bar->bounds());
  mask->setColors({UIColor::clearColor(), UIColor::blackColor()});
  mask->setStartPoint({0, 0.5});
  mask->setEndPoint({1, 0.5});
  bar->layer()->setMask(mask);

  EXPECT_LT(at(2, 10).alpha, 10);  // the subview is masked too
  EXPECT_NEAR(at(50, 10).alpha, 128, 4);
  EXPECT_GT(at(98, 10).alpha, 245);
  EXPECT_LT(at(25, 10).alpha, at(75, 10).alpha);
  EXPECT_EQ(at(75, 10).green, 0);

  mask->setFrame(CGRectZero);  // a mask without area hides everything
  redraw();
  EXPECT_EQ(at(98, 10).alpha, 0);
}

// Draws UIKit's way: through the current context, as its layer's contents.
class Dial : public UIView {
 public:
  void draw(CGContext& context, const CGRect& rect) override {
    UIGraphicsDrawAsLayerContents(context, rect, [&] {
      drawnRect = rect;
      auto current = UIGraphicsGetCurrentContext();
      current->setFillColor(*UIColor::colorWithRed(0, 0, 1, 1));
      current->fillRect({-20, 0, 40, 10});  // partly outside the bounds
      current->setFillColor(*UIColor::colorWithRed(1, 0, 0, 1));
      UIBezierPath::bezierPathWithOvalInRect({10, 10, 20, 20})->fill();
    });
  }
  CGRect drawnRect = CGRectNull;
};

// Draws straight into the renderer's context, with nothing else declared.
class Stripe : public UIView {
 public:
  void draw(CGContext& context, const CGRect& rect) override {
    context.setFillColor(*UIColor::colorWithRed(0, 1, 0, 1));
    context.fillRect({rect.origin.x, rect.origin.y, rect.size.width, 5});
  }
};

TEST_F(RenderTest, AViewThatOverridesDrawDrawsItsContent) {
  auto stripe = add<Stripe>({10, 10, 30, 20}, red());
  EXPECT_PIXEL(at(20, 12), 0, 255, 0);  // over the background
  EXPECT_PIXEL(at(20, 25), 255, 0, 0);
  add({10, 0, 10, 10}, blue(), stripe);
  redraw();
  EXPECT_PIXEL(at(35, 12), 0, 255, 0);
  EXPECT_PIXEL(at(25, 12), 0, 0, 255);  // under the subviews
}

TEST_F(RenderTest, DrawingAsLayerContentsGoesThroughTheCurrentContextWithinTheBounds) {
  auto dial = add<Dial>({50, 50, 40, 40}, nullptr);
  dial->setBounds({0, 0, 40, 40});
  EXPECT_TRUE(dial->needsDisplay());
  EXPECT_PIXEL(at(70, 70), 255, 0, 0);
  EXPECT_PIXEL(at(55, 55), 0, 0, 255);
  EXPECT_PIXEL(at(45, 55), 0, 0, 0, 0);  // cut off at the bounds
  EXPECT_PIXEL(at(61, 61), 0, 0, 0, 0);  // outside the oval
  EXPECT_EQ(dial->drawnRect, CGRectMake(0, 0, 40, 40));
  EXPECT_FALSE(dial->needsDisplay());
  EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

TEST_F(RenderTest, VisualEffectViewBlursTheSharpEdgeBeneathIt) {
  root->setBackgroundColor(UIColor::whiteColor());
  add({0, 0, 50, 100}, UIColor::blackColor());
  EXPECT_PIXEL(at(47, 50), 0, 0, 0);
  EXPECT_PIXEL(at(53, 50), 255, 255, 255);

  auto effect =
      std::make_shared<UIVisualEffectView>(UIBlurEffect::effectWithStyle(UIBlurEffectStyleDark));
  effect->setFrame({0, 0, 100, 100});
  root->addSubview(effect);
  auto label = add({40, 80, 20, 10}, red(), effect->contentView());
  redraw();
  const auto left = at(47, 50);
  const auto right = at(53, 50);
  EXPECT_GT(left.red, 10);  // the edge is soft now
  EXPECT_LT(right.red, 200);
  EXPECT_LT(left.red, right.red);
  EXPECT_LT(at(3, 50).red, left.red);
  EXPECT_LT(at(97, 50).red, 110);       // the dark tint
  EXPECT_PIXEL(at(50, 85), 255, 0, 0);  // content stays sharp
  EXPECT_EQ(effect->contentView()->frame(), effect->bounds());
}

TEST_F(RenderTest, AnimationsAreDrawnAtTheCurrentTime) {
  auto window = std::make_shared<UIWindow>();
  window->setFrame({0, 0, 100, 100});
  window->makeKeyAndVisible();
  auto box = std::make_shared<UIView>();
  box->setFrame({0, 0, 20, 20});
  box->setBackgroundColor(red());
  window->addSubview(box);
  UIView::animateWithDuration(1, 0, UIViewAnimationOptionCurveLinear, [&] {
    box->setFrame({80, 0, 20, 20});
    box->setAlpha(0.5);
  });
  RunLoop::main().advance(0.5);
  const auto half = ViewRenderer(1).renderToImage(window);
  EXPECT_PIXEL(half->pixelAt(45, 10), 255, 0, 0, 191);
  EXPECT_PIXEL(half->pixelAt(35, 10), 0, 0, 0, 0);
  EXPECT_PIXEL(half->pixelAt(65, 10), 0, 0, 0, 0);
  RunLoop::main().advance(0.6);
  const auto done = ViewRenderer(2).renderToImage(window);
  EXPECT_EQ(done->pixelWidth(), 200u);
  EXPECT_PIXEL(done->pixelAt(180, 20), 255, 0, 0, 128);
}

TEST_F(RenderTest, PngFilesAndViewsWithoutPixels) {
  add({0, 0, 10, 10}, red());
  const auto path = std::filesystem::path(::testing::TempDir()) / "render-root.png";
  ASSERT_TRUE(ViewRenderer(2).writePng(root, path.string()));
  std::ifstream in(path, std::ios::binary);
  const auto png = UIImage::imageWithData({std::istreambuf_iterator<char>(in), {}});
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->pixelWidth(), 200u);
  EXPECT_PIXEL(png->pixelAt(5, 5), 255, 0, 0);
  EXPECT_FALSE(ViewRenderer(1).writePng(root, "/nonexistent-dir/x.png"));

  root->setFrame({0, 0, 0, 10});
  EXPECT_EQ(ViewRenderer(1).renderToImage(root), nullptr);
  EXPECT_EQ(ViewRenderer(1).renderToImage(nullptr), nullptr);
}

}  // namespace
}  // namespace host
