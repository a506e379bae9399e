#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "SimulatorFixture.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

constexpr const char* kStart = "launch springboard\nlaunch settings\nwait 1\n";

// How many lines of `texts` output show TEXT.
long showing(const std::string& texts, const std::string& text) {
  std::istringstream lines(texts);
  long count = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.ends_with("\t" + text)) ++count;
  }
  return count;
}

// As a new user would: past the welcome screen, Wi-Fi is moved below Notifications with the
// menu's Position and stays there after Settings is launched again; the configuration page's
// "Position" list resets it with a swipe, the main list shows it back in its place at once and
// after another launch, and the file keeps no place for it.
TEST_F(SimulatorTest, ARowMovedAndRelaunchedIsResetFromThePositionList) {
  const std::string moved = "1.1\tWi-Fi\tWIFI\t-";
  const std::string home = "0.1\tWi-Fi\tWIFI\t-";
  ScriptRun result = run(
      std::string(kStart) + "back\nwait 1\ndrag \"Wi-Fi\" -250 0 0.3\nwait 1\ntap \"Position\"\n" +
      "wait 1\nreorder \"Wi-Fi\" \"Notifications\"\nwait 0.5\ndismiss\nwait 1\n");
  ASSERT_EQ(result.code, 0) << result.err << result.out;
  const host::Plist settings = stored(VLPreferencesManager::kSettingsPath);
  ASSERT_TRUE(settings.getPath({"position", "PSUIPrefsListController", "WIFI"}).isDictionary());

  // The "Position" entry is below the screen's edge until the page is scrolled.
  result = run(std::string(kStart) + "cells\ntap \"Vorlan\"\nwait 1\n" +
               "drag \"Tags\" 0 -300 0.5\nwait 1\ntap \"Position\"\nwait 1.5\ntexts\n" +
               "drag \"Wi-Fi\" -100 0\nwait 0.5\ntap \"Delete\"\nwait 1\ncells\ntexts\n" + kStart +
               "cells\n");
  ASSERT_EQ(result.code, 0) << result.err << result.out;
  const auto listed = result.out.find("\tSwipe to reset the position\\nof a cell\n");
  ASSERT_NE(listed, std::string::npos) << result.out;
  const std::string relaunched = result.out.substr(0, listed);
  EXPECT_TRUE(hasLine(relaunched, moved)) << relaunched;
  const std::string list = result.out.substr(listed);
  const auto reset = list.find("0.-\t");
  ASSERT_NE(reset, std::string::npos) << list;
  // The main list's own Wi-Fi row shows beside the panel too: the list adds one more.
  EXPECT_EQ(showing(list.substr(0, reset), "Wi-Fi"), 2) << list;
  // Reset at once on the page under the panel, with the row gone from the list, and again on
  // the next launch.
  const std::string after = list.substr(reset);
  const auto second = after.find("0.-\t", 1);
  ASSERT_NE(second, std::string::npos) << after;
  EXPECT_TRUE(hasLine(after.substr(0, second), home)) << after;
  EXPECT_FALSE(hasLine(after.substr(0, second), moved)) << after;
  EXPECT_EQ(showing(after.substr(0, second), "Wi-Fi"), 1) << after;
  EXPECT_TRUE(hasLine(after.substr(second), home)) << after;

  const host::Plist place = stored(VLPreferencesManager::kSettingsPath)
                                .getPath({"position", "PSUIPrefsListController", "WIFI"});
  EXPECT_TRUE(place.isNone()) << "no place is kept for Wi-Fi";
}

}  // namespace
}  // namespace vorlan
