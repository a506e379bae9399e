#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageChannel.h"
#include "ScriptParser.h"

namespace vorlan {
namespace {

using Kind = ScriptCommand::Kind;

std::vector<ScriptCommand> parsed(const std::string& script) {
  std::string error;
  const auto commands = ScriptParser::parse(script, &error);
  EXPECT_TRUE(commands.has_value()) << error;
  return commands.value_or(std::vector<ScriptCommand>{});
}

std::string failure(const std::string& script) {
  std::string error;
  EXPECT_FALSE(ScriptParser::parse(script, &error).has_value()) << script;
  return error;
}

TEST(ScriptParserTest, ReadsCommandsSkippingCommentsAndBlankLines) {
  const auto commands = parsed(
      "# a tour\n"
      "\n"
      "launch settings   # the app\n"
      "  tap 10.5 -20\n"
      "drag 1 2 3 4\n"
      "drag \"Wi-Fi\" -100 0 0.5\r\n"
      "wait 1\n"
      "rotate landscape\n"
      "shot out/screen.png\n"
      "cells");
  ASSERT_EQ(commands.size(), 8u);
  EXPECT_EQ(commands[0].kind, Kind::Launch);
  EXPECT_EQ(commands[0].text, "settings");
  EXPECT_EQ(commands[0].line, 3);
  EXPECT_EQ(commands[1].kind, Kind::Tap);
  EXPECT_EQ(commands[1].numbers, (std::vector<double>{10.5, -20}));
  // A drag without a duration takes 0.3 s.
  EXPECT_EQ(commands[2].numbers, (std::vector<double>{1, 2, 3, 4, 0.3}));
  EXPECT_EQ(commands[3].kind, Kind::DragText);
  EXPECT_EQ(commands[3].text, "Wi-Fi");
  EXPECT_EQ(commands[3].numbers, (std::vector<double>{-100, 0, 0.5}));
  EXPECT_EQ(commands[6].text, "out/screen.png");
  EXPECT_EQ(commands[7].kind, Kind::Cells);
  EXPECT_EQ(commands[7].line, 10);
}

TEST(ScriptParserTest, QuotedTextKeepsBlanksHashesAndEscapes) {
  const auto commands = parsed(
      "tap \"Display & Brightness\"\n"
      "type \"say \\\"hi\\\" # not a comment \\\\ end\"  # a comment\n"
      "open \"\"\n");
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].kind, Kind::TapText);
  EXPECT_EQ(commands[0].text, "Display & Brightness");
  EXPECT_EQ(commands[1].text, "say \"hi\" # not a comment \\ end");
  EXPECT_EQ(commands[2].kind, Kind::Open);
  EXPECT_EQ(commands[2].text, "");
}

TEST(ScriptParserTest, TheFirstFaultNamesItsLineAndReason) {
  EXPECT_EQ(failure("cells\n\nfly away\ncells"), "line 3: unknown command \"fly\"");
  EXPECT_EQ(failure("tap \"General"), "line 1: quoted text is not closed");
  EXPECT_EQ(failure("# x\ntype \"a\\t\""),
            "line 2: unknown escape in quoted text (only \\\", \\\\, \\n and \\b)");
  EXPECT_EQ(failure("tap \"a\"b"), "line 1: a blank must follow quoted text");
  EXPECT_EQ(failure("tap 1 x"), "line 1: not a number: \"x\"");
  EXPECT_EQ(failure("tap 1 nan"), "line 1: not a number: \"nan\"");
  EXPECT_EQ(failure("wait -1"), "line 1: seconds must be between 0 and 3600");
  EXPECT_EQ(failure("hold 1 2 99999"), "line 1: seconds must be between 0 and 3600");
  EXPECT_EQ(failure("tap 1e9 2"), "line 1: coordinate out of range: 1e9");
  EXPECT_EQ(failure("launch mail"), "line 1: usage: launch settings|springboard");
  EXPECT_EQ(failure("rotate sideways"), "line 1: usage: rotate landscape|portrait");
  EXPECT_EQ(failure("type hello"), "line 1: usage: type \"TEXT\"");
  EXPECT_EQ(failure("cells now"), "line 1: usage: cells");
  EXPECT_EQ(failure("drag \"x\" 1"), "line 1: usage: drag \"TEXT\" DX DY [SECONDS]");
  EXPECT_EQ(failure("press 1"), "line 1: usage: press X Y  or  press \"TEXT\"");
  EXPECT_EQ(failure("shot"), "line 1: usage: shot FILE");
  EXPECT_EQ(failure("hold \"x\" 1 2"),
            "line 1: usage: hold X Y SECONDS  or  hold \"TEXT\" SECONDS");
  EXPECT_EQ(failure("reorder \"a\" b"), "line 1: usage: reorder \"TITLE\" \"OTHER TITLE\"");
  EXPECT_EQ(failure("toggle Wi-Fi"), "line 1: usage: toggle \"TEXT\"");
  EXPECT_EQ(failure("scroll 0 100"), "line 1: usage: scroll \"TEXT\"");
  EXPECT_EQ(failure("dismiss now"), "line 1: usage: dismiss");
}

TEST(ScriptParserTest, TextCommandsTakeTheirTitlesAndKeysForTyping) {
  const auto commands = parsed(
      "hold \"Tags\" 1.5\ntoggle \"Airplane Mode\"\nreorder \"Wi-Fi\" \"General\"\n"
      "type \"ab\\bc\\n\"\ntexts\nevents\ndismiss\npress \"Wi-Fi\"\nscroll \"Info\"\n");
  ASSERT_EQ(commands.size(), 9u);
  EXPECT_EQ(commands[0].kind, Kind::HoldText);
  EXPECT_EQ(commands[0].numbers, std::vector<double>{1.5});
  EXPECT_EQ(commands[1].kind, Kind::Toggle);
  EXPECT_EQ(commands[2].kind, Kind::Reorder);
  EXPECT_EQ(commands[2].other, "General");
  EXPECT_EQ(commands[3].text, "ab\bc\n");
  EXPECT_EQ(commands[4].kind, Kind::Texts);
  EXPECT_EQ(commands[5].kind, Kind::Events);
  EXPECT_EQ(commands[6].kind, Kind::Dismiss);
  EXPECT_EQ(commands[7].kind, Kind::PressText);
  EXPECT_EQ(commands[7].text, "Wi-Fi");
  EXPECT_EQ(commands[8].kind, Kind::Scroll);
  EXPECT_EQ(commands[8].text, "Info");
}

TEST(ScriptParserTest, AcceptsAByteOrderMarkAndAnyLineEnding) {
  const auto commands = parsed("\xEF\xBB\xBFlaunch settings\rcells\r\nwait 1\r\rback\n");
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].kind, Kind::Launch);
  EXPECT_EQ(commands[1].line, 2);
  EXPECT_EQ(commands[2].line, 3);
  EXPECT_EQ(commands[3].kind, Kind::Back);
  EXPECT_EQ(commands[3].line, 5);
}

TEST(ScriptParserTest, CoordinatesAreDecimalNumbers) {
  EXPECT_EQ(failure("tap 0x10 0x20"), "line 1: not a number: \"0x10\"");
  EXPECT_EQ(failure("wait 0x1p1"), "line 1: not a number: \"0x1p1\"");
  EXPECT_EQ(failure("tap 1 infinity"), "line 1: not a number: \"infinity\"");
  EXPECT_EQ(parsed("tap +1.5 -.5e1")[0].numbers, (std::vector<double>{1.5, -5}));
}

TEST(ScriptParserTest, CommandsTravelToAppsUnchanged) {
  for (const auto& command : parsed("drag \"A \\\"B\\\"\" 0.1 -2e-3 1\nwait 0.016666666666666666\n"
                                    "reorder \"a\\nb\" \"c\"")) {
    ScriptCommand copy;
    ASSERT_TRUE(ScriptCommand::decode(command.encode(), copy));
    EXPECT_EQ(copy.kind, command.kind);
    EXPECT_EQ(copy.line, command.line);
    EXPECT_EQ(copy.text, command.text);
    EXPECT_EQ(copy.other, command.other);
    EXPECT_EQ(copy.numbers, command.numbers);
  }
  ScriptCommand ignored;
  EXPECT_FALSE(ScriptCommand::decode({"99", "1", "", ""}, ignored));
  EXPECT_FALSE(ScriptCommand::decode({"1", "1", "", "", "x"}, ignored));
  EXPECT_FALSE(ScriptCommand::decode({"1", "1", ""}, ignored));
  EXPECT_FALSE(ScriptCommand::decode({"1"}, ignored));
}

TEST(MessageChannelTest, ASilentPeerTimesOutAndALaterMessageStillArrivesWhole) {
  auto ends = MessageChannel::pair();
  ASSERT_TRUE(ends.has_value());
  auto& [simulator, app] = *ends;
  ASSERT_TRUE(simulator.setReceiveTimeout(0.05));
  EXPECT_FALSE(simulator.receive().has_value());
  EXPECT_TRUE(simulator.timedOut());

  ASSERT_TRUE(app.send({"ok", "", std::string(10000, 'x')}));
  const auto message = simulator.receive();
  ASSERT_TRUE(message.has_value());
  EXPECT_FALSE(simulator.timedOut());
  EXPECT_EQ(message->at(2).size(), 10000u);

  app.close();  // a peer that is gone is not a timeout
  EXPECT_FALSE(simulator.receive().has_value());
  EXPECT_FALSE(simulator.timedOut());
}

}  // namespace
}  // namespace vorlan
