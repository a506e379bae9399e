#include <gtest/gtest.h>

#include <memory>

#include "config/ListPanelTest.h"
#include "config/disabledSkyView.h"
#include "config/disabledTableViewCell.h"
#include "support/Snapshot.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableView.h"

namespace vorlan {
namespace {

using host::Plist;

class DisabledList : public test::ListPanelTest {
 protected:
  void SetUp() override {
    ListPanelTest::SetUp();
    panel = disabledSkyView::make(window->frame());
  }

  std::shared_ptr<disabledTableViewCell> row(long index) const {
    return std::dynamic_pointer_cast<disabledTableViewCell>(
        panel->table()->cellForRowAtIndexPath({0, index}));
  }
  // A finger swipes the row to the left and taps the delete button that slides in.
  void swipeAndDelete(long index) {
    auto cell = row(index);
    ASSERT_NE(cell, nullptr);
    const host::CGPoint start = centreOf(cell);
    finger->drag({start.x + 100, start.y}, {start.x - 20, start.y}, 0.3);
    wait(0.5);
    ASSERT_TRUE(cell->isShowingDeleteConfirmation());
    finger->tap(centreOf(cell->deleteConfirmationView()));
    wait(0.5);
  }

  std::shared_ptr<disabledSkyView> panel;
};

TEST_F(DisabledList, NothingStoredShowsOnlyTheMessage) {
  open(panel);
  EXPECT_EQ(panel->table()->alpha(), 0);
  EXPECT_EQ(panel->nope()->text(), "You have not disabled any cell");
  EXPECT_SNAPSHOT(window, "disabled_empty");
}

TEST_F(DisabledList, ADeletedRowIsEnabledAtOnceAndTheLastLeavesAnEmptyTable) {
  // Every stored value counts as disabled, whatever it is.
  store(Plist::dictionary()
            .withPath({"enabled", "PSUIPrefsListController", "GENERAL"}, Plist::boolean(false))
            .withPath({"enabled", "PSAppListController", "MAPS"}, Plist::boolean(true))
            .withPath({"specs", "GENERAL"}, record("General", icon(0.55, 0.55, 0.58)))
            .withPath({"specs", "MAPS"}, record("Maps", icon(0.2, 0.75, 0.3))));
  open(panel);
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 2);
  EXPECT_EQ(panel->table()->alpha(), 1);
  EXPECT_EQ(row(0)->label()->text(), "Maps");  // controller keys in their stored order
  EXPECT_EQ(row(1)->label()->text(), "General");
  EXPECT_EQ(panel->info()->text(), "Swipe to reset the state\nof a cell");
  EXPECT_SNAPSHOT(window, "disabled_full");

  swipeAndDelete(1);
  EXPECT_FALSE(stored().getPath({"enabled", "PSUIPrefsListController"}).contains("GENERAL"));
  EXPECT_TRUE(stored().getPath({"enabled", "PSAppListController"}).contains("MAPS"));
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 1);
  EXPECT_EQ(row(0)->label()->text(), "Maps");

  swipeAndDelete(0);
  EXPECT_TRUE(VLPreferencesManager::sharedInstance()->getDisabledIdentifiers().empty());
  EXPECT_EQ(panel->table()->numberOfRowsInSection(0), 0);
  EXPECT_EQ(panel->table()->alpha(), 1) << "the message waits for the next opening";

  skyView::dismissAllShape(false);
  open(panel);
  EXPECT_EQ(panel->table()->alpha(), 0);
}

TEST_F(DisabledList, RowsWithoutAUsableRecordStillSayWhichCellTheyAre) {
  store(
      Plist::dictionary()
          .withPath({"enabled", "PSUIPrefsListController", "CAMERA"}, Plist::boolean(false))
          .withPath({"enabled", "PSUIPrefsListController", "NOTES"}, Plist::boolean(false))
          .withPath({"enabled", "PSUIPrefsListController", "PHOTOS"}, Plist::boolean(false))
          .withPath({"specs", "CAMERA"}, record("Camera"))
          .withPath({"specs", "NOTES"}, record("Notes", Plist::data({0x89, 'P', 'N', 'G', 1, 2}))));
  open(panel);
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 3);
  EXPECT_EQ(row(0)->label()->text(), "Camera");
  EXPECT_EQ(row(0)->icon()->image(), nullptr);
  EXPECT_EQ(row(1)->label()->text(), "Notes");
  EXPECT_EQ(row(1)->icon()->image(), nullptr);
  EXPECT_EQ(row(2)->label()->text(), "PHOTOS");
  EXPECT_EQ(row(2)->icon()->image(), nullptr);
}

}  // namespace
}  // namespace vorlan
