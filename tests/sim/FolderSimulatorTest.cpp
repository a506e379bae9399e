#include <gtest/gtest.h>

#include <string>

#include "SettingsChecker.h"
#include "SimulatorFixture.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

// Files the row showing TITLE into the third folder through the cell action menu: swipe, Folder,
// two pages along the strip, Select.
std::string fileIntoApps(const std::string& title) {
  return "drag \"" + title +
         "\" -250 0 0.3\nwait 1\ntap \"Folder\"\nwait 1\n"
         "drag \"SETTINGS\" -150 0 0.3\nwait 1\ndrag \"CYDIA\" -150 0 0.3\nwait 1\n"
         "tap \"Select\"\nwait 1\n";
}

TEST_F(SimulatorTest, RowsFiledThroughTheMenuLeaveTheMainListAndStayFiledAfterARespring) {
  // The first back closes the welcome screen of a fresh device.
  ScriptRun result = run("launch settings\nwait 1\nback\nwait 0.5\n" + fileIntoApps("Wi-Fi") +
                         fileIntoApps("Bluetooth") + "cells\nrespring\nwait 1\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const host::Plist root = stored(VLPreferencesManager::kSettingsPath);
  EXPECT_EQ(root.get("folder").get("WIFI"), host::Plist::string("APPS"));
  EXPECT_EQ(root.get("folder").get("Bluetooth"), host::Plist::string("APPS"));
  EXPECT_TRUE(SettingsChecker::check(root).empty());
  // Neither listing shows them; the folder rows end the list.
  EXPECT_EQ(result.out.find("\tWIFI\t"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("\tBluetooth\t"), std::string::npos) << result.out;
  const auto respring = result.out.find("0.0\tAirplane Mode", result.out.find("7.5\tProtected"));
  EXPECT_NE(respring, std::string::npos) << result.out;
  EXPECT_TRUE(hasLine(result.out.substr(respring), "7.2\tApps\tApps\t-")) << result.out;
}

}  // namespace
}  // namespace vorlan
