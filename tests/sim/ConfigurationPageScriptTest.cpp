#include <gtest/gtest.h>

#include <string>

#include "SimulatorFixture.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

using host::Plist;

constexpr const char* kStart = "launch springboard\nlaunch settings\nwait 0.5\n";
// The gear, found by its label, opens the configuration page.
constexpr const char* kOpenPage = "tap \"Vorlan\"\nwait 1\n";

// Taps the keypad's keys, then lets the keypad answer.
std::string type(const std::string& digits, double wait = 1) {
  std::string script;
  for (const char digit : digits)
    script += "tap \"" + std::string(1, digit) + "\"\n";
  return script + "wait " + std::to_string(wait) + "\n";
}

// Swipes a row of the main list open and taps a button of its menu.
std::string menuAction(const std::string& row, const std::string& button) {
  return "drag \"" + row + "\" -250 0 0.3\nwait 1\ntap \"" + button + "\"\nwait 1.5\n";
}

// What follows the first occurrence of `marker` in `text` (nothing when it is missing).
std::string after(const std::string& text, const std::string& marker) {
  const auto at = text.find(marker);
  return at == std::string::npos ? std::string() : text.substr(at + marker.size());
}

// Scripts through the configuration page and the cell menu, the settings file read after each.
class ConfigurationPageScript : public SimulatorTest {
 protected:
  Plist settings() const { return stored(VLPreferencesManager::kSettingsPath); }
  Plist onMainList(const std::string& table) const {
    return settings().getPath({table, "PSUIPrefsListController"});
  }
  // A user who has seen the welcome screen, with a passcode unless it is empty.
  void seenWelcome(const std::string& passcode = "1234") {
    copyDefaultDevice();
    Plist settings = Plist::dictionary({{"tutorial", Plist::boolean(true)}});
    if (!passcode.empty()) settings = settings.with("password", Plist::string(passcode));
    const auto xml = host::PropertyListSerialization::writeXml(settings);
    ASSERT_TRUE(xml);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(
        VLPreferencesManager::kSettingsPath, *xml, &error))
        << error;
  }
  void expectRun(const ScriptRun& result) const { ASSERT_EQ(result.code, 0) << result.err; }
};

TEST_F(ConfigurationPageScript, PasscodeEntrySetsAPasscodeAfterAMismatchAndChangesItAfterTheOld) {
  seenWelcome("");
  ScriptRun result =
      run(std::string(kStart) + kOpenPage + "tap \"Passcode\"\nwait 1.5\ntexts\n" +
          type("1234", 0.5) + "texts\n" + type("1243") + "texts\nprefs\n" + type("1234"));
  expectRun(result);
  EXPECT_NE(result.out.find("\tEnter your new passcode\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\tRe enter your password\n"), std::string::npos) << result.out;
  const std::string mismatched = after(result.out, "\tError\n");
  ASSERT_FALSE(mismatched.empty()) << result.out;
  EXPECT_EQ(mismatched.find("\"password\""), std::string::npos) << "nothing saved on a mismatch";
  // The first entry was kept: typed again, it is the passcode.
  EXPECT_EQ(settings().get("password"), Plist::string("1234"));

  result =
      run(std::string(kStart) + kOpenPage + "tap \"Passcode\"\nwait 1.5\ntexts\n" + type("9876") +
          "texts\n" + type("1234", 0.5) + "texts\n" + type("5678", 0.5) + type("5678"));
  expectRun(result);
  const std::string old = after(result.out, "\tEnter your old passcode\n");
  const std::string wrong = after(old, "\tWrong password\n");
  EXPECT_NE(after(wrong, "\tEnter your new password\n"), "") << result.out;
  EXPECT_EQ(settings().get("password"), Plist::string("5678"));
}

TEST_F(ConfigurationPageScript, ARowProtectedThroughTheMenuOpensOnlyWithThePasscode) {
  seenWelcome();
  ScriptRun result = run(kStart + menuAction("General", "Passcode") + type("1234"));
  expectRun(result);
  EXPECT_EQ(onMainList("passcode").get("General"), Plist::integer(1));

  result = run(std::string(kStart) + "events\ntap \"General\"\nwait 1.5\ntexts\n" + type("9876") +
               "events\ncells\n" + type("1234", 1.5) + "cells\n");
  expectRun(result);
  const std::string asked = after(result.out, "\tEnter your passcode\n");
  ASSERT_FALSE(asked.empty()) << result.out;
  const std::string opened = after(asked, "0.0\tAbout\tABOUT\t-");
  const std::string wrong = asked.substr(0, asked.size() - opened.size());
  EXPECT_TRUE(hasLine(wrong, "sound 4095")) << wrong;
  EXPECT_TRUE(hasLine(wrong, "2.0\tGeneral\tGeneral\t-")) << "the main list stays: " << wrong;
  EXPECT_NE(opened, "") << "the right passcode opens General: " << result.out;
}

TEST_F(ConfigurationPageScript, AProtectedSwitchChangesOnlyAfterThePasscode) {
  const std::string radios = "/var/mobile/Library/Preferences/com.apple.radios.plist";
  seenWelcome();
  ScriptRun result = run(kStart + menuAction("Airplane Mode", "Passcode") + type("1234") +
                         "toggle \"Airplane Mode\"\nwait 1.5\n" + type("9876") + "cells\n");
  expectRun(result);
  EXPECT_EQ(onMainList("passcode").get("AIRPLANE_MODE"), Plist::integer(1));
  EXPECT_TRUE(hasLine(result.out, "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:off")) << result.out;
  EXPECT_NE(stored(radios).get("AirplaneMode"), Plist::boolean(true));

  result = run(std::string(kStart) + "toggle \"Airplane Mode\"\nwait 1.5\n" + type("1234", 1.5) +
               "cells\n");
  expectRun(result);
  EXPECT_TRUE(hasLine(result.out, "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:on")) << result.out;
  EXPECT_EQ(stored(radios).get("AirplaneMode"), Plist::boolean(true));
}

TEST_F(ConfigurationPageScript, ADisabledRowIsEnabledAgainFromTheDisabledListBehindThePasscode) {
  seenWelcome();
  ScriptRun result = run(kStart + menuAction("Wallpaper", "Disable") + type("1234") + "cells\n");
  expectRun(result);
  EXPECT_TRUE(hasLine(result.out, "2.2\tWallpaper\tWALLPAPER\tdisabled")) << result.out;
  EXPECT_EQ(onMainList("enabled").get("WALLPAPER"), Plist::boolean(false));

  // The Disabled entry sits below the screen's edge until the page is scrolled.
  const std::string openList =
      std::string(kOpenPage) + "scroll \"Disabled\"\nwait 0.5\ntap \"Disabled\"\nwait 1.5\n";
  result = run(kStart + openList + type("9876") + "texts\nevents\n" + type("1234", 1.5) +
               "texts\ndrag \"Wallpaper\" -100 0\nwait 0.5\ntap \"Delete\"\nwait 1\ndismiss\n" +
               "wait 1\n" + kOpenPage + "cells\n");
  expectRun(result);
  const std::string wrong = result.out.substr(0, result.out.find("sound 4095"));
  EXPECT_NE(wrong.find("\tEnter your passcode\n"), std::string::npos) << result.out;
  EXPECT_EQ(wrong.find("Swipe to reset"), std::string::npos) << "closed after a wrong passcode";
  const std::string opened = after(result.out, "\tSwipe to reset the state\\nof a cell\n");
  ASSERT_FALSE(opened.empty()) << result.out;
  EXPECT_TRUE(hasLine(opened, "2.2\tWallpaper\tWALLPAPER\t-")) << opened;
  EXPECT_FALSE(onMainList("enabled").contains("WALLPAPER"));
}

TEST_F(ConfigurationPageScript, TwoHiddenRowsAndOneBroughtBackFromTheHiddenList) {
  seenWelcome("");
  ScriptRun result =
      run(kStart + menuAction("Wi-Fi", "Hide") + menuAction("Bluetooth", "Hide") + "cells\n");
  expectRun(result);
  EXPECT_FALSE(hasLine(result.out, "0.1\tWi-Fi\tWIFI\t-")) << result.out;
  EXPECT_EQ(onMainList("hidden").get("WIFI"), Plist::boolean(true));
  EXPECT_EQ(onMainList("hidden").get("Bluetooth"), Plist::boolean(true));

  result = run(std::string(kStart) + kOpenPage + "tap \"Hidden\"\nwait 1.5\n" +
               "toggle \"Wi-Fi\"\nwait 0.5\ndismiss\nwait 1\n" + kOpenPage + "cells\n");
  expectRun(result);
  EXPECT_TRUE(hasLine(result.out, "0.1\tWi-Fi\tWIFI\t-")) << result.out;
  EXPECT_EQ(result.out.find("\tBluetooth\tBluetooth\t"), std::string::npos) << result.out;
  EXPECT_FALSE(onMainList("hidden").contains("WIFI"));
  EXPECT_EQ(onMainList("hidden").get("Bluetooth"), Plist::boolean(true));
}

// Tags opens the tag list; Folders the folder picker in editing mode, its tiles offering
// "Personalize"; Position the moved-cells list and Info the info page, both further down.
TEST_F(ConfigurationPageScript, TheOtherEntriesOpenTheirPanels) {
  seenWelcome("");
  const ScriptRun result =
      run(std::string(kStart) + kOpenPage + "tap \"Tags\"\nwait 1.5\ntexts\ndismiss\nwait 1\n" +
          "tap \"Folders\"\nwait 1.5\ntexts\ndismiss\nwait 1\nscroll \"Position\"\n" +
          "tap \"Position\"\nwait 1.5\ntexts\ndismiss\nwait 1\ntap \"Info\"\nwait 1.5\ntexts\n");
  expectRun(result);
  const std::string folders = after(result.out, "\tRed\n");
  const std::string positions = after(folders, "\tPersonalize\n");
  const std::string info = after(positions, "\tYou didn't change the position of any cell\n");
  EXPECT_NE(info.find("\tReset\n"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace vorlan
