#include <gtest/gtest.h>

#include <sstream>

#include "Monkey.h"
#include "MonkeyChooser.h"
#include "MonkeyInvariants.h"
#include "MonkeyShrinker.h"
#include "MonkeyStart.h"
#include "ScriptParser.h"
#include "SettingsChecker.h"
#include "sim/SimulatorFixture.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {

namespace {

class MonkeyTest : public SimulatorTest {
 protected:
  void SetUp() override {
    copyDefaultDevice();
    std::string error;
    ASSERT_TRUE(MonkeyStart::prepare(device, error)) << error;
  }
  void write(const std::string& devicePath, const host::Plist& value) const {
    const auto bytes = host::PropertyListSerialization::writeXml(value);
    ASSERT_TRUE(bytes);
    std::string error;
    ASSERT_TRUE(host::DeviceFileSystem(device).writeFileAtomically(devicePath, *bytes, &error))
        << error;
  }
};

ScriptCommand tapOn(const std::string& text) {
  ScriptCommand command;
  command.kind = ScriptCommand::Kind::TapText;
  command.text = text;
  return command;
}

}  // namespace

// The start state is one the extension itself could have written.
TEST_F(MonkeyTest, StartSettingsPassTheChecks) {
  EXPECT_EQ(SettingsChecker::check(MonkeyStart::settings()), std::vector<std::string>());
  EXPECT_EQ(stored(VLPreferencesManager::kSettingsPath).get("password").asString() != nullptr,
            true);
}

// A row disabled in the settings file stays closed even when tapped before the main list has
// been rewritten (its app cells arrive a few frames after launch).
TEST_F(MonkeyTest, DisabledRowStaysClosedRightAfterLaunch) {
  const auto result =
      run("launch springboard\nlaunch settings\ntap \"Display & Brightness\"\nwait 1\npages\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out.find("DISPLAY"), std::string::npos) << result.out;
}

// A flag saved on a folder page (a hide taken back there) records the folder page as the row's
// page; the protection it has from the main list still holds on the folder page.
TEST_F(MonkeyTest, ProtectedRowInAFolderStaysClosedAfterAFlagSavedThere) {
  write(VLPreferencesManager::kSettingsPath,
        MonkeyStart::settings()
            .withPath({"class", "Privacy"}, host::Plist::string("folderController"))
            .withPath({"hidden", "folderController", "Privacy"}, host::Plist::boolean(false)));
  const auto result =
      run("launch springboard\nlaunch settings\nscroll \"Vault\"\ntap \"Vault\"\nwait 1\n"
          "tap \"Privacy\"\nwait 1\npages\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find("folderController"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("PSUIPrivacyController"), std::string::npos) << result.out;
}

// The same holds for a disabled switch: flipped before the main list is rewritten, it springs
// back and its app's value stays as it was.
TEST_F(MonkeyTest, DisabledSwitchStaysRightAfterLaunch) {
  const auto start = MonkeyStart::settings();
  const auto mainList = start.getPath({"passcode", "PSUIPrefsListController"});
  write(VLPreferencesManager::kSettingsPath,
        start
            .withPath({"enabled", "PSUIPrefsListController", "AIRPLANE_MODE"},
                      host::Plist::boolean(false))
            .withPath({"passcode", "PSUIPrefsListController"}, mainList.without("AIRPLANE_MODE")));
  const auto result =
      run("launch springboard\nlaunch settings\ntoggle \"Airplane Mode\"\nwait 1\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find("Airplane Mode\tAIRPLANE_MODE\tdisabled,switch:off"), std::string::npos)
      << result.out;
  EXPECT_FALSE(stored("/var/mobile/Library/Preferences/com.apple.radios.plist")
                   .get("AirplaneMode")
                   .asBoolean()
                   .value_or(false));
}

TEST_F(MonkeyTest, InvariantsReportBypassesAndBrokenSettings) {
  MonkeyInvariants invariants(device);
  EXPECT_FALSE(invariants.afterStep("nothing on screen shows \"Wi-Fi\""));
  EXPECT_FALSE(invariants.pages({{"0", "PSUIPrefsListController", "", "Settings"},
                                 {"1", "PSUINotesController", "NOTES", "Notes"}}));
  const auto page = invariants.pages({{"0", "PSUIPrefsListController", "", "Settings"},
                                      {"1", "folderController", "", "Vault"},
                                      {"2", "PSUIPrivacyController", "Privacy", "Privacy"}});
  ASSERT_TRUE(page);
  EXPECT_EQ(page->kind, "bypass");
  const auto death = invariants.afterStep("the Settings app was killed by signal 11 (SIGSEGV)");
  ASSERT_TRUE(death);
  EXPECT_EQ(death->kind, "crash");

  write("/var/mobile/Library/Preferences/com.apple.radios.plist",
        host::Plist::dictionary({{"AirplaneMode", host::Plist::boolean(true)}}));
  const auto flipped = invariants.afterStep("");
  ASSERT_TRUE(flipped);
  EXPECT_EQ(flipped->kind, "bypass");

  write(VLPreferencesManager::kSettingsPath,
        MonkeyStart::settings().withPath({"tags", "3"}, host::Plist()));
  const auto gap = invariants.afterStep("");
  ASSERT_TRUE(gap);
  EXPECT_EQ(gap->kind, "settings");
}

// Delta debugging keeps only the steps the failure needs, in their order.
TEST(MonkeyShrinkerTest, KeepsOnlyTheStepsTheFailureNeeds) {
  std::vector<ScriptCommand> steps;
  for (int i = 0; i < 40; ++i)
    steps.push_back(tapOn("step " + std::to_string(i)));
  const auto has = [](const std::vector<ScriptCommand>& list, const std::string& text) {
    for (const auto& command : list) {
      if (command.text == text) return true;
    }
    return false;
  };
  MonkeyShrinker shrinker(
      [&](const std::vector<ScriptCommand>& list) {
        return has(list, "step 7") && has(list, "step 31");
      },
      std::chrono::seconds(30));
  const auto shrunk = shrinker.shrink(steps);
  EXPECT_TRUE(shrinker.reproduced());
  ASSERT_EQ(shrunk.size(), 2u);
  EXPECT_EQ(shrunk[0].text, "step 7");
  EXPECT_EQ(shrunk[1].text, "step 31");
}

// Every step reads back from its script line as it was taken (a failure's script replays it),
// and none presses or types the digit that would complete the passcode.
TEST(MonkeyChooserTest, StepsReadBackAndNeverCompleteThePasscode) {
  MonkeyScreen list;
  list.texts = MonkeyScreen::parseTexts(
      "0\t0\t375\t20\t9:41 AM\n337\t27\t30\t30\tVorlan\n59\t99\t225\t44\tAirplane Mode\n"
      "59\t143\t268\t44\tWi-Fi \"5\"\n0\t300\t375\t300\tClose\n10\t10\t9\t9\tHidden\n");
  list.cells = MonkeyScreen::parseCells(
      "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:off\n0.1\tWi-Fi \"5\"\tWIFI\t-\n"
      "0.2\tPrivacy\tPrivacy\t-\n");
  MonkeyScreen keypad;
  keypad.texts = MonkeyScreen::parseTexts(
      "100\t100\t52\t52\t1\n170\t100\t52\t52\t2\n0\t0\t200\t35\tEnter your passcode\n");
  ASSERT_TRUE(keypad.keypad());
  MonkeyChooser chooser(3);
  for (int i = 0; i < 3000; ++i) {
    const auto step = chooser.next(i % 3 == 0 ? keypad : list);
    const std::string line = step.scriptLine();
    std::string error;
    const auto parsed = ScriptParser::parse(line, &error);
    ASSERT_TRUE(parsed && parsed->size() == 1) << line << ": " << error;
    const auto& back = parsed->front();
    EXPECT_EQ(back.kind, step.kind) << line;
    EXPECT_EQ(back.text, step.text) << line;
    EXPECT_EQ(back.other, step.other) << line;
    EXPECT_EQ(back.numbers, step.numbers) << line;
    if (step.kind == ScriptCommand::Kind::TapText) {
      EXPECT_NE(step.text, "1");
    }
    if (step.kind == ScriptCommand::Kind::Type) {
      EXPECT_EQ(step.text.find('1'), std::string::npos) << line;
    }
    // While a keypad is up nothing touches a point of the screen.
    using Kind = ScriptCommand::Kind;
    if (i % 3 == 0 && (step.kind == Kind::Tap || step.kind == Kind::Drag ||
                       step.kind == Kind::Hold || step.kind == Kind::Press)) {
      ADD_FAILURE() << line;
    }
  }
}

// The same seed takes the same steps.
TEST(MonkeyRunTest, SameSeedSameSteps) {
  std::ostringstream first;
  std::ostringstream second;
  Monkey::Options options;
  options.seed = 7;
  options.steps = 60;
  options.trace = &first;
  const auto one = Monkey::run(options);
  options.trace = &second;
  const auto two = Monkey::run(options);
  EXPECT_TRUE(one.error.empty()) << one.error;
  EXPECT_FALSE(one.failure) << one.failure->what;
  EXPECT_EQ(first.str(), second.str());
  EXPECT_EQ(one.stats.steps, 60u);
}

}  // namespace vorlan
