#include <gtest/gtest.h>

#include <sstream>

#include "Monkey.h"
#include "MonkeyInvariants.h"
#include "MonkeyShrinker.h"
#include "MonkeyStart.h"
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
