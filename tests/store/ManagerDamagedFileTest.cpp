#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "foundation/Log.h"
#include "foundation/PropertyListSerialization.h"
#include "store/ManagerTestSupport.h"

using host::Plist;
using vorlan::VLPreferencesManager;

namespace {
const std::string kSettings = VLPreferencesManager::kSettingsPath;
}

TEST(ManagerDamagedFile, WrongTypesReadAsAbsentAndOtherKeysSurviveTheNextWrite) {
  TempDevice device;
  const Plist handEdited = Plist::dictionary({
      {"hidden", Plist::string("everything")},
      {"enabled", Plist::dictionary({{"PSUIPrefsListController",
                                      Plist::dictionary({{"WIFI", Plist::string("no")}})}})},
      {"tags", Plist::array({Plist::string("Red")})},
      {"firstTime", Plist::boolean(true)},
      {"password", Plist::dictionary({{"digits", Plist::string("1234")}})},
      {"folder", Plist::dictionary({{"MAPS", Plist::integer(3)}})},
      {"positionInFolders", Plist::string("APPS")},
      {"specs", Plist::array()},
      {"custom", Plist::string("kept")},
  });
  device.writePlist(kSettings, handEdited);
  auto manager = std::make_shared<VLPreferencesManager>();
  auto main = pageController("PSUIPrefsListController");
  auto wifi = cell("WIFI");

  EXPECT_FALSE(manager->isSpecifierHidden(wifi.get(), main));
  EXPECT_TRUE(manager->isSpecifierEnabled(*wifi, main));
  EXPECT_FALSE(manager->needsReload());
  EXPECT_FALSE(manager->getPassword());
  EXPECT_TRUE(manager->getTagsDictionary().entries().empty());
  EXPECT_FALSE(manager->isTagNameToken("Red"));
  EXPECT_TRUE(manager->getSpecifiersInFolder("3").empty());
  EXPECT_EQ(manager->getPositionForSpecifierID("MAPS", "apps"), -1);
  EXPECT_TRUE(manager->getSpecifierInfoByID("WIFI").isNone());
  EXPECT_TRUE(manager->getHiddenIdentifiers().empty());

  manager->removeSpecifierInFolderWithID("MAPS");
  manager->saveSpecifier(*wifi, Plist::boolean(true), "hidden", "WIFI", main);
  EXPECT_TRUE(manager->isSpecifierHidden(wifi.get(), main));
  Plist file = device.readPlist(kSettings);
  EXPECT_EQ(file.get("custom"), Plist::string("kept"));
  EXPECT_EQ(file.get("password"), handEdited.get("password"));
  EXPECT_EQ(file.get("tags"), handEdited.get("tags"));
  EXPECT_EQ(file.get("positionInFolders"), handEdited.get("positionInFolders"));
  EXPECT_EQ(file.getPath({"specs", "WIFI", "name"}), Plist::string("WIFI"));
}

TEST(ManagerDamagedFile, AnUnreadableFileIsKeptAsideBeforeTheFirstWrite) {
  TempDevice device;
  const std::string garbage = "<?xml version=\"1.0\"?><plist><dict><key>hidden</key><dict>";
  device.writeRaw(kSettings, garbage);
  host::Log::clear();
  auto manager = std::make_shared<VLPreferencesManager>();
  EXPECT_TRUE(manager->dictionary().isNone());
  ASSERT_EQ(host::Log::lines().size(), 1u);
  EXPECT_NE(host::Log::lines()[0].find("cannot be read"), std::string::npos);
  EXPECT_EQ(device.readRaw(kSettings), garbage) << "reading alone changes nothing";

  manager->savePassword("1234");
  EXPECT_EQ(manager->getPassword(), "1234");
  std::vector<std::string> aside;
  for (const auto& name : device.fs().contentsOfDirectory("/var/mobile/Library/Preferences")) {
    if (name.find(".unreadable-") != std::string::npos) aside.push_back(name);
  }
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(device.readRaw("/var/mobile/Library/Preferences/" + aside[0]), garbage);
  EXPECT_NE(host::Log::lines().back().find(aside[0]), std::string::npos);

  // The next write finds a good file and keeps nothing more aside.
  manager->savePassword("5678");
  EXPECT_EQ(device.fs().contentsOfDirectory("/var/mobile/Library/Preferences").size(), 2u);
}

TEST(ManagerDamagedFile, FilesFromOtherWritersReadTheSame) {
  TempDevice device;
  // Written by hand the way other tools lay XML out: unsorted keys, other indentation, an
  // integer position and a string one.
  device.writeRaw(kSettings, R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>tutorial</key><true/>
  <key>hidden</key><dict><key>PSUIPrefsListController</key><dict>
      <key>WIFI</key><true/></dict></dict>
  <key>positionInFolders</key><dict><key>APPS</key><dict>
      <key>MAPS</key><integer>0</integer><key>MAIL</key><string>1</string></dict></dict>
</dict></plist>)");
  auto manager = std::make_shared<VLPreferencesManager>();
  auto main = pageController("PSUIPrefsListController");
  EXPECT_TRUE(manager->isSpecifierHidden(cell("WIFI").get(), main));
  EXPECT_EQ(manager->getPositionForSpecifierID("MAIL", "Apps"), 1);
  EXPECT_FALSE(manager->canShowTutorial());

  // The same settings as a binary property list.
  const std::filesystem::path binary =
      std::filesystem::path(VORLAN_SOURCE_DIR) / "tests/store/fixtures/settings-binary.plist";
  ASSERT_TRUE(std::filesystem::exists(binary));
  std::filesystem::copy_file(binary, device.hostPath(kSettings),
                             std::filesystem::copy_options::overwrite_existing);
  manager->updatedDictionary();
  EXPECT_TRUE(manager->isSpecifierHidden(cell("WIFI").get(), main));
  EXPECT_EQ(manager->getPositionForSpecifierID("MAPS", "Apps"), 0);
  EXPECT_EQ(manager->getPositionForSpecifierID("MAIL", "Apps"), 1);
  EXPECT_FALSE(manager->canShowTutorial());
}

// A link or special file at the settings path is never followed or opened: it reads as
// unreadable, is kept aside (the link itself, not its target) and replaced by a private file.
TEST(ManagerDamagedFile, ALinkOrSpecialFileAtTheSettingsPathIsKeptAsideUnread) {
  const std::string preferences = "/var/mobile/Library/Preferences";
  for (const std::string kind : {"link", "fifo"}) {
    TempDevice device;
    const std::filesystem::path target = device.root() / "elsewhere.plist";
    const std::string secret = *host::PropertyListSerialization::writeXml(
        Plist::dictionary({{"password", Plist::string("0000")}}));
    std::ofstream(target) << secret;
    ::chmod(target.c_str(), 0644);
    const std::string settings = device.hostPath(kSettings).string();
    ASSERT_EQ(kind == "link" ? ::symlink(target.c_str(), settings.c_str())
                             : ::mkfifo(settings.c_str(), 0644),
              0);
    host::Log::clear();
    auto manager = std::make_shared<VLPreferencesManager>();
    EXPECT_TRUE(manager->dictionary().isNone()) << kind;
    EXPECT_FALSE(manager->getPassword()) << kind;
    ASSERT_FALSE(host::Log::lines().empty());
    EXPECT_NE(host::Log::lines()[0].find("cannot be read"), std::string::npos) << kind;

    manager->savePassword("1234");
    EXPECT_EQ(device.fs().entryType(kSettings), host::DeviceFileSystem::EntryType::Regular);
    struct stat info {};
    ASSERT_EQ(::stat(settings.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u) << kind;
    EXPECT_EQ(device.readPlist(kSettings).get("password"), Plist::string("1234"));
    std::string aside;
    for (const auto& name : device.fs().contentsOfDirectory(preferences)) {
      if (name.find(".unreadable-") != std::string::npos) aside = preferences + "/" + name;
    }
    ASSERT_FALSE(aside.empty()) << kind;
    EXPECT_EQ(device.fs().entryType(aside), kind == "link"
                                                ? host::DeviceFileSystem::EntryType::SymbolicLink
                                                : host::DeviceFileSystem::EntryType::Other);
    EXPECT_EQ(device.readRaw("/elsewhere.plist"), secret) << "the link's target is untouched";
  }
}
