#include <gtest/gtest.h>

#include "panels/PanelTestSupport.h"
#include "panels/shapeSkyView.h"
#include "panels/skyView.h"

namespace vorlan::test {
namespace {

using host::CGRect;

class SkyViewTest : public PanelTest {
 protected:
  std::shared_ptr<skyView> showPanel() {
    auto panel = skyView::make(window->bounds());
    window->addSubview(panel);
    panel->showFromRect({100, 100, 40, 30}, {50, 0, 250, 200});
    return panel;
  }
};

TEST_F(SkyViewTest, BalloonHangsBelowItsAnchorUnlessItWouldPassTheBottom) {
  auto panel = showPanel();
  const auto& shape = panel->shape();
  panel->showFromRect({100, 100, 40, 30}, {50, -10, 250, 200});
  EXPECT_EQ(shape->rectangle(), (CGRect{50, 125, 250, 200}));
  EXPECT_EQ(shape->angle(), 0);
  EXPECT_EQ(shape->container()->frame(), (CGRect{5, 22, 240, 172}));

  // Bottom exactly on the panel's bottom edge: 432 + 30 + 5 + 200 = 667.
  panel->showFromRect({100, 432, 40, 30}, {50, 0, 250, 200});
  EXPECT_EQ(shape->angle(), 0);
  // One point further flips it above: arrow down, content in the other band.
  panel->showFromRect({100, 433, 40, 30}, {50, 0, 250, 200});
  EXPECT_EQ(shape->angle(), 180);
  EXPECT_EQ(shape->rectangle(), (CGRect{50, 268, 250, 200}));
  EXPECT_EQ(shape->container()->frame(), (CGRect{5, 8, 240, 172}));

  // It grows out of the arrow, the bottom edge staying put, and settles on its rectangle.
  EXPECT_NEAR(shape->presentationTransform().a, 0.01, 1e-9);
  wait(0.3);
  EXPECT_NEAR(shape->presentationFrame().maxY(), 468, 1e-6);
  wait(0.2);
  EXPECT_EQ(shape->frame().size, shape->rectangle().size);
  EXPECT_NEAR(shape->frame().minY(), 268, 1e-9);
}

TEST_F(SkyViewTest, TapOutsideTheBalloonFadesThePanelOutAndRemovesIt) {
  auto panel = showPanel();
  wait(0.5);
  const CGRect balloon = panel->shape()->frame();
  finger->tap({balloon.maxX(), balloon.midY()});  // on the border
  finger->tap({balloon.minX(), balloon.minY()});
  wait(0.5);
  EXPECT_TRUE(panel->isShow());
  EXPECT_EQ(panel->superview(), window);

  finger->tap({balloon.maxX() + 1, balloon.midY()});
  EXPECT_FALSE(panel->isShow());
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
  wait(0.2);
  EXPECT_EQ(panel->presentationAlpha(), 1);

  // Opened again while the closing fade runs: the fade's end does not take it away.
  panel->dismissShape(true);
  wait(0.1);
  panel->showFromRect({100, 100, 40, 30}, {50, 0, 250, 200});
  wait(0.5);
  EXPECT_EQ(panel->superview(), window);
  EXPECT_EQ(panel->alpha(), 1);
}

TEST_F(SkyViewTest, DismissAllClosesEveryShownPanelAndOnlyThose) {
  auto first = showPanel();
  auto second = showPanel();
  auto idle = skyView::make(window->bounds());
  window->addSubview(idle);
  { showPanel()->removeFromSuperview(); }  // released: leaves the registry with its last owner

  skyView::dismissAllShape(false);
  for (const auto& panel : {first, second}) {
    EXPECT_FALSE(panel->isShow());
    EXPECT_EQ(panel->superview(), nullptr);
    EXPECT_EQ(panel->alpha(), 0);
  }
  skyView::dismissAllShape(true);  // none shown: nothing happens
  wait(0.5);
  EXPECT_EQ(idle->superview(), window);
  EXPECT_EQ(idle->alpha(), 1);
}

}  // namespace
}  // namespace vorlan::test
