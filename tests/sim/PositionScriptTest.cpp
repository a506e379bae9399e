#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "SimulatorFixture.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

long countLines(const std::string& text, const std::string& line) {
  std::istringstream lines(text);
  long count = 0;
  for (std::string each; std::getline(lines, each);) {
    if (each == line) ++count;
  }
  return count;
}

// As a new user would: close the welcome screen, swipe Wi-Fi to its menu, Position, drag its row
// onto the second group's first row (which makes way upwards), close the editor. The main list
// shows it there at once, and again after SpringBoard restarts (which ends and relaunches Settings
// from what is stored).
TEST_F(SimulatorTest, ARowMovedInThePositionEditorKeepsItsPlaceAfterARespring) {
  const ScriptRun result =
      run("launch springboard\nlaunch settings\nwait 1\nback\nwait 1\n"
          "drag \"Wi-Fi\" -250 0 0.3\nwait 1\n"
          "tap \"Position\"\nwait 1\n"
          "reorder \"Wi-Fi\" \"Notifications\"\nwait 0.5\n"
          "dismiss\nwait 1\ncells\n"
          "respring\nwait 1\ncells\n");
  ASSERT_EQ(result.code, 0) << result.err << result.out;
  EXPECT_EQ(countLines(result.out, "1.1\tWi-Fi\tWIFI\t-"), 2) << result.out;
  EXPECT_EQ(countLines(result.out, "0.1\tBluetooth\tBluetooth\t-"), 2) << result.out;
  EXPECT_EQ(countLines(result.out, "1.0\tNotifications\tNOTIFICATIONS_ID\t-"), 2) << result.out;
  const host::Plist place = stored(VLPreferencesManager::kSettingsPath)
                                .getPath({"position", "PSUIPrefsListController", "WIFI"});
  EXPECT_EQ(place, host::Plist::dictionary(
                       {{"section", host::Plist::string("1")}, {"row", host::Plist::string("2")}}));
}

}  // namespace
}  // namespace vorlan
