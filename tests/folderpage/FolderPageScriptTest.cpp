#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsChecker.h"
#include "foundation/PropertyListSerialization.h"
#include "sim/SimulatorFixture.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

using host::Plist;

// The folder rows end the main list, below the screen's edge.
constexpr const char* kOpenApps = "launch settings\nwait 0.5\nscroll \"Apps\"\nopen \"Apps\"\n";

class FolderPageScript : public SimulatorTest {
 protected:
  // The settings of a user who has seen the welcome screen.
  void writeSettings(const Plist& root) {
    copyDefaultDevice();
    const auto xml = host::PropertyListSerialization::writeXml(
        root.contains("tutorial") ? root : root.with("tutorial", Plist::boolean(true)));
    ASSERT_TRUE(xml);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
        VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }
  Plist settings() const { return stored(VLPreferencesManager::kSettingsPath); }

  // Opens "Apps", runs the steps there and lists the page's cells; the settings file is then
  // checked as `vorlan prefs check` checks it.
  std::string onAppsPage(const std::string& steps) {
    const ScriptRun result = run(std::string(kOpenApps) + steps + "cells\n");
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(SettingsChecker::check(settings()), std::vector<std::string>{}) << steps;
    return result.out;
  }
};

TEST_F(FolderPageScript, OpenSortRemoveUntilEmptyAndAddThroughThePages) {
  writeSettings(Plist::dictionary(
      {{"folder",
        Plist::dictionary({{"MAIL", Plist::string("Apps")}, {"NOTES", Plist::string("Apps")}})}}));
  std::string out = onAppsPage("");
  EXPECT_TRUE(hasLine(out, "0.0\tMail\tMAIL\t-")) << out;
  EXPECT_TRUE(hasLine(out, "0.1\tNotes\tNOTES\t-")) << out;

  out = onAppsPage(
      "tap \"Edit\"\nwait 0.5\nalert \"Sort\"\nwait 1\nreorder \"Notes\" \"Mail\"\n"
      "tap \"Done\"\nwait 1\n");
  EXPECT_TRUE(hasLine(out, "0.0\tNotes\tNOTES\t-")) << out;
  EXPECT_TRUE(hasLine(out, "0.1\tMail\tMAIL\t-")) << out;

  const std::string removeStep = "tap \"Edit\"\nwait 0.5\nalert \"Remove\"\nwait 1\n";
  out = onAppsPage(removeStep + "tap \"Mail\"\ntap \"Done\"\nwait 1\n");
  EXPECT_TRUE(hasLine(out, "0.0\tNotes\tNOTES\t-")) << out;
  EXPECT_EQ(out.find("MAIL"), std::string::npos) << out;

  out = onAppsPage(removeStep + "tap \"Notes\"\ntap \"Done\"\nwait 1\ntexts\n");
  EXPECT_NE(out.find("You can add settings to Apps by swiping on a cell and tapping 'Folder'"),
            std::string::npos)
      << out;
  EXPECT_TRUE(settings().get("folder").get("NOTES").isNone());

  out = onAppsPage(
      "tap \"Edit\"\nwait 0.5\nalert \"Add\"\nwait 1\ntap \"Wi-Fi\"\ntap \"Done\"\nwait 1\n");
  EXPECT_TRUE(hasLine(out, "0.0\tWi-Fi\tWIFI\t-")) << out;
  EXPECT_EQ(settings().get("folder").get("WIFI"), Plist::string("APPS"));
}

TEST_F(FolderPageScript, AProtectedRowAsksForThePasscodeAndADisabledRowStaysClosed) {
  const auto byMain = [](const char* id, Plist value) {
    return Plist::dictionary({{"PSUIPrefsListController", Plist::dictionary({{id, value}})}});
  };
  writeSettings(Plist::dictionary(
      {{"password", Plist::string("1234")},
       {"class", Plist::dictionary({{"General", Plist::string("PSUIPrefsListController")},
                                    {"DISPLAY", Plist::string("PSUIPrefsListController")}})},
       {"passcode", byMain("General", Plist::boolean(true))},
       {"enabled", byMain("DISPLAY", Plist::boolean(false))},
       {"folder", Plist::dictionary(
                      {{"General", Plist::string("Apps")}, {"DISPLAY", Plist::string("Apps")}})}}));
  const ScriptRun result = run(std::string(kOpenApps) +
                               "cells\ntap \"General\"\nwait 1\ntexts\ncells\n"
                               "tap \"1\"\ntap \"2\"\ntap \"3\"\ntap \"4\"\nwait 1.5\ncells\n"
                               "back\nwait 1\nopen \"Display & Brightness\"\n");
  // The disabled row opens no page: the run ends there with an error.
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("opened no page"), std::string::npos) << result.err;

  EXPECT_TRUE(hasLine(result.out, "0.0\tDisplay & Brightness\tDISPLAY\tdisabled")) << result.out;
  const auto asked = result.out.find("Enter your passcode");
  ASSERT_NE(asked, std::string::npos) << result.out;
  // Before the passcode the folder page stays on top; after it, General's own page.
  const auto opened = result.out.find("\tAbout\tABOUT\t");
  ASSERT_NE(opened, std::string::npos) << result.out;
  EXPECT_LT(asked, opened);
}

}  // namespace
}  // namespace vorlan
