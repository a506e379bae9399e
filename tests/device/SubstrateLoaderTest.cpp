#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceTestSupport.h"
#include "foundation/NSBundle.h"
#include "substrate/SubstrateLoader.h"

namespace vorlan {
namespace {

using host::SubstrateLoader;

class SubstrateLoaderTest : public DeviceTest {
 protected:
  static std::string dir() { return SubstrateLoader::kDirectory; }

  void installProbe(const std::string& name, const std::vector<std::string>& bundles) const {
    std::ifstream in(VORLAN_LOADER_PROBE, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    device.writeRaw(dir() + "/" + name + ".dylib", bytes.str());
    std::vector<host::Plist> names;
    for (const auto& bundle : bundles)
      names.push_back(host::Plist::string(bundle));
    device.writePlist(dir() + "/" + name + ".plist",
                      host::Plist::dictionary({{"Filter", host::Plist::dictionary({{
                                                              "Bundles",
                                                              host::Plist::array(names),
                                                          }})}}));
  }

  static void runAs(const std::string& bundlePath) {
    host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(bundlePath));
  }
};

TEST_F(SubstrateLoaderTest, OpensTheLibrariesWhoseFilterNamesTheApp) {
  installProbe("A", {"com.example.other", "COM.APPLE.Preferences"});
  installProbe("B", {"com.apple.springboard"});
  runAs("/Applications/Preferences.app");
  EXPECT_EQ(SubstrateLoader::loadExtensions(), std::vector<std::string>{dir() + "/A.dylib"});
  EXPECT_TRUE(logMentions("LoaderProbe loaded into com.apple.preferences"));
}

TEST_F(SubstrateLoaderTest, BadFiltersAndLibrariesAreLoggedAndSkipped) {
  device.writeRaw(dir() + "/Broken.plist", "not a property list");
  device.writeRaw(dir() + "/Broken.dylib", "junk");
  // A matching filter whose library is not a library, and one whose library is missing.
  device.writePlist(
      dir() + "/Junk.plist",
      host::Plist::dictionary(
          {{"Filter", host::Plist::dictionary({{
                          "Bundles",
                          host::Plist::array({host::Plist::string("com.apple.springboard")}),
                      }})}}));
  device.writeRaw(dir() + "/Junk.dylib",
                  "\x7f"
                  "ELF but not really");
  device.writePlist(dir() + "/Missing.plist", device.readPlist(dir() + "/Junk.plist"));
  // A filter of the wrong shape matches nothing.
  device.writePlist(dir() + "/Odd.plist",
                    host::Plist::dictionary({{"Filter", host::Plist::string("everything")}}));
  installProbe("Zed", {"com.apple.springboard"});

  runAs("/System/Library/CoreServices/SpringBoard.app");
  EXPECT_EQ(SubstrateLoader::loadExtensions(), std::vector<std::string>{dir() + "/Zed.dylib"});
  EXPECT_TRUE(logMentions("filter " + dir() + "/Broken.plist"));
  EXPECT_TRUE(logMentions("cannot load " + dir() + "/Junk.dylib"));
  EXPECT_TRUE(logMentions("cannot load " + dir() + "/Missing.dylib: no such library"));
  EXPECT_TRUE(logMentions("LoaderProbe loaded into com.apple.springboard"));
}

TEST_F(SubstrateLoaderTest, AnAppWithoutIdentifierOrDeviceLoadsNothing) {
  installProbe("A", {"com.apple.preferences"});
  runAs("/Applications/Nowhere.app");
  EXPECT_TRUE(SubstrateLoader::loadExtensions().empty());
  runAs("/Applications/Preferences.app");
  host::DeviceFileSystem::setCurrent(nullptr);
  EXPECT_TRUE(SubstrateLoader::loadExtensions().empty());
  EXPECT_FALSE(logMentions("LoaderProbe"));
}

}  // namespace
}  // namespace vorlan
