#include <gtest/gtest.h>

#include <string>

#include "ScreenReader.h"
#include "SimulatorFixture.h"

namespace vorlan {
namespace {

using ScreenCommandsTest = SimulatorTest;

// Lines of `text` that end with a tab and `shown`.
std::string linesShowing(const std::string& text, const std::string& shown) {
  std::istringstream lines(text);
  std::string out;
  for (std::string line; std::getline(lines, line);) {
    if (line.ends_with("\t" + shown)) out += line + "\n";
  }
  return out;
}

TEST_F(ScreenCommandsTest, TextsListWhatIsVisibleFrontMostFirstAndTapsReachTheFrontMost) {
  installProbe();
  const ScriptRun result =
      run("launch settings\ntexts\ntap \"Gear\"\ntap \"Twin\"\nhold \"Beep\" 0.8\nevents\n");
  ASSERT_EQ(result.code, 0) << result.err;
  const std::string& out = result.out;
  // The status bar is drawn over everything; the probe's strip over the list.
  EXPECT_TRUE(out.starts_with("137.5\t0\t100\t20\t9:41 AM\n")) << out;
  EXPECT_LT(out.find("\tGear\n"), out.find("\tAirplane Mode\n"));
  EXPECT_EQ(linesShowing(out, "Gear"), "0\t517\t44\t44\tGear\n");
  // An attributed text without its image; line breaks written out, tabs as blanks; halves.
  EXPECT_EQ(linesShowing(out, "Rich "), "250\t517\t100\t20\tRich \n");
  EXPECT_EQ(linesShowing(out, "Two cols\\nLines"), "100.5\t567\t120\t40\tTwo cols\\nLines\n");
  // The later of two equal titles is drawn in front, so listed and tapped first.
  EXPECT_EQ(linesShowing(out, "Twin"), "300\t617\t60\t44\tTwin\n0\t617\t60\t44\tTwin\n");
  // Partly shown through its clipping superview, it is listed; its centre is hidden.
  EXPECT_EQ(linesShowing(out, "Clipped"), "230\t517\t80\t20\tClipped\n");
  for (const char* unseen : {"Hidden", "Faint", "Away"})
    EXPECT_EQ(linesShowing(out, unseen), "") << unseen;
  // The label found the button, the front-most twin answered, a held button still fires.
  EXPECT_TRUE(out.ends_with("sound 1\nsound 3\nsound 1104\nsystem echo beep\n")) << out;
}

TEST_F(ScreenCommandsTest, HiddenFaintOffScreenAndClippedViewsCannotBeTapped) {
  installProbe();
  for (const std::string text : {"Hidden", "Faint", "Away", "Clipped"}) {
    const ScriptRun result = run("launch settings\ntap \"" + text + "\"\n");
    EXPECT_EQ(result.err, "vorlan sim: line 2: nothing on screen shows \"" + text + "\"\n");
  }
}

TEST_F(ScreenCommandsTest, EventsAreShownOnceAndBackClosesAPresentedScreenFirst) {
  installProbe();
  const ScriptRun result =
      run("launch springboard\nlaunch settings\ntap \"Beep\"\ntap \"Link\"\nevents\nevents\n"
          "tap \"Video\"\nwait 0.5\ncells\nback\nevents\ntexts\nback\n");
  EXPECT_EQ(result.err, "vorlan sim: line 13: already at the root page\n");
  const std::string& out = result.out;
  // The second `events` printed nothing: the list of cells follows the first three directly.
  EXPECT_TRUE(out.starts_with(
      "sound 1104\nsystem echo beep\nopen https://example.com/vorlan\n0.-\t\t-\tgroup\n"))
      << out;
  EXPECT_TRUE(hasLine(out, "play https://example.com/tour.mp4")) << out;
  // Under the video the main list is still the page on top; back closed the video only.
  EXPECT_TRUE(hasLine(out, "0.0\tAirplane Mode\tAIRPLANE_MODE\tswitch:off")) << out;
  EXPECT_NE(out.find("\tBeep\n"), std::string::npos) << out;
}

TEST_F(ScreenCommandsTest, AnAlertFieldTakesTheKeysDeleteAndReturn) {
  installProbe();
  const ScriptRun result =
      run("launch settings\ntap \"Ask\"\ntype \"Bobx\\bby\\n\"\nalert \"OK\"\nlog\ntype \"x\"\n");
  EXPECT_EQ(result.err,
            "vorlan sim: line 6: nothing takes text: no text field is the first responder\n");
  EXPECT_TRUE(hasLine(result.out, "Settings: returned Bobby")) << result.out;
  EXPECT_TRUE(hasLine(result.out, "Settings: answered Bobby")) << result.out;
}

TEST_F(ScreenCommandsTest, DismissTapsJustOutsideTheFrontMostBalloon) {
  installProbe();
  ScriptRun result = run("launch settings\ndismiss\n");
  EXPECT_EQ(result.err,
            "vorlan sim: line 2: no panel can be on screen: the panel classes (skyView) are not "
            "registered\n");
  result = run("launch settings\ntap \"Panel\"\ndismiss\nlog\ndismiss\n");
  EXPECT_EQ(result.err, "vorlan sim: line 5: no panel on screen\n");
  EXPECT_TRUE(hasLine(result.out, "Settings: panel dismissed")) << result.out;
  EXPECT_FALSE(hasLine(result.out, "Settings: balloon tapped")) << result.out;

  using host::CGRectMake;
  const auto screen = CGRectMake(0, 0, 375, 667);
  EXPECT_EQ(ScreenReader::pointJustOutside(CGRectMake(50, 200, 275, 150), screen),
            (host::CGPoint{187.5, 195}));
  // No room above: below; no room above or below: beside.
  EXPECT_EQ(ScreenReader::pointJustOutside(CGRectMake(50, 0, 275, 150), screen),
            (host::CGPoint{187.5, 155}));
  EXPECT_EQ(ScreenReader::pointJustOutside(CGRectMake(50, 0, 275, 667), screen),
            (host::CGPoint{45, 333.5}));
  EXPECT_EQ(ScreenReader::pointJustOutside(screen, screen), std::nullopt);
}

TEST_F(ScreenCommandsTest, RowsOfAnyTableAreToggledAndReorderedByTheirTitles) {
  installProbe();
  const ScriptRun result =
      run("launch settings\ntap \"Rows\"\ntoggle \"Lamp\"\nreorder \"North\" \"South\"\nlog\n"
          "reorder \"Lamp\" \"North\"\n");
  EXPECT_EQ(result.err,
            "vorlan sim: line 6: the row \"Lamp\" shows no reorder control (is its table "
            "editing?)\n");
  EXPECT_TRUE(hasLine(result.out, "Settings: lamp on")) << result.out;
  EXPECT_TRUE(hasLine(result.out, "Settings: order East South North")) << result.out;
}

TEST_F(ScreenCommandsTest, ADragOnATextPansFrameByFrame) {
  installProbe();
  const ScriptRun result = run("launch settings\ndrag \"Handle\" 100 0 0.3\nlog\n");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(hasLine(result.out, "Settings: pan began")) << result.out;
  std::size_t changes = 0;
  for (auto at = result.out.find("pan changed"); at != std::string::npos;
       at = result.out.find("pan changed", at + 1)) {
    ++changes;
  }
  EXPECT_GE(changes, 10u) << result.out;
  EXPECT_TRUE(hasLine(result.out, "Settings: pan ended at 100")) << result.out;
}

}  // namespace
}  // namespace vorlan
