#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <fstream>

#include "foundation/Log.h"
#include "foundation/PropertyListSerialization.h"
#include "plist/BinaryPlistBuilder.h"
#include "store/ManagerTestSupport.h"

using host::Plist;
using vorlan::VLPreferencesManager;

namespace {
const std::string kSettings = VLPreferencesManager::kSettingsPath;

// The files kept aside beside the settings file.
std::vector<std::string> keptAside(const TempDevice& device) {
  std::vector<std::string> aside;
  for (const auto& name : device.fs().contentsOfDirectory("/var/mobile/Library/Preferences")) {
    if (name.find(".unreadable-") != std::string::npos) aside.push_back(name);
  }
  return aside;
}

bool logMentions(std::string_view text) {
  for (const auto& line : host::Log::lines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}
}  // namespace

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

TEST(ManagerDamagedFile, ASmallFileThatExpandsPastTheWriteLimitIsKeptAside) {
  TempDevice device;
  // A few hundred bytes: a tag table whose arrays share their children 14 levels deep, which as
  // XML would be gigabytes, so that no save could ever write it back.
  BinaryPlistBuilder builder;
  const std::uint64_t tagsKey = builder.ascii("tags");
  const std::uint64_t root = builder.container(0xD, {tagsKey, 2});
  for (std::uint64_t level = 0; level < 14; ++level) {
    const std::uint64_t next = root + 2 + level;
    builder.container(0xA, {next, next, next, next});
  }
  builder.ascii("Red");
  const std::string crafted = builder.build(root);
  device.writeRaw(kSettings, crafted);
  host::Log::clear();
  auto manager = std::make_shared<VLPreferencesManager>();
  EXPECT_TRUE(manager->dictionary().isNone());
  EXPECT_TRUE(logMentions("cannot be read (binary property list: the value would take more than"));

  manager->savePassword("1234");
  EXPECT_FALSE(logMentions("Could not save"));
  EXPECT_EQ(manager->getPassword(), "1234");
  const auto aside = keptAside(device);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(device.readRaw("/var/mobile/Library/Preferences/" + aside[0]), crafted);
  manager->savePassword("5678");
  EXPECT_EQ(device.readPlist(kSettings).get("password"), Plist::string("5678"));
}

TEST(ManagerDamagedFile, WhatAFileHoldsIsWrittenBackEvenWhereXmlCannotCarryIt) {
  TempDevice device;
  // Written by another tool: a far-future date under a key of its own, a key with a NUL and a
  // name with a control character, none of which XML 1.0 can carry.
  BinaryPlistBuilder builder;
  std::vector<std::uint8_t> date{0x33};
  BinaryPlistBuilder::appendBigEndian(date, std::bit_cast<std::uint64_t>(1e300), 8);
  const std::uint64_t root = builder.container(0xD, {1, 2, 3, 4, 5, 6});
  builder.ascii("expires");                  // 1
  builder.ascii("hidden");                   // 2
  builder.ascii("name");                     // 3
  builder.add(date);                         // 4
  builder.container(0xD, {7, 8});            // 5
  builder.ascii("Wi\x01Fi");                 // 6
  builder.ascii("PSUIPrefsListController");  // 7
  builder.container(0xD, {9, 10});           // 8
  builder.ascii(std::string("WI\0FI", 5));   // 9
  builder.add({0x09});                       // 10
  device.writeRaw(kSettings, builder.build(root));
  host::Log::clear();
  auto manager = std::make_shared<VLPreferencesManager>();
  const Plist before = manager->dictionary();
  ASSERT_TRUE(before.isDictionary());

  manager->savePassword("1234");
  EXPECT_FALSE(logMentions("Could not save")) << host::Log::lines().back();
  EXPECT_TRUE(keptAside(device).empty());
  EXPECT_EQ(device.readRaw(kSettings).substr(0, 8), "bplist00");
  EXPECT_EQ(device.readPlist(kSettings), before.with("password", Plist::string("1234")));
  EXPECT_EQ(manager->getPassword(), "1234");

  // Once the odd values are gone, the file is XML again.
  manager->savePreference(Plist(), "expires");
  manager->savePreference(Plist(), "hidden");
  manager->savePreference(Plist(), "name");
  EXPECT_EQ(device.readRaw(kSettings).substr(0, 5), "<?xml");
}

TEST(ManagerDamagedFile, AfterASaveTheManagerHoldsWhatTheFileHolds) {
  TempDevice device;
  auto manager = std::make_shared<VLPreferencesManager>();
  // XML keeps a date to the second: the manager keeps the date the file holds, not the one given.
  ASSERT_TRUE(manager->replaceDictionary(Plist::dictionary({{"when", Plist::date(10.75)}})));
  EXPECT_EQ(manager->dictionary().get("when"), Plist::date(10));
  EXPECT_EQ(manager->dictionary(), device.readPlist(kSettings));

  // A write that fails leaves the manager with what is on disk.
  host::Log::clear();
  EXPECT_FALSE(manager->replaceDictionary(Plist::dictionary({{"bad", Plist::string("\xFF")}})));
  EXPECT_TRUE(logMentions("Could not save"));
  EXPECT_EQ(manager->dictionary(), Plist::dictionary({{"when", Plist::date(10)}}));
}
