#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "DeviceTestSupport.h"
#include "FreshDevice.h"
#include "Installer.h"
#include "foundation/PropertyListSerialization.h"
#include "springboard/SpringBoardApp.h"
#include "uikit/CGContext.h"
#include "uikit/UIColor.h"
#include "uikit/UIDevice.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UITraitCollection.h"

namespace vorlan {
namespace {

TEST_F(DeviceTest, LayingOutMakesAFreshDeviceAndKeepsWhatIsThere) {
  const auto wallpaper =
      host::UIImage::imageWithContentsOfFile(host::SpringBoardApp::kWallpaperPath);
  ASSERT_TRUE(wallpaper);
  EXPECT_EQ(wallpaper->pixelWidth(), 750u);
  EXPECT_EQ(wallpaper->pixelHeight(), 1334u);
  EXPECT_FALSE(DefaultDevice::isEmpty(device.root()));

  // The same pixels every time.
  TempDevice other;
  std::string error;
  const auto fresh = other.root() / "fresh" / "device";
  EXPECT_TRUE(DefaultDevice::isEmpty(fresh));
  ASSERT_TRUE(DefaultDevice::layOut(fresh, DeviceOptions{}, &error)) << error;
  const std::string icon = "/Applications/Preferences.app/WiFi@2x.png";
  host::DeviceFileSystem freshDevice(fresh);
  EXPECT_EQ(*freshDevice.readFile(icon), device.readRaw(icon));

  // Laying out again keeps the user's files.
  device.writeRaw("/Applications/Atlas.app/Info.plist", "changed");
  ASSERT_TRUE(DefaultDevice::layOut(device.root(), DeviceOptions{"iPad", false, true}, &error));
  EXPECT_EQ(device.readRaw("/Applications/Atlas.app/Info.plist"), "changed");
  EXPECT_EQ(DeviceOptions::load(device.fs()).model, "iPad");

  // A file where the device folder should be is an error.
  device.writeRaw("/plain", "x");
  EXPECT_FALSE(DefaultDevice::layOut(device.hostPath("/plain"), DeviceOptions{}, &error));
  EXPECT_FALSE(error.empty());
}

// Every file below `root` by its path relative to it: its permission bits and its bytes.
std::map<std::string, std::pair<std::filesystem::perms, std::string>> contentsOf(
    const std::filesystem::path& root) {
  std::map<std::string, std::pair<std::filesystem::perms, std::string>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string bytes;
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream read;
      read << in.rdbuf();
      bytes = read.str();
    }
    files[entry.path().lexically_relative(root).string()] = {entry.status().permissions(), bytes};
  }
  return files;
}

// A fresh device is written without a flush per file, flushed at the end or not at all, and
// ends up as laying out and installing file by file leaves it.
TEST(FreshDevice, HoldsWhatLayingOutAndInstallingWrite) {
  TempDevice scratch;
  const auto byParts = scratch.root() / "by-parts";
  std::string error;
  ASSERT_TRUE(DefaultDevice::layOut(byParts, DeviceOptions{"iPad", false, false}, &error)) << error;
  host::DeviceFileSystem device(byParts);
  ASSERT_TRUE(Installer::install(device, &error)) << error;
  const auto expected = contentsOf(byParts);
  EXPECT_GT(expected.size(), 100u);
  for (const auto lifetime : {FreshDevice::Lifetime::Kept, FreshDevice::Lifetime::Temporary}) {
    const auto fresh = scratch.root() / (lifetime == FreshDevice::Lifetime::Kept ? "kept" : "temp");
    ASSERT_TRUE(FreshDevice::make(fresh, DeviceOptions{"iPad", false, false}, lifetime, &error))
        << error;
    EXPECT_TRUE(contentsOf(fresh) == expected);
  }
  // A folder that cannot be made is reported.
  scratch.writeRaw("/plain", "x");
  EXPECT_FALSE(FreshDevice::make(scratch.hostPath("/plain") / "device", DeviceOptions{},
                                 FreshDevice::Lifetime::Kept, &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(DeviceTest, DeviceOptionsRoundTripAndApply) {
  EXPECT_EQ(DeviceOptions::load(device.fs()).model, "iPhone");
  DeviceOptions options;
  options.model = "iPod touch";
  options.forceTouch = false;
  options.landscape = true;
  std::string error;
  ASSERT_TRUE(options.save(device.fs(), &error)) << error;
  const DeviceOptions loaded = DeviceOptions::load(device.fs());
  EXPECT_EQ(loaded.model, "iPod touch");
  EXPECT_FALSE(loaded.forceTouch);
  EXPECT_TRUE(loaded.landscape);

  loaded.apply();
  EXPECT_EQ(host::UIDevice::currentDevice()->model(), "iPod touch");
  EXPECT_EQ(host::UITraitCollection::current()->forceTouchCapability(),
            host::UIForceTouchCapabilityUnavailable);

  // Wrong types and junk fall back to the defaults, key by key.
  device.writePlist(DeviceOptions::kPath,
                    host::Plist::dictionary({{"Model", host::Plist::integer(4)},
                                             {"ForceTouch", host::Plist::boolean(false)}}));
  const DeviceOptions odd = DeviceOptions::load(device.fs());
  EXPECT_EQ(odd.model, "iPhone");
  EXPECT_FALSE(odd.forceTouch);
  device.writeRaw(DeviceOptions::kPath, "\x01\x02junk");
  EXPECT_TRUE(DeviceOptions::load(device.fs()).forceTouch);
}

TEST_F(DeviceTest, TheInstallerLaysDownTheLibraryAndItsFilter) {
  std::string error;
  ASSERT_TRUE(Installer::install(device.fs(), &error)) << error;
  EXPECT_GT(device.readRaw(Installer::kLibraryPath).size(), 1000u);
  const host::Plist filter = device.readPlist(Installer::kFilterPath);
  EXPECT_EQ(filter.getPath({"Filter", "Bundles"}),
            host::Plist::array({host::Plist::string("com.apple.preferences"),
                                host::Plist::string("com.apple.springboard")}));
  // The package's control folder stays with the package manager.
  EXPECT_FALSE(device.fs().fileExists("/DEBIAN"));
  // Installing again replaces the files.
  ASSERT_TRUE(Installer::install(device.fs(), &error)) << error;
  EXPECT_TRUE(device.fs().fileExists("/Library/Application Support/Vorlan3"));
}

}  // namespace
}  // namespace vorlan
