#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SimulatorFixture.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

constexpr const char* kWelcome = "Welcome to \\nVorlan";
constexpr const char* kRestart = "system killall -HUP SpringBoard";

// Scripts of a new user on a fresh default device: the welcome screen and its video, the info
// page's Reset, and a peek at a protected row.
class InfoScriptTest : public SimulatorTest {
 protected:
  // Settings with the welcome screen seen, Wi-Fi protected on the main list and, unless empty,
  // the passcode.
  static host::Plist protectedWifi(const std::string& passcode) {
    const auto byMain = [](host::Plist value) {
      return host::Plist::dictionary({{"WIFI", std::move(value)}});
    };
    return host::Plist::dictionary(
        {{"password", host::Plist::string(passcode)},
         {"tutorial", host::Plist::boolean(true)},
         {"class", byMain(host::Plist::string("PSUIPrefsListController"))},
         {"passcode", host::Plist::dictionary(
                          {{"PSUIPrefsListController", byMain(host::Plist::boolean(true))}})}});
  }
  void storeSettings(const host::Plist& settings) {
    if (!std::filesystem::exists(device)) copyDefaultDevice();
    const auto xml = host::PropertyListSerialization::writeXml(settings);
    ASSERT_TRUE(xml);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
        VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }
  static bool shows(const std::string& texts, const std::string& text) {
    return texts.find("\t" + text + "\n") != std::string::npos;
  }
};

TEST_F(InfoScriptTest, TheWelcomeScreenShowsOncePerFreshDeviceAndItsTutorialPlays) {
  ScriptRun result =
      run("launch springboard\nlaunch settings\nwait 1\ntexts\nevents\ntap \"Tutorial\"\nwait 1\n"
          "events\nback\nwait 1\ntexts\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const auto played = result.out.find("\nplay https://");
  ASSERT_NE(played, std::string::npos) << result.out;
  EXPECT_TRUE(shows(result.out.substr(0, played), kWelcome)) << result.out;
  EXPECT_FALSE(shows(result.out.substr(played), kWelcome)) << result.out;
  EXPECT_TRUE(shows(result.out.substr(played), "General")) << result.out;

  // Not again: neither after a respring nor in a later run on the same device.
  result = run("launch springboard\nlaunch settings\nwait 1\nrespring\nwait 1\ntexts\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_FALSE(shows(result.out, kWelcome)) << result.out;
  EXPECT_TRUE(shows(result.out, "General")) << result.out;
}

TEST_F(InfoScriptTest, APeekOnAProtectedRowAsksForThePasscodeAndAnOpenRowIsPreviewed) {
  storeSettings(protectedWifi("1234"));
  ScriptRun result = run("launch settings\nwait 1\nlog\npress \"Wi-Fi\"\nwait 1\ntexts\nlog\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out.find("Peek:"), std::string::npos) << result.out;
  EXPECT_TRUE(shows(result.out, "Enter your passcode")) << result.out;
  EXPECT_TRUE(shows(result.out, "Airplane Mode")) << result.out;  // the main list stays

  result = run("launch settings\nwait 1\nlog\npress \"Bluetooth\"\nwait 1\nlog\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find("Peek: previewed "), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("Airplane Mode"), std::string::npos) << result.out;
}

// Reset on the info page, behind the configuration page's "Info" entry: this script waits for
// that entry and is skipped until the configuration page shows it.
TEST_F(InfoScriptTest, ResetOnTheInfoPageErasesEverythingAndResprings) {
  storeSettings(protectedWifi("1234"));
  const std::string open = "launch springboard\nlaunch settings\nwait 1\ntap \"Vorlan\"\nwait 1\n";
  ScriptRun result = run(open + "texts\n");
  ASSERT_EQ(result.code, 0) << result.err;
  if (!shows(result.out, "Info")) GTEST_SKIP() << "the configuration page has no Info entry yet";

  const auto before = stored(VLPreferencesManager::kSettingsPath);
  result = run(open +
               "tap \"Info\"\nwait 1\ntap \"Reset\"\nwait 0.5\ntype \"4321\"\n"
               "alert \"Yes\"\nwait 0.5\nevents\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out.find(kRestart), std::string::npos) << result.out;
  EXPECT_EQ(stored(VLPreferencesManager::kSettingsPath), before);

  result = run(open +
               "tap \"Info\"\nwait 1\ntap \"Reset\"\nwait 0.5\ntype \"1234\"\n"
               "alert \"Yes\"\nwait 0.5\nevents\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find(kRestart), std::string::npos) << result.out;
  // Settings came back from what is on disk: nothing of the passcode or the protection.
  const auto after = stored(VLPreferencesManager::kSettingsPath);
  EXPECT_TRUE(after.get("password").isNone()) << result.out;
  EXPECT_TRUE(after.get("passcode").isNone());

  // Without a passcode, Reset erases at once.
  storeSettings(protectedWifi(""));
  result = run(open + "tap \"Info\"\nwait 1\ntap \"Reset\"\nwait 0.5\nevents\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find(kRestart), std::string::npos) << result.out;
  EXPECT_TRUE(stored(VLPreferencesManager::kSettingsPath).get("passcode").isNone());
}

}  // namespace
}  // namespace vorlan
