#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "PositionTestSupport.h"
#include "config/disabledTableViewCell.h"
#include "positions/positionConfigurationSkyView.h"
#include "support/Snapshot.h"

namespace vorlan::test {
namespace {

class MovedCellsList : public PositionTest {
 protected:
  // Opens the list as the configuration page does: over the whole window, a balloon half the
  // page high under an entry, grown to its full size.
  void open() {
    if (!list) list = positionConfigurationSkyView::make(app->window()->bounds());
    app->window()->addSubview(list);
    list->showFromRect({0, 78, 375, 135}, {10, -71.5, 355, 333.5});
    host::RunLoop::main().advance(1);
    host::UIView::layoutAllPending();
  }

  // Never null: a missing row ends the test with an exception rather than a null cell.
  std::shared_ptr<disabledTableViewCell> row(long index) const {
    auto cell = std::dynamic_pointer_cast<disabledTableViewCell>(
        list->table()->cellForRowAtIndexPath({0, index}));
    if (!cell) throw std::runtime_error("no moved-cells row " + std::to_string(index));
    return cell;
  }
  // A finger swipes the row to the left and taps the delete button that slides in.
  void swipeAndDelete(long index) {
    auto cell = row(index);
    ASSERT_NE(cell, nullptr);
    const host::CGPoint start = centreOf(cell);
    host::TouchInjector finger(app->window());
    finger.drag({start.x + 100, start.y}, {start.x - 20, start.y}, 0.3);
    host::RunLoop::main().advance(0.5);
    ASSERT_TRUE(cell->isShowingDeleteConfirmation());
    finger.tap(centreOf(cell->deleteConfirmationView()));
    host::RunLoop::main().advance(0.5);
  }

  std::shared_ptr<positionConfigurationSkyView> list;
};

TEST_F(MovedCellsList, ADeletedRowResetsTheCellOnEveryPageAndThePageTakesItBack) {
  // Privacy moved to the top of the main list; "ghost" stored under two pages, without a record.
  const auto privacy = Plist::dictionary(
      {{"name", Plist::string("Privacy")}, {"icon", Plist::data(solidImage(0.3, 29)->pngData())}});
  writeSettings(Plist::dictionary()
                    .withPath({"position", kMain, "Privacy"}, placeAt(0, 1))
                    .withPath({"position", kMain, "ghost"}, placeAt(1, 1))
                    .withPath({"position", "PSAppListController", "ghost"}, placeAt(0, 2))
                    .withPath({"specs", "Privacy"}, privacy));
  launch();
  ASSERT_EQ(main()->specifiersInGroup(0).at(1)->identifier(), "Privacy");

  open();
  // One row a cell, whatever the pages it is stored under.
  ASSERT_EQ(list->table()->numberOfRowsInSection(0), 2);
  ASSERT_EQ(row(1)->label()->text(), "Privacy");
  EXPECT_SNAPSHOT(app->window(), "moved_cells_list");

  swipeAndDelete(1);
  settle();
  EXPECT_TRUE(place(kMain, "Privacy").isNone());
  EXPECT_EQ(main()->specifiersInGroup(2).back()->identifier(), "Privacy");
  ASSERT_EQ(list->table()->numberOfRowsInSection(0), 1);

  swipeAndDelete(0);
  EXPECT_TRUE(VLPreferencesManager::sharedInstance()->getPositionIdentifiers().empty());
  EXPECT_EQ(list->table()->numberOfRowsInSection(0), 0);
  EXPECT_EQ(list->table()->alpha(), 1) << "the message waits for the next showing";

  list->dismissShape(false);
  open();
  EXPECT_EQ(list->table()->alpha(), 0) << "only the message shows";
}

}  // namespace
}  // namespace vorlan::test
