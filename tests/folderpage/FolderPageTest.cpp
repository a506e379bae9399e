#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FolderPageTestSupport.h"
#include "folders/VLEmptyCell.h"
#include "preferences/PSTableCell.h"
#include "uikit/UILabel.h"

namespace vorlan::test {
namespace {

using Ids = std::vector<std::string>;

Plist str(const char* text) {
  return Plist::string(text);
}

bool contains(const Ids& ids, const std::string& id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

Ids offeredIds(const addTableController& page) {
  Ids ids;
  for (const auto& section : page.offered()) {
    for (const auto& cell : section)
      ids.push_back(cell->identifier());
  }
  return ids;
}

// The index path of the offered row standing for `id`.
host::NSIndexPath offeredRow(const addTableController& page, const std::string& id) {
  for (std::size_t s = 0; s < page.offered().size(); ++s) {
    for (std::size_t r = 0; r < page.offered()[s].size(); ++r) {
      if (page.offered()[s][r]->identifier() == id)
        return {static_cast<long>(s), static_cast<long>(r)};
    }
  }
  ADD_FAILURE() << id << " is not offered";
  return {};
}

TEST_F(FolderPageTest, ShowsTheFoldersCellsInFolderOrderAndDropsCellsThatAreGone) {
  // Folder names match in any letter case; a place past the end puts a cell last.
  writeFolders({{"WIFI", str("Apps")},
                {"General", str("apps")},
                {"GONE", str("Apps")},
                {"Privacy", str("Apps")},
                {"DISPLAY", str("Cydia")}},
               {{"General", str("0")}, {"WIFI", str("9")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  EXPECT_EQ(rows(*folder), (Ids{"General", "Privacy", "WIFI"}));
  EXPECT_EQ(folder->table()->numberOfRowsInSection(0), 3);

  const Plist membership = settingsFile().get("folder");
  EXPECT_TRUE(membership.get("GONE").isNone());
  EXPECT_EQ(membership.get("DISPLAY"), str("Cydia"));
  EXPECT_EQ(membership.size(), 4u);
}

TEST_F(FolderPageTest, AFolderWhoseCellsAreAllGoneShowsTheFullPageHintAtOnce) {
  writeFolders({{"GONE", str("Apps")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  EXPECT_TRUE(rows(*folder).empty());
  EXPECT_TRUE(settingsFile().get("folder").get("GONE").isNone());
  const auto hint =
      std::dynamic_pointer_cast<VLEmptyCell>(folder->table()->headerViewForSection(0));
  ASSERT_TRUE(hint);
  EXPECT_EQ(hint->label()->text(),
            "You can add settings to Apps by swiping on a cell and tapping 'Folder'");
  // The visible page under the status bar and the navigation bar.
  EXPECT_EQ(folder->table()->rectForHeaderInSection(0).height(), 667 - 20 - 44);
}

TEST_F(FolderPageTest, TheAddPageOffersNoFolderRowsAndFilesTheChosenCellsIntoTheFolder) {
  writeFolders({{"Privacy", str("Apps")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  folder->showAddToFolder();
  settle();
  const auto add = presentedTable<addTableController>(*folder);
  ASSERT_TRUE(add);
  EXPECT_TRUE(add->tableView()->isEditing());
  EXPECT_FALSE(add->isRemovePage());

  const Ids offered = offeredIds(*add);
  for (const char* name : {"Settings", "Cydia", "Apps", "Connectivity", "Accessibility"}) {
    EXPECT_FALSE(contains(offered, name)) << name;
  }
  EXPECT_TRUE(contains(offered, "WIFI"));
  EXPECT_FALSE(contains(offered, "Privacy"));  // already in the folder

  host::UITableViewTestApi table(*add->tableView());
  table.tapRowAtIndexPath(offeredRow(*add, "WIFI"));
  table.tapRowAtIndexPath(offeredRow(*add, "DISPLAY"));
  add->saveChanges();
  settle();

  EXPECT_EQ(settingsFile().get("folder").get("WIFI"), str("APPS"));
  EXPECT_EQ(settingsFile().get("folder").get("DISPLAY"), str("APPS"));
  EXPECT_FALSE(main()->specifierForID("WIFI"));
  EXPECT_FALSE(main()->specifierForID("DISPLAY"));
  EXPECT_EQ(rows(*folder), (Ids{"DISPLAY", "Privacy", "WIFI"}));
  EXPECT_FALSE(folder->presentedViewController());
  EXPECT_EQ(problems(), Ids{});
}

TEST_F(FolderPageTest, TheSortPagesDoneNumbersEveryRowFromZeroInTheShownOrder) {
  writeFolders({{"WIFI", str("Apps")}, {"General", str("Apps")}, {"DISPLAY", str("Apps")}},
               {{"General", str("0")}, {"WIFI", str("1")}, {"DISPLAY", str("2")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  ASSERT_EQ(rows(*folder), (Ids{"General", "WIFI", "DISPLAY"}));
  folder->showSortToFolder();
  settle();
  const auto sort = presentedTable<sortFolderController>(*folder);
  ASSERT_TRUE(sort);

  // DISPLAY dragged to the top.
  host::UITableViewTestApi table(*sort->tableView());
  ASSERT_TRUE(table.beginReorderingRowAtIndexPath({0, 2}));
  const auto top = sort->tableView()->rectForRowAtIndexPath({0, 0});
  table.reorderRowToPoint({top.midX(), top.minY() + 2});
  table.endReordering();
  settle();
  sort->saveChanges();
  settle();

  const Plist positions = settingsFile().get("positionInFolders").get("APPS");
  EXPECT_EQ(positions.get("DISPLAY"), str("0"));
  EXPECT_EQ(positions.get("General"), str("1"));
  EXPECT_EQ(positions.get("WIFI"), str("2"));
  EXPECT_EQ(rows(*folder), (Ids{"DISPLAY", "General", "WIFI"}));
  EXPECT_FALSE(folder->presentedViewController());
  EXPECT_EQ(problems(), Ids{});
}

TEST_F(FolderPageTest, TheRemovePageTakesChosenCellsOutAndTheMainListGetsThemBackWhenShown) {
  writeFolders({{"WIFI", str("Apps")}, {"General", str("Apps")}},
               {{"General", str("0")}, {"WIFI", str("1")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  ASSERT_FALSE(main()->specifierForID("General"));
  folder->showRemoveToFolder();
  settle();
  const auto remove = presentedTable<addTableController>(*folder);
  ASSERT_TRUE(remove);
  EXPECT_TRUE(remove->isRemovePage());
  EXPECT_EQ(offeredIds(*remove), (Ids{"General", "WIFI"}));

  host::UITableViewTestApi(*remove->tableView()).tapRowAtIndexPath(offeredRow(*remove, "General"));
  remove->saveChanges();
  settle();

  EXPECT_TRUE(settingsFile().get("folder").get("General").isNone());
  EXPECT_EQ(settingsFile().get("positionInFolders").get("APPS"),
            Plist::dictionary({{"WIFI", Plist::integer(0)}}));
  EXPECT_EQ(rows(*folder), (Ids{"WIFI"}));
  EXPECT_TRUE(records().needsReload);
  EXPECT_EQ(problems(), Ids{});

  navigation().popViewControllerAnimated(false);
  settle();
  EXPECT_TRUE(main()->specifierForID("General"));
  EXPECT_FALSE(main()->specifierForID("WIFI"));
}

TEST_F(FolderPageTest, ACellDisabledOnTheMainListStaysDisabledInItsFolder) {
  writeFolders(
      {{"WIFI", str("Apps")}, {"General", str("Apps")}}, {},
      {{"class", Plist::dictionary({{"WIFI", str("PSUIPrefsListController")}})},
       {"enabled", Plist::dictionary({{"PSUIPrefsListController",
                                       Plist::dictionary({{"WIFI", Plist::boolean(false)}})}})}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->specifierForID("WIFI")->propertyForKey("enabled"), Plist::boolean(false));
  EXPECT_EQ(folder->specifierForID("General")->propertyForKey("enabled").asBoolean().value_or(true),
            true);
  // Selections on the folder page record the page a row opens.
  tapRow(*folder, "General");
  EXPECT_EQ(VLPreferencesManager::sharedInstance()->currentBundle().get("specifier"),
            str("General"));
}

}  // namespace
}  // namespace vorlan::test
