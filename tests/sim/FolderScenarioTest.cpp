#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsChecker.h"
#include "SimulatorFixture.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

using host::Plist;

constexpr const char* kIcons = "/Library/Application Support/Vorlan3/folder_icons/";
constexpr const char* kStart = "launch settings\nwait 1\n";
// The Folders entry of the configuration page, opened through the gear.
constexpr const char* kOpenFolders = "tap \"Vorlan\"\nwait 1\ntap \"Folders\"\nwait 1.5\n";
// The configuration page closes as it opened, through the gear.
constexpr const char* kClosePage = "dismiss\nwait 1\ntap \"Vorlan\"\nwait 1\n";
// The folder rows end the main list.
constexpr const char* kToFolderRows = "scroll \"Apps\"\nwait 1\n";

// Pages the folder strip along, one drag on each named tile in turn.
std::string pageAlong(const std::vector<std::string>& tiles) {
  std::string script;
  for (const auto& tile : tiles)
    script += "drag \"" + tile + "\" -150 0 0.3\nwait 1\n";
  return script;
}

// From the first folder to the add tile, with the six default folders.
std::string toAddTile() {
  return pageAlong({"SETTINGS", "CYDIA", "APPS", "CONNECTIVITY", "ACCESSIBILITY", "PROTECTED"});
}

std::string folderName(const Plist& root, const std::string& key) {
  const std::string* name = root.getPath({"folders", key, "name"}).asString();
  return name ? *name : "";
}

// Folder scripts through the menu and the configuration page; after each run the settings file
// is checked as `vorlan prefs check` checks it.
class FolderScenario : public SimulatorTest {
 protected:
  // Wi-Fi and Bluetooth filed into Apps (Wi-Fi placed first), Notes into Connectivity, for a
  // user who has seen the welcome screen.
  void SetUp() override {
    copyDefaultDevice();
    const Plist root = Plist::dictionary(
        {{"tutorial", Plist::boolean(true)},
         {"folder", Plist::dictionary({{"WIFI", Plist::string("Apps")},
                                       {"Bluetooth", Plist::string("Apps")},
                                       {"NOTES", Plist::string("Connectivity")}})},
         {"positionInFolders",
          Plist::dictionary({{"APPS", Plist::dictionary({{"WIFI", Plist::integer(0)},
                                                         {"Bluetooth", Plist::integer(1)}})}})}});
    const auto xml = host::PropertyListSerialization::writeXml(root);
    ASSERT_TRUE(xml);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
        VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }

  Plist settings() const { return stored(VLPreferencesManager::kSettingsPath); }

  std::string step(const std::string& script) {
    const ScriptRun result = run(script);
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(SettingsChecker::check(settings()), std::vector<std::string>{});
    return result.out;
  }
};

TEST_F(FolderScenario, DefaultTakesARowOutOfItsFolderBackToItsPlace) {
  const std::string swipeWifi = "drag \"Wi-Fi\" -250 0 0.3\nwait 1\n";
  const std::string out = step(std::string(kStart) + kToFolderRows + "open \"Apps\"\nwait 1\n" +
                               swipeWifi + "tap \"Folder\"\nwait 1\ntexts\n" +
                               "tap \"Select\"\nwait 1\ncells\nback\nwait 1\ncells\n");
  // On a folder page the strip offers only the way out.
  const std::string picker = out.substr(0, out.find("\tEdit\n"));
  EXPECT_NE(picker.find("\tDEFAULT\n"), std::string::npos) << out;
  EXPECT_EQ(picker.find("\tAPPS\n"), std::string::npos) << out;

  const auto mainList = out.find("0.0\tAirplane Mode");
  ASSERT_NE(mainList, std::string::npos) << out;
  const std::string folderPage = out.substr(0, mainList);
  EXPECT_TRUE(hasLine(folderPage, "0.0\tBluetooth\tBluetooth\t-")) << out;
  EXPECT_EQ(folderPage.find("\tWIFI\t"), std::string::npos) << out;
  EXPECT_TRUE(hasLine(out.substr(mainList), "0.1\tWi-Fi\tWIFI\t-")) << out;

  const Plist root = settings();
  EXPECT_TRUE(root.getPath({"folder", "WIFI"}).isNone());
  EXPECT_TRUE(root.getPath({"positionInFolders", "APPS", "WIFI"}).isNone());
  EXPECT_EQ(root.getPath({"folder", "Bluetooth"}), Plist::string("Apps"));
  // The rows after it in the folder move up one place.
  EXPECT_EQ(root.getPath({"positionInFolders", "APPS", "Bluetooth"}), Plist::integer(0));
}

// A folder made, renamed and given another icon, and a filled folder in the middle deleted: the
// keys close up, its rows return to the main list, and all of it holds after a respring.
TEST_F(FolderScenario, TheFoldersEntryCreatesRenamesAndDeletesFoldersThatSurviveARespring) {
  step(std::string(kStart) + kOpenFolders + toAddTile() + "tap \"Create\"\nwait 1.5\n");
  Plist root = settings();
  EXPECT_EQ(folderName(root, "7"), "NEW");
  EXPECT_EQ(root.getPath({"folders", "7", "image"}),
            Plist::string(std::string(kIcons) + "apps.png"));

  // A swipe down on the icon shows another one; the second page takes the new name.
  step(
      std::string(kStart) + kOpenFolders + toAddTile() + "tap \"Personalize\"\nwait 1.5\n" +
      "drag \"Folder icon\" 0 80 0.15\nwait 1\ndrag \"Folder icon\" -200 0 0.3\nwait 1\n" +
      "tap \"Folder name\"\nwait 0.5\ntype \"\\b\\b\\bBooks\"\nwait 0.5\ntap \"Done\"\nwait 1.5\n");
  root = settings();
  EXPECT_EQ(folderName(root, "7"), "Books");
  const std::string* image = root.getPath({"folders", "7", "image"}).asString();
  const std::string icon = image ? *image : "";
  EXPECT_NE(icon, std::string(kIcons) + "apps.png");
  EXPECT_EQ(icon.rfind(kIcons, 0), 0u) << icon;
  EXPECT_EQ(root.getPath({"folders", "7", "settings_image"}),
            Plist::string(icon.substr(0, icon.size() - 4) + "_icon.png"));

  // Pulled up, Apps shows its Delete button.
  std::string out =
      step(std::string(kStart) + kOpenFolders + pageAlong({"SETTINGS", "CYDIA"}) +
           "drag \"APPS\" 0 -150 0.5\nwait 1\ntap \"Delete\"\nwait 1.5\n" + kClosePage +
           "cells\nrespring\nwait 1\ncells\n" + kOpenFolders +
           pageAlong({"SETTINGS", "CYDIA", "CONNECTIVITY", "ACCESSIBILITY"}) + "texts\n");
  root = settings();
  const std::vector<std::string> names = {"Settings",      "Cydia",     "Connectivity",
                                          "Accessibility", "Protected", "Books"};
  EXPECT_EQ(root.get("folders").size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(folderName(root, std::to_string(i + 1)), names[i]);
  EXPECT_EQ(root.getPath({"folders", "6", "image"}), Plist::string(icon));
  EXPECT_TRUE(root.getPath({"folder", "WIFI"}).isNone());
  EXPECT_TRUE(root.getPath({"folder", "Bluetooth"}).isNone());
  EXPECT_TRUE(root.getPath({"positionInFolders", "APPS"}).isNone());
  EXPECT_EQ(root.getPath({"folder", "NOTES"}), Plist::string("Connectivity"));

  // Before and after the respring: the deleted folder's rows back in their places, the filed
  // row still away, the folder rows in key order.
  const auto respring = out.find("0.0\tAirplane Mode", out.find("7.5\tBooks"));
  ASSERT_NE(respring, std::string::npos) << out;
  for (const std::string& listing : {out.substr(0, respring), out.substr(respring)}) {
    EXPECT_TRUE(hasLine(listing, "0.1\tWi-Fi\tWIFI\t-")) << listing;
    EXPECT_TRUE(hasLine(listing, "0.2\tBluetooth\tBluetooth\t-")) << listing;
    EXPECT_EQ(listing.find("\tNOTES\t"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("\tApps\tApps\t"), std::string::npos) << listing;
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string row = "7." + std::to_string(i) + "\t" + names[i] + "\t" + names[i] + "\t-";
      EXPECT_TRUE(hasLine(listing, row)) << row << "\n" << listing;
    }
  }
  // The strip shows the renamed folder after the respring.
  EXPECT_NE(out.find("\tBOOKS\n", respring), std::string::npos) << out;

  out = step(std::string(kStart) +
             "scroll \"Connectivity\"\nwait 1\nopen \"Connectivity\"\nwait 1\ncells\n");
  EXPECT_TRUE(hasLine(out, "0.0\tNotes\tNOTES\t-")) << out;
}

TEST_F(FolderScenario, ResetAfterItsAlertRestoresTheDefaultFoldersAndEmptiesThem) {
  const std::string out =
      step(std::string(kStart) + kOpenFolders + toAddTile() + "tap \"Create\"\nwait 1.5\n" +
           pageAlong({"NEW", "ADD"}) + "tap \"Reset\"\nwait 1\nalert \"Yes\"\nwait 2\n" +
           "events\ncells\n");
  EXPECT_TRUE(hasLine(out, "system killall -HUP SpringBoard")) << out;
  const Plist root = settings();
  EXPECT_TRUE(root.get("folder").isNone());
  EXPECT_TRUE(root.get("positionInFolders").isNone());
  EXPECT_EQ(root.get("folders"), VLPreferencesManager::defaultFolders());
  // Settings came back from the file: every row on the main list, the six folders after them.
  EXPECT_TRUE(hasLine(out, "0.1\tWi-Fi\tWIFI\t-")) << out;
  EXPECT_TRUE(hasLine(out, "4.3\tNotes\tNOTES\t-")) << out;
  EXPECT_TRUE(hasLine(out, "7.5\tProtected\tProtected\t-")) << out;
  EXPECT_EQ(out.find("\tNEW\t"), std::string::npos) << out;
}

}  // namespace
}  // namespace vorlan
