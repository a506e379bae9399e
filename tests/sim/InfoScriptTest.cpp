#include <gtest/gtest.h>

#include <string>

#include "SimulatorFixture.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

using host::Plist;

// A new user's scripts: the welcome screen and its video, a peek at a protected row, Reset.
class InfoScriptTest : public SimulatorTest {
 protected:
  // A user who has seen the welcome screen and protected Wi-Fi, with `passcode` (maybe none).
  void storeProtectedWifi(const std::string& passcode) {
    if (!std::filesystem::exists(device)) copyDefaultDevice();
    const auto byMain = [](Plist value) { return Plist::dictionary({{"WIFI", std::move(value)}}); };
    const auto xml = host::PropertyListSerialization::writeXml(Plist::dictionary(
        {{"password", Plist::string(passcode)},
         {"tutorial", Plist::boolean(true)},
         {"class", byMain(Plist::string("PSUIPrefsListController"))},
         {"passcode",
          Plist::dictionary({{"PSUIPrefsListController", byMain(Plist::boolean(true))}})}}));
    std::string error;
    ASSERT_TRUE(xml && host::DeviceFileSystem(device).writeFileAtomically(
                           VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }
  static bool shows(const std::string& texts, const std::string& text) {
    return texts.find("\t" + text + "\n") != std::string::npos;
  }
};

TEST_F(InfoScriptTest, TheWelcomeScreenShowsOncePerFreshDeviceAndItsTutorialPlays) {
  ScriptRun result =
      run("launch springboard\nlaunch settings\nwait 1\ntexts\ntap \"Tutorial\"\nwait 1\nevents\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(shows(result.out, "Welcome to \\nVorlan")) << result.out;
  EXPECT_NE(result.out.find("\nplay https://"), std::string::npos) << result.out;

  result = run("launch springboard\nlaunch settings\nwait 1\nrespring\nwait 1\ntexts\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_FALSE(shows(result.out, "Welcome to \\nVorlan")) << result.out;
  EXPECT_TRUE(shows(result.out, "General")) << result.out;
}

TEST_F(InfoScriptTest, APeekOnAProtectedRowAsksForThePasscodeAndAnOpenRowIsPreviewed) {
  storeProtectedWifi("1234");
  ScriptRun result = run("launch settings\nwait 1\nlog\npress \"Wi-Fi\"\nwait 1\ntexts\nlog\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out.find("Peek:"), std::string::npos) << result.out;
  EXPECT_TRUE(shows(result.out, "Enter your passcode")) << result.out;

  result = run("launch settings\nwait 1\nlog\npress \"Bluetooth\"\nwait 1\nlog\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find("Peek: previewed "), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("Airplane Mode"), std::string::npos) << result.out;
}

// The "Info" entry, last on the configuration page, shows once the page is scrolled.
TEST_F(InfoScriptTest, ResetOnTheInfoPageErasesEverythingAndResprings) {
  const std::string reset =
      "launch springboard\nlaunch settings\nwait 1\ntap \"Vorlan\"\nwait 1\n"
      "scroll \"Info\"\ntexts\n"
      "tap \"Info\"\nwait 1\ntap \"Reset\"\nwait 0.5\n";
  storeProtectedWifi("1234");
  ScriptRun result = run(reset + "type \"4321\"\nalert \"Yes\"\nwait 0.5\nevents\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out.find("killall"), std::string::npos) << result.out;
  EXPECT_EQ(stored(VLPreferencesManager::kSettingsPath).get("password"), Plist::string("1234"));

  for (const std::string passcode : {"1234", ""}) {
    storeProtectedWifi(passcode);
    result = run(reset + (passcode.empty() ? "" : "type \"1234\"\nalert \"Yes\"\n") + "events\n");
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("system killall -HUP SpringBoard"), std::string::npos) << result.out;
    // Settings came back from what is on disk: the protection is gone.
    EXPECT_TRUE(stored(VLPreferencesManager::kSettingsPath).get("passcode").isNone()) << passcode;
  }
}

}  // namespace
}  // namespace vorlan
