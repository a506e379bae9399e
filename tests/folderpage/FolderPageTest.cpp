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

// Cells that are gone (an uninstalled settings bundle, say) leave their folder as its page is
// built; a folder left empty so shows its hint at once.
TEST_F(FolderPageTest, ShowsTheFoldersCellsInFolderOrderAndDropsCellsThatAreGone) {
  // Folder names match in any letter case; a place past the end puts a cell last.
  writeFolders({{"WIFI", str("Apps")},
                {"General", str("apps")},
                {"GONE", str("Apps")},
                {"Privacy", str("Apps")},
                {"LEFT", str("Cydia")}},
               {{"General", str("0")}, {"WIFI", str("9")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  EXPECT_EQ(rows(*folder), (Ids{"General", "Privacy", "WIFI"}));
  EXPECT_EQ(folder->table()->numberOfRowsInSection(0), 3);
  EXPECT_TRUE(settingsFile().get("folder").get("GONE").isNone());
  EXPECT_EQ(settingsFile().get("folder").get("LEFT"), str("Cydia"));

  navigation().popViewControllerAnimated(false);
  settle();
  const auto empty = openFolder("Cydia");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(rows(*empty).empty());
  EXPECT_EQ(settingsFile().get("folder").size(), 3u);
  const auto hint = std::dynamic_pointer_cast<VLEmptyCell>(empty->table()->headerViewForSection(0));
  ASSERT_TRUE(hint);
  EXPECT_EQ(hint->label()->text(),
            "You can add settings to Cydia by swiping on a cell and tapping 'Folder'");
  // The visible page under the status bar and the navigation bar.
  EXPECT_EQ(empty->table()->rectForHeaderInSection(0).height(), 667 - 20 - 44);
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
