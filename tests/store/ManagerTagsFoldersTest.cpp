#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "SettingsChecker.h"
#include "foundation/Log.h"
#include "foundation/Shell.h"
#include "store/ManagerTestSupport.h"
#include "uikit/UIAlertView.h"

using host::Plist;
using vorlan::VLPreferencesManager;

namespace {

const std::string kSettings = VLPreferencesManager::kSettingsPath;
const std::string kIcons = VLPreferencesManager::kFolderIconsPath;

// Every entry of a tag or folder table as "key:name", numeric keys in numeric order and any other
// key after them, so a stray or renumbered key shows up in the comparison.
std::vector<std::string> names(const Plist& table) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const auto& [key, record] : table.entries()) {
    const std::string* name = record.get("name").asString();
    rows.emplace_back(key, name ? *name : "?");
  }
  auto number = [](const std::string& key) {
    const bool numeric =
        !key.empty() && key.size() < 9 && key.find_first_not_of("0123456789") == std::string::npos;
    return numeric ? std::stol(key) : std::numeric_limits<long>::max();
  };
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const auto& a, const auto& b) { return number(a.first) < number(b.first); });
  std::vector<std::string> out;
  for (const auto& [key, name] : rows)
    out.push_back(key + ":" + name);
  return out;
}

}  // namespace

TEST(ManagerTags, DefaultsAreWrittenOnceAndKeysStayDense) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  EXPECT_FALSE(manager->isTagNameToken("red")) << "the table as stored, without defaults";
  Plist tags = manager->getTagsDictionary();
  ASSERT_EQ(tags.size(), 9u);
  EXPECT_EQ(tags.get("0"), Plist::dictionary({{"name", Plist::string("Red")},
                                              {"fill_color", Plist::string("#FC6354")},
                                              {"border_color", Plist::string("#FC6354")}}));
  EXPECT_EQ(tags.getPath({"8", "name"}), Plist::string("Work"));
  EXPECT_EQ(device.readPlist(kSettings).get("firstTime"), Plist::boolean(true));
  EXPECT_TRUE(manager->isTagNameToken("rED"));

  manager->addTagWithName("Travel", "FFFFFF", "ABABAB");
  EXPECT_EQ(manager->getTagsDictionary().getPath({"9", "name"}), Plist::string("Travel"));

  auto main = pageController("PSUIPrefsListController");
  manager->saveSpecifier(
      *cell("WIFI"),
      Plist::dictionary({{"Yellow", Plist::boolean(true)}, {"Red", Plist::boolean(false)}}), "tag",
      "WIFI", main);
  manager->deleteTag("yellow");
  EXPECT_EQ(names(manager->getTagsDictionary()),
            (std::vector<std::string>{"0:Red", "1:Orange", "2:Green", "3:Blue", "4:Violet",
                                      "5:Home", "6:Important", "7:Work", "8:Travel"}));
  EXPECT_EQ(manager->getTagsDictionaryForSpecifier("WIFI", main),
            Plist::dictionary({{"Red", Plist::boolean(false)}}));
  manager->deleteTag("Travel");
  EXPECT_EQ(names(manager->getTagsDictionary()).back(), "7:Work");

  // A file with a gap in its keys: a new tag never overwrites a stored one.
  device.writePlist(
      kSettings,
      Plist::dictionary({{"firstTime", Plist::boolean(true)},
                         {"tags", Plist::dictionary({
                                      {"0", Plist::dictionary({{"name", Plist::string("A")}})},
                                      {"2", Plist::dictionary({{"name", Plist::string("C")}})},
                                  })}}));
  manager->updatedDictionary();
  manager->addTagWithName("D", "#000000", "#000000");
  EXPECT_EQ(names(manager->getTagsDictionary()), (std::vector<std::string>{"0:A", "1:D", "2:C"}));
}

TEST(ManagerTags, RenamesMoveAssignmentsAndColourChangesKeepThem) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  auto main = pageController("PSUIPrefsListController");
  auto app = pageController("PSAppListController");
  manager->getTagsDictionary();
  manager->saveSpecifier(*cell("WIFI"), Plist::dictionary({{"Red", Plist::boolean(true)}}), "tag",
                         "WIFI", main);
  manager->saveSpecifier(*cell("MAPS"), Plist::dictionary({{"red", Plist::boolean(false)}}), "tag",
                         "MAPS", app);

  manager->saveChangesInTag("Red", "Red", "#000000", "");
  EXPECT_EQ(manager->getTagsDictionary().get("0").get("fill_color"), Plist::string("#000000"));
  EXPECT_EQ(manager->getTagsDictionary().get("0").get("border_color"), Plist::string("#FC6354"));
  EXPECT_EQ(manager->getTagsDictionaryForSpecifier("WIFI", main).get("Red"), Plist::boolean(true));

  manager->saveChangesInTag("red", "Crimson", "", "");
  EXPECT_EQ(manager->getTagsDictionary().getPath({"0", "name"}), Plist::string("Crimson"));
  EXPECT_EQ(manager->getTagsDictionaryForSpecifier("WIFI", main),
            Plist::dictionary({{"Crimson", Plist::boolean(true)}}));
  EXPECT_EQ(manager->getTagsDictionaryForSpecifier("MAPS", "PSAppListController"),
            Plist::dictionary({{"Crimson", Plist::boolean(false)}}));

  // An empty new name changes only the colours and keeps every assignment where it is.
  manager->saveChangesInTag("Crimson", "", "#111111", "");
  EXPECT_EQ(manager->getTagsDictionaryForSpecifier("WIFI", main),
            Plist::dictionary({{"Crimson", Plist::boolean(true)}}));

  Plist before = device.readPlist(kSettings);
  manager->removeTagInSpecs("nothing");
  EXPECT_EQ(device.readPlist(kSettings), before);

  host::Shell::clearCommands();
  manager->eraseTags();
  EXPECT_EQ(host::Shell::commands(), (std::vector<std::string>{"killall -HUP SpringBoard"}));
  Plist erased = device.readPlist(kSettings);
  EXPECT_FALSE(erased.contains("tags") || erased.contains("tag") || erased.contains("firstTime"));
  EXPECT_TRUE(erased.contains("class"));
  EXPECT_EQ(manager->getTagsDictionary().size(), 9u);
}

TEST(ManagerFolders, DefaultsDeletionMembershipAndPositions) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  Plist folders = manager->getFoldersDictionary();
  ASSERT_EQ(folders.size(), 6u);
  EXPECT_EQ(folders.get("1"),
            Plist::dictionary({{"name", Plist::string("Settings")},
                               {"image", Plist::string(kIcons + "/settings.png")},
                               {"settings_image", Plist::string(kIcons + "/settings_icon.png")}}));
  EXPECT_EQ(device.readPlist(kSettings).get("firstTime_folder"), Plist::boolean(true));

  manager->addFolderWithName("Tools", kIcons + "/blue@2x.png");
  EXPECT_EQ(manager->getFoldersDictionary().get("7"),
            Plist::dictionary({{"name", Plist::string("Tools")},
                               {"image", Plist::string(kIcons + "/blue.png")},
                               {"settings_image", Plist::string(kIcons + "/blue_icon.png")}}));
  EXPECT_TRUE(manager->isFolderNameToken("TOOLS"));

  for (const char* id : {"MAPS", "MAIL", "NOTES", "MUSIC"})
    manager->saveSpecifier(*cell(id), "Apps");
  manager->saveSpecifier(*cell("WIFI"), "Connectivity");
  const std::vector<std::string> order{"MAPS", "MAIL", "NOTES", "MUSIC"};
  for (int i = 0; i < 4; ++i)
    manager->rearrangePoisitionInFolder("Apps", order[i], i);

  // Taking out the cell at position 1 closes the gap.
  manager->removeSpecifierInFolderWithID("MAIL");
  EXPECT_EQ(manager->getSpecifiersInFolder("apps"),
            (std::vector<std::string>{"MAPS", "MUSIC", "NOTES"}));
  EXPECT_EQ(manager->getPositionForSpecifierID("MAPS", "Apps"), 0);
  EXPECT_EQ(manager->getPositionForSpecifierID("NOTES", "Apps"), 1);
  EXPECT_EQ(manager->getPositionForSpecifierID("MUSIC", "Apps"), 2);
  EXPECT_EQ(manager->getPositionForSpecifierID("MAIL", "Apps"), -1);

  // Renaming copies the positions and leaves the old entry.
  manager->changeFolderName("Things", "apps");
  EXPECT_EQ(manager->getSpecifiersInFolder("THINGS").size(), 3u);
  EXPECT_EQ(manager->getPositionForSpecifierID("MUSIC", "things"), 2);
  EXPECT_TRUE(device.readPlist(kSettings).getPath({"positionInFolders", "APPS"}).isDictionary());
  host::Log::clear();
  manager->changeFolderName("", "Things");
  EXPECT_EQ(host::Log::lines(),
            (std::vector<std::string>{"<Vorlan3> Can't change Things folder to (null)"}));

  // Deleting a folder renumbers the keys and sends its cells back to the main list.
  manager->saveChangesInFolder("3", "Things", "");
  manager->deleteFolderWithName("things");
  EXPECT_EQ(names(manager->getFoldersDictionary()),
            (std::vector<std::string>{"1:Settings", "2:Cydia", "3:Connectivity", "4:Accessibility",
                                      "5:Protected", "6:Tools"}));
  EXPECT_EQ(manager->getAllSpecifiersInFolders(), (std::vector<std::string>{"WIFI"}));
  EXPECT_FALSE(device.readPlist(kSettings).getPath({"positionInFolders"}).contains("THINGS"));

  host::Shell::clearCommands();
  manager->eraseFolders();
  EXPECT_EQ(host::Shell::commands().size(), 1u);
  EXPECT_FALSE(device.readPlist(kSettings).contains("folder"));
}

TEST(ManagerFolders, IconChoicesListLargeImagesOnly) {
  TempDevice device;
  for (const char* name : {"blue.png", "blue@2x.png", "blue_icon.png", "red@3x.png"}) {
    device.writeRaw(kIcons + "/" + name, "x");
  }
  auto manager = std::make_shared<VLPreferencesManager>();
  EXPECT_EQ(manager->getAllFolderImages(),
            (std::vector<std::string>{kIcons + "/blue.png", kIcons + "/blue.png",
                                      kIcons + "/red@3x.png"}));
}

TEST(ManagerErase, EraseAllDeletesTheFileAndRestartsOnlyWhenThereWasOne) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  host::Shell::clearCommands();
  manager->eraseAll();
  EXPECT_TRUE(host::Shell::commands().empty());
  EXPECT_TRUE(host::UIAlertView::visibleAlerts().empty());

  manager->savePassword("1234");
  manager->eraseAll();
  EXPECT_FALSE(device.fs().fileExists(kSettings));
  EXPECT_EQ(host::Shell::commands(), (std::vector<std::string>{"killall -HUP SpringBoard"}));
  EXPECT_TRUE(host::UIAlertView::visibleAlerts().empty());

  // A save before the restart ends the app does not write the erased settings back.
  manager->saveOriginalNameIfNotExists("Settings");
  EXPECT_TRUE(manager->dictionary().get("password").isNone());
  EXPECT_TRUE(device.readPlist(kSettings).get("password").isNone());
}

// Files A, B and C into "Apps" in that order, each in its place.
static std::vector<std::string> fileSortedIntoApps(VLPreferencesManager& manager) {
  const std::vector<std::string> sorted{"A", "B", "C"};
  for (int i = 0; i < 3; ++i) {
    manager.saveSpecifier(*cell(sorted[i]), "Apps");
    manager.rearrangePoisitionInFolder("Apps", sorted[i], i);
  }
  return sorted;
}

TEST(ManagerFolders, TakingOutACellWithoutAPositionMovesNoOne) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  const std::vector<std::string> sorted = fileSortedIntoApps(*manager);
  manager->saveSpecifier(*cell("D"), "Apps");
  manager->removeSpecifierInFolderWithID("D");
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(manager->getPositionForSpecifierID(sorted[i], "apps"), i) << sorted[i];
  EXPECT_EQ(manager->getSpecifiersInFolder("Apps"), sorted);
}

// A cell filed into another folder leaves its place in the old one, which closes up; filing it
// into the folder it is in (in any letter case) keeps its place.
TEST(ManagerFolders, ACellFiledElsewhereLeavesItsOldFoldersPlaces) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  const std::vector<std::string> sorted = fileSortedIntoApps(*manager);
  manager->saveSpecifier(*cell("C"), "apps");
  EXPECT_EQ(manager->getPositionForSpecifierID("C", "Apps"), 2);

  manager->saveSpecifier(*cell("A"), "Connectivity");
  EXPECT_EQ(manager->getPositionForSpecifierID("A", "Apps"), -1);
  EXPECT_EQ(manager->getPositionForSpecifierID("B", "Apps"), 0);
  EXPECT_EQ(manager->getPositionForSpecifierID("C", "Apps"), 1);
  EXPECT_EQ(manager->getSpecifiersInFolder("Connectivity"), std::vector<std::string>{"A"});
  EXPECT_TRUE(vorlan::SettingsChecker::check(device.readPlist(kSettings)).empty());
}

// The defaults go only where they lose nothing: the flag says they were never written (absent or
// false) and there is no table of the user's own. A flag of another type is a hand edit whose
// meaning is unknown, so it writes nothing either.
TEST(ManagerTags, DefaultsNeverReplaceAUsersTableOrFollowAWrongTypedFlag) {
  TempDevice device;
  const Plist mine =
      Plist::dictionary({{"0", Plist::dictionary({{"name", Plist::string("Mine")},
                                                  {"fill_color", Plist::string("#000000")},
                                                  {"border_color", Plist::string("#000000")}})}});
  const Plist myFolders =
      Plist::dictionary({{"1", Plist::dictionary({{"name", Plist::string("Mine")}})}});
  struct Case {
    const char* what;
    Plist flag;
    Plist table;
    bool defaults;
  };
  const std::vector<Case> cases{
      {"string flag, own table", Plist::string("YES"), mine, false},
      {"integer flag, own table", Plist::integer(1), mine, false},
      {"string flag, no table", Plist::string("YES"), Plist(), false},
      {"no flag, own table", Plist(), mine, false},
      {"false flag, own table", Plist::boolean(false), mine, false},
      {"no flag, empty table", Plist(), Plist::dictionary(), true},
      {"false flag, no table", Plist::boolean(false), Plist(), true},
      {"zero flag, empty table", Plist::integer(0), Plist::dictionary(), true},
  };
  for (const Case& c : cases) {
    for (bool tags : {true, false}) {
      const char* flagKey = tags ? "firstTime" : "firstTime_folder";
      const char* tableKey = tags ? "tags" : "folders";
      const Plist own = tags ? mine : myFolders;
      const Plist table = c.table == mine ? own : c.table;
      Plist root = Plist::dictionary({{"custom", Plist::string("kept")}});
      if (!c.flag.isNone()) root = root.with(flagKey, c.flag);
      if (!table.isNone()) root = root.with(tableKey, table);
      device.writePlist(kSettings, root);
      auto manager = std::make_shared<VLPreferencesManager>();
      const Plist defaults =
          tags ? VLPreferencesManager::defaultTags() : VLPreferencesManager::defaultFolders();
      const Plist expected = c.defaults ? defaults : (table.isNone() ? Plist::dictionary() : table);
      EXPECT_EQ(tags ? manager->tagsDictionaryAsAnswered() : manager->foldersDictionaryAsAnswered(),
                expected)
          << c.what << " " << tableKey;
      EXPECT_EQ(device.readPlist(kSettings), root) << "the read-only answer writes nothing";
      EXPECT_EQ(tags ? manager->getTagsDictionary() : manager->getFoldersDictionary(), expected)
          << c.what << " " << tableKey;
      const Plist file = device.readPlist(kSettings);
      EXPECT_EQ(file.get(tableKey), c.defaults ? defaults : table) << c.what << " " << tableKey;
      EXPECT_EQ(file.get(flagKey), c.defaults ? Plist::boolean(true) : c.flag) << c.what;
    }
  }
}
