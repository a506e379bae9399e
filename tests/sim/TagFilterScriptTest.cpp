#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "store/VLPreferencesManager.h"

namespace vorlan {
namespace {

// Swipes the row showing TITLE open, gives it the tag through the menu's Tag action, and closes
// the panel and the menu again.
std::string tagRow(const std::string& title, const std::string& tag) {
  return "drag \"" + title + "\" -250 0\nwait 1\ntap \"Tag\"\nwait 1\ntap \"" + tag +
         "\"\nwait 1\ndismiss\nwait 1\ntap \"Close\"\nwait 1\n";
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    out.push_back(line);
  return out;
}

// As a new user would: a row of the main list and a row of General get the tag Green through
// the cell menu; a tap on the title "Settings" and then on Green leaves only those two rows
// (General's under a title row naming its page); the title row brings the list back as it was.
TEST_F(SimulatorTest, ATagGivenOnTwoPagesFiltersTheMainListAndTheTitleRowRestoresIt) {
  const ScriptRun before = run("launch springboard\nlaunch settings\nwait 0.5\ncells\n");
  ASSERT_EQ(before.code, 0) << before.err;

  const ScriptRun filtered =
      run("launch springboard\nlaunch settings\nwait 0.5\n" + tagRow("Wi-Fi", "Green") +
          "open \"General\"\nwait 1\n" + tagRow("About", "Green") + "back\nwait 1\n" +
          "tap \"Settings\"\nwait 1\ntap \"Green\"\nwait 1\ncells\n" +
          "tap \"Green\"\nwait 1\ntap \"Settings\"\nwait 1\ncells\n");
  ASSERT_EQ(filtered.code, 0) << filtered.err;
  const auto split = filtered.out.find("\n0.-");
  ASSERT_NE(split, std::string::npos) << filtered.out;
  EXPECT_EQ(linesOf(filtered.out.substr(0, split + 1)),
            (std::vector<std::string>{"0.0\tGeneral\t-\t-", "0.1\tAbout\tABOUT\t-",
                                      "1.-\t\t-\tgroup", "1.0\tWi-Fi\tWIFI\t-", "2.-\t\t-\tgroup"}))
      << filtered.out;
  EXPECT_EQ(filtered.out.substr(split + 1), before.out);

  const host::Plist tags = stored(VLPreferencesManager::kSettingsPath).get("tag");
  EXPECT_EQ(tags.getPath({"PSUIPrefsListController", "WIFI", "Green"}), host::Plist::boolean(true));
  EXPECT_EQ(tags.getPath({"PSUIGeneralController", "ABOUT", "Green"}), host::Plist::boolean(true));
}

}  // namespace
}  // namespace vorlan
