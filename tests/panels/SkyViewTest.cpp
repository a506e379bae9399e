#include <gtest/gtest.h>

#include "panels/PanelTestSupport.h"
#include "panels/shapeSkyView.h"
#include "panels/skyView.h"
#include "uikit/UIImage.h"
#include "uikit/ViewRenderer.h"

namespace vorlan::test {
namespace {

using host::CGRect;

class SkyViewTest : public PanelTest {
 protected:
  std::shared_ptr<skyView> showPanel(const CGRect& from = {100, 100, 40, 30},
                                     const CGRect& to = {50, 0, 250, 200}) {
    auto panel = skyView::make(window->bounds());
    window->addSubview(panel);
    panel->showFromRect(from, to);
    return panel;
  }
};

TEST_F(SkyViewTest, BalloonHangsBelowItsAnchorUnlessItWouldPassTheBottom) {
  auto panel = showPanel({100, 100, 40, 30}, {50, -10, 250, 200});
  const auto& shape = panel->shape();
  EXPECT_EQ(shape->rectangle(), (CGRect{50, 125, 250, 200}));
  EXPECT_EQ(shape->angle(), 0);
  EXPECT_EQ(shape->container()->frame(), (CGRect{5, 22, 240, 172}));

  // Bottom exactly on the panel's bottom edge: 432 + 30 + 5 + 200 = 667.
  panel->showFromRect({100, 432, 40, 30}, {50, 0, 250, 200});
  EXPECT_EQ(shape->angle(), 0);
  EXPECT_EQ(shape->rectangle(), (CGRect{50, 467, 250, 200}));

  // One point further down flips it above: arrow down, container in the other band.
  panel->showFromRect({100, 433, 40, 30}, {50, 0, 250, 200});
  EXPECT_EQ(shape->angle(), 180);
  EXPECT_EQ(shape->rectangle(), (CGRect{50, 268, 250, 200}));
  EXPECT_EQ(shape->container()->frame(), (CGRect{5, 8, 240, 172}));

  // Showing again below puts it back.
  panel->showFromRect({100, 100, 40, 30}, {50, 0, 250, 200});
  EXPECT_EQ(shape->angle(), 0);
  EXPECT_EQ(shape->container()->frame().origin.y, 22);
}

TEST_F(SkyViewTest, BalloonGrowsFromItsArrowAndSettlesOnItsRectangle) {
  auto panel = showPanel({100, 100, 40, 30}, {50, 0, 250, 200});
  const auto& shape = panel->shape();
  const CGRect rect = shape->rectangle();
  EXPECT_NEAR(shape->presentationTransform().a, 0.01, 1e-9);
  EXPECT_NEAR(shape->presentationFrame().minY(), rect.minY(), 1e-9);
  wait(0.15);  // mid stage 1: the top edge stays under the anchor while it grows
  EXPECT_GT(shape->presentationTransform().a, 0.01);
  EXPECT_NEAR(shape->presentationFrame().minY(), rect.minY(), 1e-6);
  wait(0.15);
  EXPECT_NEAR(shape->presentationTransform().a, 1.1, 1e-9);
  wait(0.2);
  EXPECT_TRUE(shape->presentationTransform().isIdentity());
  EXPECT_EQ(shape->frame(), rect);

  // Flipped: it grows upwards from the arrow at the bottom, whose edge stays put in stage 1.
  panel->showFromRect({100, 500, 40, 30}, {50, 0, 250, 200});
  const CGRect flipped = shape->rectangle();
  EXPECT_NEAR(shape->presentationFrame().minY(), flipped.minY() + 1.1 * flipped.height(), 1e-9);
  wait(0.3);
  EXPECT_NEAR(shape->presentationFrame().maxY(), flipped.maxY(), 1e-6);
  wait(0.2);
  EXPECT_NEAR(shape->frame().minY(), flipped.minY(), 1e-9);
  EXPECT_EQ(shape->frame().size, flipped.size);
}

TEST_F(SkyViewTest, TapOutsideTheBalloonFadesThePanelOutAndRemovesIt) {
  auto panel = showPanel();
  wait(0.5);
  const CGRect balloon = panel->shape()->frame();

  finger->tap({balloon.maxX(), balloon.midY()});  // on the border
  finger->tap({balloon.minX(), balloon.minY()});
  finger->tap({balloon.midX(), balloon.midY()});  // on the balloon itself
  wait(0.5);
  EXPECT_TRUE(panel->isShow());
  EXPECT_EQ(panel->superview(), window);

  finger->tap({balloon.maxX() + 1, balloon.midY()});
  EXPECT_FALSE(panel->isShow());
  EXPECT_EQ(panel->alpha(), 0);
  wait(0.2);
  EXPECT_NEAR(panel->presentationAlpha(), 0.5, 0.2);
  EXPECT_EQ(panel->superview(), window);
  wait(0.21);
  EXPECT_EQ(panel->superview(), nullptr);
}

TEST_F(SkyViewTest, ShownAgainFadesInFromTransparentAndSurvivesAnEndingFade) {
  auto panel = showPanel();
  EXPECT_EQ(panel->presentationAlpha(), 1);  // first show: already opaque
  panel->dismissShape(true);
  wait(0.5);
  window->addSubview(panel);
  panel->showFromRect({100, 100, 40, 30}, {50, 0, 250, 200});
  EXPECT_EQ(panel->presentationAlpha(), 0);
  wait(0.1);
  EXPECT_NEAR(panel->presentationAlpha(), 0.5, 0.3);
  wait(0.2);
  EXPECT_EQ(panel->presentationAlpha(), 1);

  // Opened again while the closing fade runs: the fade's end does not take it away.
  panel->dismissShape(true);
  wait(0.1);
  panel->showFromRect({100, 100, 40, 30}, {50, 0, 250, 200});
  wait(0.5);
  EXPECT_TRUE(panel->isShow());
  EXPECT_EQ(panel->superview(), window);
  EXPECT_EQ(panel->alpha(), 1);
}

TEST_F(SkyViewTest, DismissAllClosesEveryShownPanelAndOnlyThose) {
  auto first = showPanel();
  auto second = showPanel();
  auto idle = skyView::make(window->bounds());
  window->addSubview(idle);
  first->dismissShape(false);
  EXPECT_EQ(first->superview(), nullptr);
  EXPECT_EQ(first->alpha(), 0);

  {
    auto released = showPanel();
    released->removeFromSuperview();
  }  // gone from the registry with its last owner

  skyView::dismissAllShape(false);
  EXPECT_FALSE(second->isShow());
  EXPECT_EQ(second->superview(), nullptr);
  EXPECT_EQ(second->alpha(), 0);
  EXPECT_EQ(idle->superview(), window);
  EXPECT_EQ(idle->alpha(), 1);

  // Nothing shown: nothing happens.
  skyView::dismissAllShape(true);
  wait(0.5);
  EXPECT_EQ(idle->superview(), window);

  first->showFromRect({0, 0, 10, 10}, {0, 0, 100, 100});
  second->showFromRect({0, 0, 10, 10}, {0, 0, 100, 100});
  window->addSubview(first);
  window->addSubview(second);
  skyView::dismissAllShape(true);
  EXPECT_FALSE(first->isShow());
  EXPECT_FALSE(second->isShow());
  wait(0.41);
  EXPECT_EQ(first->superview(), nullptr);
  EXPECT_EQ(second->superview(), nullptr);
}

TEST_F(SkyViewTest, BalloonIsWhiteWithItsArrowTowardsTheAnchor) {
  auto root = std::make_shared<host::UIView>();
  root->setFrame({0, 0, 200, 400});
  auto shape = shapeSkyView::make(host::CGRectZero);
  root->addSubview(shape);
  const auto alphaAt = [&](int x, int y) {
    return host::ViewRenderer(1).renderToImage(root)->pixelAt(x, y).alpha;
  };
  const auto isWhite = [&](int x, int y) {
    const auto p = host::ViewRenderer(1).renderToImage(root)->pixelAt(x, y);
    return p.red == 255 && p.green == 255 && p.blue == 255 && p.alpha == 255;
  };

  shape->showFromRect({90, -5, 20, 0}, {0, 0, 200, 200});  // balloon at (0, 0, 200, 200)
  wait(0.5);
  EXPECT_TRUE(isWhite(100, 100));
  EXPECT_TRUE(isWhite(100, 7));    // the arrow, centred, reaching up near the top
  EXPECT_LT(alphaAt(60, 7), 128);  // beside the arrow, above the body's top edge
  EXPECT_TRUE(isWhite(100, 192));  // the body's bottom edge lies 6 points up
  EXPECT_FALSE(isWhite(100, 196));
  EXPECT_GT(alphaAt(100, 195), 0);  // where the shadow falls below the body
  EXPECT_FALSE(isWhite(2, 100));    // 5 points in on each side
  EXPECT_TRUE(isWhite(6, 100));

  shape->showFromRect({90, 395, 20, 0}, {0, 0, 200, 200});  // flipped to (0, 200, 200, 200)
  wait(0.5);
  EXPECT_EQ(shape->angle(), 180);
  EXPECT_TRUE(isWhite(100, 392));  // the arrow now at the bottom
  EXPECT_LT(alphaAt(60, 392), 128);
  EXPECT_TRUE(isWhite(100, 208));
}

TEST_F(SkyViewTest, PanelsAreFoundByClassName) {
  auto panel = skyView::make(window->bounds());
  EXPECT_EQ(panel->className(), "skyView");
  EXPECT_EQ(panel->shape()->className(), "shapeSkyView");
  EXPECT_EQ(panel->shape()->container()->superview(), panel->shape());
}

}  // namespace
}  // namespace vorlan::test
