#include <gtest/gtest.h>

#include "StageTestSupport.h"
#include "menu/VLButtonSpecifier.h"

namespace vorlan::test {
namespace {

// The travel after which a released swipe opens the cell action menu: the content's 40 points
// and half the menu's width.
constexpr double kHalfMenu = -(40 + StageTest::kMenu / 2);

TEST_F(StageTest, ACellSwipeOpensTheMenuFromHalfItsWidthOnAndClosesBelow) {
  auto& s = stage();
  const auto wifi = cellOf("WIFI");
  ASSERT_NE(wifi, nullptr);

  swipe(centreOf(*wifi), kHalfMenu);
  EXPECT_EQ(rootX(), -kMenu);
  EXPECT_EQ(s.firstOffset, -kMenu);
  EXPECT_EQ(s.specifierScrollView->alpha(), 1);
  EXPECT_EQ(wifi->contentView()->frame().origin.x, 0);
  EXPECT_EQ(CellSwipe::shared().lastCell, nullptr);
  // The touch-down highlight the row took before the swipe began is gone.
  EXPECT_TRUE(wifi->selectedBackgroundView()->isHidden());

  // The menu acts on the swiped cell.
  finger->tap(centreOf(*s.specifierScrollView->button(VLSpecifierScrollView::Hide)));
  settle();
  EXPECT_EQ(device.readPlist(VLPreferencesManager::kSettingsPath)
                .get("hidden")
                .get("PSUIPrefsListController")
                .get("WIFI")
                .asBoolean(),
            true);
  ASSERT_EQ(rootX(), 0);  // and closes

  // Just short of half the menu the release closes.
  const auto general = cellOf("General");
  begin(centreOf(*general));
  moveBy(kHalfMenu + 0.5);
  EXPECT_EQ(rootX(), kHalfMenu + 0.5 + 40);
  liftAt(kHalfMenu + 0.5);
  settle();
  EXPECT_EQ(rootX(), 0);
  EXPECT_EQ(s.specifierScrollView->alpha(), 0);

  // Rightward travel never counts: nothing moves and the release closes.
  begin(centreOf(*general));
  moveBy(200);
  EXPECT_EQ(rootX(), 0);
  EXPECT_EQ(general->contentView()->frame().origin.x, 0);
  liftAt(200);
  settle();
  EXPECT_EQ(rootX(), 0);
}

TEST_F(StageTest, TheSwipedCellsContentFollowsTheFingerAndLongSwipesHoldTheTableStill) {
  const auto wifi = cellOf("WIFI");
  const auto table = main()->table();
  begin(centreOf(*wifi));
  moveBy(-9.5);
  EXPECT_EQ(wifi->contentView()->frame().origin.x, -9.5);
  EXPECT_TRUE(table->isScrollEnabled());
  moveBy(-10);
  EXPECT_FALSE(table->isScrollEnabled());
  moveBy(-70);
  EXPECT_EQ(wifi->contentView()->frame().origin.x, -40);  // the content stops at 40 points
  EXPECT_EQ(rootX(), -30);                                // and the root view takes the rest
  EXPECT_EQ(application().statusBar()->alpha(), 0);
  wifi->setNeedsLayout();
  wifi->layoutIfNeeded();
  EXPECT_EQ(wifi->contentView()->frame().origin.x, -40);  // layout leaves the swiped cell alone
  moveBy(-20);
  EXPECT_FALSE(table->isScrollEnabled());
  liftAt(-20);
  EXPECT_TRUE(table->isScrollEnabled());
  settle();
  EXPECT_EQ(rootX(), 0);
  EXPECT_EQ(application().statusBar()->alpha(), 1);

  // A swipe the system takes away closes too, and gives the table its scrolling back.
  begin(centreOf(*wifi));
  moveBy(-150);
  finger->touchCancel();
  settle();
  EXPECT_EQ(rootX(), 0);
  EXPECT_TRUE(table->isScrollEnabled());
  EXPECT_EQ(CellSwipe::shared().lastCell, nullptr);
}

TEST_F(StageTest, ASwipeStartedWhileAnotherCellIsShiftedOnlyPutsThatOneBack) {
  const auto wifi = cellOf("WIFI");
  const auto general = cellOf("General");
  // A short swipe on Wi-Fi is let go; its content is still on its way back when General is
  // swiped.
  begin(centreOf(*wifi));
  moveBy(-30);
  liftAt(-30);
  frames(3);
  ASSERT_EQ(CellSwipe::shared().lastCell, wifi);
  ASSERT_LT(wifi->contentView()->presentationFrame().origin.x, 0);
  begin(centreOf(*general));
  moveBy(-150);
  EXPECT_EQ(general->contentView()->frame().origin.x, 0);
  EXPECT_EQ(stage().specifierScrollView->alpha(), 0);
  liftAt(-150);
  settle();
  EXPECT_EQ(rootX(), 0);
  EXPECT_EQ(wifi->contentView()->frame().origin.x, 0);
  EXPECT_EQ(CellSwipe::shared().lastCell, nullptr);
}

TEST_F(StageTest, NoCellSwipeInLandscapeWhileTheListScrollsOrUnderATagFilter) {
  auto& s = stage();
  const auto wifi = cellOf("WIFI");
  const auto tryFullSwipe = [&] {
    begin(centreOf(*wifi));
    moveBy(-200);
    const double during = rootX() + wifi->contentView()->frame().origin.x;
    liftAt(-200);
    settle();
    return during + rootX();
  };
  s.isInTagView = true;
  EXPECT_EQ(tryFullSwipe(), 0);
  s.isInTagView = false;
  s.canHandlePan = false;  // the list scrolls
  EXPECT_EQ(tryFullSwipe(), 0);

  application().setStatusBarOrientation(host::UIInterfaceOrientationLandscapeLeft);
  EXPECT_EQ(tryFullSwipe(), 0);
}

// Scrolling the list with a finger that lands on rows: every drag scrolls, one right after the
// other, and a swipe let go of while the list still moves gives its row and the table back.
TEST_F(StageTest, DragsOnRowsScrollTheListOneAfterAnotherAndLeaveNoRowHeld) {
  const auto table = main()->table();
  const auto general = cellOf("General");
  const double top = table->contentOffset().y;
  finger->drag(centreOf(*general), {centreOf(*general).x, centreOf(*general).y - 200}, 0.3);
  const double once = table->contentOffset().y;
  EXPECT_GT(once, top + 100);
  finger->drag(centreOf(*general), {centreOf(*general).x, centreOf(*general).y - 200}, 0.3);
  EXPECT_GT(table->contentOffset().y, once + 100);
  settle();

  // A leftward swipe released while the list still counts as scrolling.
  const auto row = general;
  begin(centreOf(*row));
  moveBy(-30);
  stage().canHandlePan = false;
  liftAt(-30);
  settle();
  EXPECT_EQ(CellSwipe::shared().lastCell, nullptr);
  EXPECT_TRUE(table->isScrollEnabled());
  EXPECT_EQ(row->contentView()->frame().origin.x, 0);
}

TEST_F(StageTest, TheRootViewPanOpensFromHalfThePageAndWidensAnOpenMenu) {
  auto& s = stage();
  const host::CGPoint onBar{200, 40};
  swipe(onBar, -kPage / 2 + 0.5);
  EXPECT_EQ(rootX(), 0);
  swipe(onBar, -kPage / 2);
  EXPECT_EQ(rootX(), -kPage);
  EXPECT_EQ(s.firstOffset, -kPage);

  // A pan on the open page continues from where it rests.
  swipe({50, 300}, 200);
  EXPECT_EQ(rootX(), 0);

  // From the open cell action menu, dragging past the menu's width shows the configuration page.
  swipe(centreOf(*cellOf("WIFI")), kHalfMenu);
  ASSERT_EQ(rootX(), -kMenu);
  ASSERT_EQ(s.configurationScrollView->alpha(), 0);
  begin({100, 300});
  moveBy(-1);
  EXPECT_EQ(s.configurationScrollView->alpha(), 1);
  EXPECT_EQ(s.specifierScrollView->alpha(), 0);
  liftAt(-1);
  settle();
  EXPECT_EQ(rootX(), -kPage);
}

}  // namespace
}  // namespace vorlan::test
