#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "config/ListPanelTest.h"
#include "config/hiddenSkyView.h"
#include "config/hiddenTableViewCell.h"
#include "panels/shapeSkyView.h"
#include "support/Snapshot.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"

namespace vorlan {
namespace {

using host::Plist;

class HiddenList : public test::ListPanelTest {
 protected:
  void SetUp() override {
    ListPanelTest::SetUp();
    store(Plist::dictionary()
              .withPath({"hidden", "PSUIPrefsListController", "BLUETOOTH"}, Plist::boolean(true))
              .withPath({"hidden", "PSUIPrefsListController", "WIFI"}, Plist::boolean(true))
              .withPath({"hidden", "PSUIPrefsListController", "SIRI"}, Plist::boolean(false))
              .withPath({"specs", "BLUETOOTH"}, record("Bluetooth", icon(0.1, 0.45, 0.95)))
              .withPath({"specs", "WIFI"}, record("Wi-Fi", icon(0.1, 0.5, 1))));
    panel = hiddenSkyView::make(window->frame());
  }

  // Never null: a missing row ends the test with an exception rather than a null cell.
  std::shared_ptr<hiddenTableViewCell> row(long index) const {
    auto cell = std::dynamic_pointer_cast<hiddenTableViewCell>(
        panel->table()->cellForRowAtIndexPath({0, index}));
    if (!cell) throw std::runtime_error("no hidden-list row " + std::to_string(index));
    return cell;
  }
  void tapSwitchOf(long index) {
    finger->tap(centreOf(row(index)->switcher()));
    wait(0.5);
  }
  void tapOutside() {
    finger->tap({187, 640});
    wait(1);
  }
  Plist hiddenOnMainList() const { return stored().getPath({"hidden", "PSUIPrefsListController"}); }

  std::shared_ptr<hiddenSkyView> panel;
};

TEST_F(HiddenList, ListsTheHiddenCellsWithNameIconAndALabelledSwitch) {
  open(panel);
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 2);
  EXPECT_EQ(panel->table()->alpha(), 1);
  for (long index : {0, 1}) {
    auto cell = row(index);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->switcher()->isOn());
    EXPECT_NE(cell->icon()->image(), nullptr);
    EXPECT_EQ(cell->switcher()->accessibilityLabel(), cell->label()->text());
  }
  EXPECT_EQ(row(0)->label()->text(), "Bluetooth");
  EXPECT_EQ(row(1)->label()->text(), "Wi-Fi");
  EXPECT_SNAPSHOT(window, "hidden_two_rows");
}

TEST_F(HiddenList, ASwitchedOffRowIsShownAgainWhenThePanelClosesAndOnlyThen) {
  open(panel);
  tapSwitchOf(1);
  ASSERT_FALSE(row(1)->switcher()->isOn());
  EXPECT_EQ(hiddenOnMainList().get("WIFI"), Plist::boolean(true)) << "nothing changes while open";

  tapOutside();
  ASSERT_FALSE(panel->isShow());
  EXPECT_FALSE(hiddenOnMainList().contains("WIFI"));
  EXPECT_EQ(hiddenOnMainList().get("BLUETOOTH"), Plist::boolean(true));

  // The next opening lists what is still hidden, its switch on again.
  open(panel);
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 1);
  EXPECT_EQ(row(0)->label()->text(), "Bluetooth");
  EXPECT_TRUE(row(0)->switcher()->isOn());
}

TEST_F(HiddenList, ClosingAClosedPanelAgainShowsNothing) {
  open(panel);
  tapSwitchOf(1);
  tapOutside();
  ASSERT_FALSE(hiddenOnMainList().contains("WIFI"));

  // Wi-Fi is hidden again from its menu; the opener then closes every panel it keeps.
  store(stored().withPath({"hidden", "PSUIPrefsListController", "WIFI"}, Plist::boolean(true)));
  panel->dismissShape(false);
  EXPECT_EQ(hiddenOnMainList().get("WIFI"), Plist::boolean(true));
}

TEST_F(HiddenList, OffAndOnAgainBeforeClosingChangesNothing) {
  open(panel);
  const Plist before = stored();
  tapSwitchOf(0);
  tapSwitchOf(0);
  ASSERT_TRUE(row(0)->switcher()->isOn());
  skyView::dismissAllShape(true);
  wait(1);
  EXPECT_EQ(stored().get("hidden"), before.get("hidden"));
}

TEST_F(HiddenList, ACellHiddenOnTwoPagesIsOneRowAndComesBackOnBoth) {
  store(stored().withPath({"hidden", "PSAppListController", "WIFI"}, Plist::boolean(true)));
  open(panel);
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 2);
  ASSERT_EQ(row(0)->label()->text(), "Wi-Fi");
  tapSwitchOf(0);
  tapOutside();
  EXPECT_FALSE(hiddenOnMainList().contains("WIFI"));
  EXPECT_FALSE(stored().getPath({"hidden", "PSAppListController"}).contains("WIFI"));
}

TEST_F(HiddenList, NothingHiddenShowsOnlyTheMessage) {
  store(Plist::dictionary().withPath({"hidden", "PSUIPrefsListController", "SIRI"},
                                     Plist::boolean(false)));
  open(panel);
  EXPECT_EQ(panel->table()->alpha(), 0);
  EXPECT_EQ(panel->table()->numberOfRowsInSection(0), 0);
  EXPECT_EQ(panel->nope()->text(), "You have not hidden any cell");
  EXPECT_EQ(panel->nope()->frame(), panel->shape()->container()->bounds());
}

}  // namespace
}  // namespace vorlan
