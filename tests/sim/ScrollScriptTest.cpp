#include <gtest/gtest.h>

#include <string>

#include "SimulatorFixture.h"

namespace vorlan {
namespace {

constexpr const char* kMainList = "launch springboard\nlaunch settings\nwait 0.5\nback\nwait 0.5\n";

// The y of the first `texts` line showing `text`, -1 when none does.
double topOf(const std::string& texts, const std::string& text) {
  const std::size_t end = texts.find("\t" + text + "\n");
  if (end == std::string::npos) return -1;
  const std::size_t start = texts.rfind('\n', end);
  const std::size_t x = texts.find('\t', start == std::string::npos ? 0 : start + 1);
  return std::stod(texts.substr(x + 1));
}

// On the main list: a row already in reach moves nothing; the last row is brought up from below
// the screen's edge and the first back down from above it; a text that is nowhere stops the
// script with a reason after both ways were tried.
TEST_F(SimulatorTest, ScrollBringsRowsIntoReachBothWaysAndFailsClearlyOnAMissingOne) {
  const ScriptRun result = run(std::string(kMainList) +
                               "texts\nscroll \"Wi-Fi\"\ntexts\nscroll \"Protected\"\ntexts\n"
                               "scroll \"Airplane Mode\"\ntexts\nscroll \"Nowhere\"\ntexts\n");
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("line 13: \"Nowhere\" never showed: scrolled UITableView to its end "
                            "and back to its start"),
            std::string::npos)
      << result.err;
  const std::string shown = "\t9:41 AM\n";
  const std::size_t first = result.out.find(shown);
  const std::size_t second = result.out.find(shown, first + 1);
  const std::size_t third = result.out.find(shown, second + 1);
  const std::size_t fourth = result.out.find(shown, third + 1);
  ASSERT_NE(fourth, std::string::npos) << result.out;
  EXPECT_EQ(result.out.substr(first, second - first), result.out.substr(second, third - second));
  const std::string atEnd = result.out.substr(third, fourth - third);
  EXPECT_EQ(topOf(atEnd, "Airplane Mode"), -1) << atEnd;
  EXPECT_GT(topOf(atEnd, "Protected"), 0) << atEnd;
  EXPECT_LT(topOf(atEnd, "Protected") + 22, 667) << atEnd;
  EXPECT_GT(topOf(result.out.substr(fourth), "Airplane Mode"), 0) << result.out.substr(fourth);
}

// The configuration page's entries are buttons filling its width: drags that start on them
// scroll the page without pressing them, so no panel opens on the way to the last entry.
TEST_F(SimulatorTest, ScrollDragsTheConfigurationPageFromItsButtonsWithoutPressingThem) {
  const ScriptRun result =
      run(std::string(kMainList) + "tap \"Vorlan\"\nwait 1\nscroll \"Info\"\ntexts\ndismiss\n");
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("line 10: no panel"), std::string::npos) << result.err;
  EXPECT_GT(topOf(result.out, "Info"), 0) << result.out;
}

}  // namespace
}  // namespace vorlan
