#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "foundation/Log.h"
#include "store/ManagerTestSupport.h"
#include "uikit/UIImage.h"

using host::Plist;
using vorlan::VLPreferencesManager;

namespace {

const std::string kSettings = VLPreferencesManager::kSettingsPath;

// A complete 1 x 1 PNG.
host::UIImage::Bytes tinyPng() {
  return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
          0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
          0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78,
          0xDA, 0x63, 0x60, 0x00, 0x02, 0x00, 0x00, 0x05, 0x00, 0x01, 0xE9, 0xFA, 0xDC, 0xD8,
          0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
}

}  // namespace

TEST(ManagerCells, EnabledStateAndTheLookupFoundFlag) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  auto main = pageController("PSUIPrefsListController");
  auto plain = cell("WIFI");
  auto ownFalse = cell("SIRI");
  ownFalse->setProperty(Plist::boolean(false), "enabled");

  EXPECT_TRUE(manager->isSpecifierEnabled(*plain, main));
  EXPECT_FALSE(manager->needsReload());
  EXPECT_FALSE(manager->isSpecifierEnabled(*ownFalse, main));
  EXPECT_FALSE(manager->needsReload());

  manager->saveSpecifier(*plain, Plist::boolean(false), "enabled", "WIFI", main);
  EXPECT_FALSE(manager->isSpecifierEnabled(*plain, main));
  EXPECT_TRUE(manager->needsReload());
  // A controller key given as a string answers the same as the controller.
  EXPECT_FALSE(manager->isSpecifierEnabled(*plain, "PSUIPrefsListController"));
  EXPECT_TRUE(manager->isSpecifierEnabled(*plain, "OtherController"));
  EXPECT_FALSE(manager->needsReload());

  // Passcode is an integer read as a flag; hidden answers false for anything but a cell.
  manager->saveSpecifier(*plain, Plist::integer(1), "passcode", "WIFI", main);
  EXPECT_TRUE(manager->isSpecifierProtectedByPasscode(*plain, main));
  manager->saveSpecifier(*plain, Plist::integer(0), "passcode", "WIFI", main);
  EXPECT_FALSE(manager->isSpecifierProtectedByPasscode(*plain, main));
  manager->saveSpecifier(*plain, Plist::boolean(true), "hidden", "WIFI", main);
  EXPECT_TRUE(manager->isSpecifierHidden(plain.get(), main));
  EXPECT_FALSE(manager->isSpecifierHidden(main.get(), main));
  EXPECT_FALSE(manager->isSpecifierHidden(nullptr, main));

  // Every lookup above was answered from what the file on disk holds.
  Plist file = device.readPlist(kSettings);
  EXPECT_EQ(file.getPath({"enabled", "PSUIPrefsListController", "WIFI"}), Plist::boolean(false));
  EXPECT_EQ(file.getPath({"class", "WIFI"}), Plist::string("PSUIPrefsListController"));
  EXPECT_EQ(file, manager->dictionary());
  struct stat info {};
  ASSERT_EQ(::stat(device.hostPath(kSettings).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds the passcode";
}

TEST(ManagerCells, SavesFormBundleKeysCellRecordsAndShareUntouchedSections) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  auto app = pageController("PSAppListController", "/Applications/Maps.app");
  auto display = pageController("DisplayController");
  auto icon = host::UIImage::imageWithData(tinyPng());
  ASSERT_NE(icon, nullptr);
  auto maps = cell("MAPS_SETTING", "Maps Setting");
  maps->setObject(icon, "iconImage");

  manager->setCurrentBundle(Plist::dictionary({{"identifier", Plist::string("com.apple.Maps")}}));
  manager->saveSpecifier(*maps, Plist::boolean(true), "hidden", "MAPS_SETTING", app);
  manager->saveSpecifier(*maps, Plist::boolean(true), "hidden", "MAPS_SETTING", app);
  manager->setCurrentBundle(Plist());
  manager->saveSpecifier(*cell("BRIGHT"), Plist::boolean(false), "enabled", "BRIGHT", display);
  manager->saveSpecifier(*cell("BRIGHT"), Plist::boolean(true), "enabled", "BRIGHT", display);

  Plist file = device.readPlist(kSettings);
  Plist bundles = file.get("bundles");
  ASSERT_EQ(bundles.size(), 3u);
  EXPECT_EQ(bundles.getPath({"PSAppListController", "identifier"}),
            Plist::string("com.apple.Maps"));
  EXPECT_EQ(bundles.getPath({"PSAppListController-1", "path"}),
            Plist::string("/Applications/Maps.app"));
  EXPECT_EQ(bundles.get("DisplayController"), Plist::string("")) << "no current bundle";
  EXPECT_EQ(file.getPath({"specs", "MAPS_SETTING", "name"}), Plist::string("Maps Setting"));
  EXPECT_EQ(*file.getPath({"specs", "MAPS_SETTING", "icon"}).asData(), tinyPng());
  EXPECT_EQ(file.getPath({"specs", "BRIGHT"}),
            Plist::dictionary({{"name", Plist::string("BRIGHT")}}));

  // A cell without an identifier gets no stored state.
  manager->saveSpecifier(*cell(""), Plist::boolean(true), "hidden", "", display);
  EXPECT_EQ(device.readPlist(kSettings), file);

  // Sections off the changed path are written back as they were.
  Plist before = manager->dictionary();
  manager->saveSpecifier(*cell("BRIGHT"), Plist::boolean(true), "hidden", "BRIGHT", display);
  Plist after = manager->dictionary();
  EXPECT_EQ(after.get("enabled"), before.get("enabled"));
  EXPECT_EQ(after.get("hidden").get("PSAppListController"),
            before.get("hidden").get("PSAppListController"));
}

TEST(ManagerCells, UndoListsAndTheReloadRule) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  auto main = pageController("PSUIPrefsListController");
  auto page = pageController("PSAppListController");
  manager->setMainController(main);
  manager->setCurrentController(page);

  manager->saveSpecifier(*cell("A"), Plist::boolean(true), "enabled", "A", main);
  manager->saveSpecifier(*cell("A"), Plist::boolean(false), "enabled", "A", page);
  manager->saveSpecifier(*cell("B"), Plist::boolean(false), "hidden", "B", main);
  manager->saveSpecifier(*cell("C"), Plist::boolean(true), "hidden", "C", page);
  manager->saveSpecifier(
      *cell("C"), Plist::dictionary({{"section", Plist::string("0")}, {"row", Plist::string("2")}}),
      "position", "C", page);

  EXPECT_EQ(manager->getDisabledIdentifiers(), (std::vector<std::string>{"A", "A"}));
  EXPECT_EQ(manager->getHiddenIdentifiers(), (std::vector<std::string>{"C"}));
  EXPECT_EQ(manager->getPositionIdentifiers(), (std::vector<std::string>{"C"}));
  EXPECT_EQ(manager->getAfterSpecifierIdentifierForMovedSpecifier(*cell("C"), page).get("row"),
            Plist::string("2"));
  EXPECT_TRUE(manager->getAfterSpecifierIdentifierForMovedSpecifier(*cell("C"), main).isNone());

  // A sub-page is on screen: it reloads now and the main list is flagged for later.
  ReloadLog::calls().clear();
  manager->enableSpecifier("A");
  EXPECT_TRUE(manager->getDisabledIdentifiers().empty()) << "removed under both pages";
  EXPECT_EQ(ReloadLog::calls(),
            (std::vector<std::string>{"PSAppListController reload",
                                      "PSUIPrefsListController needsReload=1"}));
  // The main list is on screen: it reloads at once and its flag is cleared.
  manager->setCurrentController(main);
  ReloadLog::calls().clear();
  manager->showSpecifier("C");
  manager->resetPositionOfSpecifier("nowhere");  // still written and reloaded
  EXPECT_TRUE(manager->getHiddenIdentifiers().empty());
  EXPECT_EQ(ReloadLog::calls().size(), 4u);
  EXPECT_EQ(ReloadLog::calls()[0], "PSUIPrefsListController reload");
  EXPECT_EQ(ReloadLog::calls()[1], "PSUIPrefsListController needsReload=0");
}

TEST(ManagerCells, ScalarsTutorialTitleAndWallpaper) {
  TempDevice device;
  {
    auto manager = std::make_shared<VLPreferencesManager>();
    EXPECT_FALSE(manager->getPassword());
    manager->savePassword("0420");
    EXPECT_EQ(manager->getPassword(), "0420");
    EXPECT_TRUE(manager->canShowTutorial());
    EXPECT_FALSE(manager->canShowTutorial());
    manager->saveOriginalNameIfNotExists("Settings");
    manager->saveOriginalNameIfNotExists("Tagged");
    EXPECT_EQ(manager->originalTag(), "Settings");
    EXPECT_EQ(manager->getWallpaperImage(), nullptr);
    manager->saveWallpaperImage(host::UIImage::imageWithData(tinyPng()));
  }
  // A new process sees what the last one wrote.
  auto manager = std::make_shared<VLPreferencesManager>();
  EXPECT_FALSE(manager->canShowTutorial());
  EXPECT_EQ(manager->originalTag(), "Settings");
  auto wallpaper = manager->getWallpaperImage();
  ASSERT_NE(wallpaper, nullptr);
  EXPECT_EQ(wallpaper->pngData(), tinyPng());
  manager->clearPassword();
  EXPECT_FALSE(manager->getPassword());
  EXPECT_FALSE(device.readPlist(kSettings).contains("password"));
  EXPECT_TRUE(device.readPlist(kSettings).contains("tutorial"));
}

TEST(ManagerCells, PositionsInFoldersAreCaseInsensitiveAndReadBothForms) {
  TempDevice device;
  device.writePlist(
      kSettings, Plist::dictionary({{"positionInFolders",
                                     Plist::dictionary({{"APPS", Plist::dictionary({
                                                                     {"MAPS", Plist::integer(0)},
                                                                     {"MAIL", Plist::string("1")},
                                                                     {"BAD", Plist::string("x")},
                                                                 })}})}}));
  auto manager = std::make_shared<VLPreferencesManager>();
  EXPECT_EQ(manager->getPositionForSpecifierID("MAPS", "apps"), 0);
  EXPECT_EQ(manager->getPositionForSpecifierID("MAIL", "Apps"), 1);
  EXPECT_EQ(manager->getPositionForSpecifierID("BAD", "APPS"), -1);
  EXPECT_EQ(manager->getPositionForSpecifierID("NOTES", "apps"), -1);
  EXPECT_EQ(manager->getIdentifierForPosition(1, "aPPs"), "MAIL");
  EXPECT_FALSE(manager->getIdentifierForPosition(5, "apps"));

  manager->rearrangePoisitionInFolder("Apps", "NOTES", 3);
  manager->rearrangePoisitionInFolder("Apps", "", 4);
  EXPECT_EQ(manager->getPositionForSpecifierID("NOTES", "apps"), 3);
  EXPECT_EQ(device.readPlist(kSettings).getPath({"positionInFolders", "APPS", "NOTES"}),
            Plist::string("3"));
  EXPECT_EQ(device.readPlist(kSettings).getPath({"positionInFolders", "APPS"}).size(), 4u);
}

// A hand-edited "" key stands for no cell: a cell without an identifier gets the defaults.
TEST(ManagerCells, ACellWithoutAnIdentifierGetsTheDefaults) {
  TempDevice device;
  auto onMain = [](Plist value) {
    return Plist::dictionary({{"PSUIPrefsListController", Plist::dictionary({{"", value}})}});
  };
  device.writePlist(
      kSettings, Plist::dictionary({
                     {"hidden", onMain(Plist::boolean(true))},
                     {"enabled", onMain(Plist::boolean(false))},
                     {"passcode", onMain(Plist::integer(1))},
                     {"position", onMain(Plist::dictionary({{"section", Plist::string("0")},
                                                            {"row", Plist::string("0")}}))},
                     {"tag", onMain(Plist::dictionary({{"Red", Plist::boolean(true)}}))},
                     {"class", Plist::dictionary({{"", Plist::string("PSUIPrefsListController")}})},
                     {"positionInFolders",
                      Plist::dictionary({{"APPS", Plist::dictionary({{"", Plist::integer(0)}})}})},
                 }));
  auto manager = std::make_shared<VLPreferencesManager>();
  auto main = pageController("PSUIPrefsListController");
  auto header = cell("x");
  header->setIdentifier("");
  EXPECT_FALSE(manager->isSpecifierHidden(header.get(), main));
  EXPECT_TRUE(manager->isSpecifierEnabled(*header, main));
  EXPECT_FALSE(manager->needsReload());
  EXPECT_FALSE(manager->isSpecifierProtectedByPasscode(*header, main));
  EXPECT_TRUE(manager->getAfterSpecifierIdentifierForMovedSpecifier(*header, main).isNone());
  EXPECT_TRUE(manager->getTagsDictionaryForSpecifier("", main).isNone());
  EXPECT_FALSE(manager->getClassControllerOfSpecifier(*header));
  EXPECT_EQ(manager->getPositionForSpecifierID("", "Apps"), -1);
  EXPECT_FALSE(manager->getIdentifierForPosition(0, "Apps"));
}

TEST(ManagerCells, TheTutorialIsOfferedOnceEvenWhenItsFlagCannotBeSaved) {
  TempDevice device;
  // A file where the preferences folder belongs: no save can succeed.
  std::filesystem::remove_all(device.hostPath("/var/mobile/Library/Preferences"));
  device.writeRaw("/var/mobile/Library/Preferences", "not a folder");
  auto manager = std::make_shared<VLPreferencesManager>();
  host::Log::clear();
  EXPECT_TRUE(manager->canShowTutorial());
  EXPECT_NE(host::Log::lines().back().find("Could not save the settings file"), std::string::npos);
  EXPECT_FALSE(manager->canShowTutorial());
  EXPECT_FALSE(manager->canShowTutorial());
}
