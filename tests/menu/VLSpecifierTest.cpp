#include <gtest/gtest.h>

#include <memory>

#include "info/infoView.h"
#include "menu/VLButtonSpecifier.h"
#include "menu/VLScrollView.h"
#include "menu/VLSpecifier.h"
#include "panels/PanelTestSupport.h"
#include "panels/shapeSkyView.h"
#include "uikit/UIColor.h"

namespace vorlan {
namespace {

using host::CGRect;

TEST(VLSpecifier, TheHighlightFillsTheSpaceBetweenTheSeparatorsShown) {
  auto button = VLSpecifier::make({0, 0, 160, 80});
  const auto& highlight = button->backgroundView();
  button->setSeparatorHeight(2);
  button->setSeparatorLeftOffset(15);
  button->setSeparatorRightOffset(15);
  EXPECT_EQ(button->bottomBorder()->frame(), (CGRect{15, 78, 130, 2}));
  EXPECT_EQ(highlight->frame(), (CGRect{0, 0, 160, 80}));  // no separator shown at first

  button->setShowBorder(true, VLSpecifier::kBottomBorder);
  EXPECT_EQ(highlight->frame(), (CGRect{0, 0, 160, 78}));
  button->setShowBorder(true, VLSpecifier::kTopBorder);
  EXPECT_EQ(highlight->frame(), (CGRect{0, 2, 160, 76}));
  button->setShowBorder(false, VLSpecifier::kBottomBorder);
  EXPECT_EQ(highlight->frame(), (CGRect{0, 2, 160, 78}));
  button->setShowBorder(false, 7);  // no such separator
  EXPECT_FALSE(button->topBorder()->isHidden());
}

// A menu at the right edge of the window with one button, as the cell action menu lays it out.
class VLButtonSpecifierTest : public test::PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    menu = VLScrollView::make({207.5, 0, 167.5, 667});
    window->addSubview(menu);
    button = VLButtonSpecifier::make({0, 0, 167.5, 83.375});
    button->setTitle("Hide");
    button->setInfoText("Hides the cell.");
    button->setTarget([this] {
      ++actions;
      shownOnRelease = button->isShow();
    });
    menu->addSubview(button);
  }

  void hold(double seconds) {
    finger->touchDown(center);
    wait(seconds);
  }
  void release() { finger->touchUp(center); }

  const host::CGPoint center{290, 40};
  std::shared_ptr<VLScrollView> menu;
  std::shared_ptr<VLButtonSpecifier> button;
  int actions = 0;
  bool shownOnRelease = false;
};

TEST_F(VLButtonSpecifierTest, HoldingHalfASecondShowsTheHelpAndTheActionStillArrives) {
  hold(0.49);
  EXPECT_FALSE(button->isShow());
  release();
  EXPECT_EQ(actions, 1);
  EXPECT_FALSE(shownOnRelease);
  EXPECT_EQ(button->info(), nullptr);

  hold(0.5);
  ASSERT_TRUE(button->isShow());
  EXPECT_EQ(button->info()->superview(), window);
  // The balloon has the width its text was laid out for, its content area grown 4 points up.
  const auto& shape = button->info()->shape();
  EXPECT_FLOAT_EQ(static_cast<float>(shape->rectangle().size.width), button->infoViewWidth());
  EXPECT_EQ(shape->container()->frame(), (CGRect{5, 18, shape->rectangle().size.width - 10, 226}));
  release();
  EXPECT_EQ(actions, 2);
  EXPECT_TRUE(shownOnRelease);  // so the menu's action knows to do nothing
  wait(1);
  EXPECT_TRUE(button->isShow());  // the popup stays until a tap outside it

  finger->tap({20, 650});
  wait(1);
  EXPECT_FALSE(button->isShow());
}

TEST_F(VLButtonSpecifierTest, AButtonWithoutHelpOnlyHighlightsWhileHeld) {
  button->setWantsInfo(false);
  hold(1.5);
  EXPECT_EQ(button->info(), nullptr);
  EXPECT_TRUE(button->backgroundView()->backgroundColor()->isEqual(
      *button->topBorder()->backgroundColor()));
  release();
  EXPECT_EQ(actions, 1);
  EXPECT_TRUE(button->backgroundView()->backgroundColor()->isEqual(*host::UIColor::clearColor()));
}

}  // namespace
}  // namespace vorlan
