#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

// One line of a simulator script, checked and decoded: what to do, the line it came from, its
// text (a quoted string, a file name or the word after the verb), a second quoted string where
// the command takes two, and its numbers.
struct ScriptCommand {
  enum class Kind {
    Launch,      // text: "settings" or "springboard"
    Background,  // text: "settings"
    Activate,    // text: "settings"
    Wallpaper,   // text: a file on this machine (a device path once copied into the device)
    Respring,
    Rotate,    // text: "landscape" or "portrait"
    Tap,       // numbers: x y
    TapText,   // text; no numbers
    Drag,      // numbers: x1 y1 x2 y2 seconds
    DragText,  // text; numbers: dx dy seconds
    Hold,      // numbers: x y seconds
    Press,     // numbers: x y
    Wait,      // numbers: seconds
    Type,      // text
    Alert,     // text: the button
    Back,
    Open,  // text: the row's title
    Cells,
    Dump,
    Prefs,
    Log,
    Shot,      // text: a file on this machine
    HoldText,  // text; numbers: seconds
    Texts,
    Events,
    Toggle,   // text: the row's title
    Reorder,  // text: the row's title; other: the title of the row it goes to
    Dismiss,
    PressText,  // text; no numbers
    Scroll,     // text
    Pages,      // the Settings app's open pages, for checks that a page is not shown unguarded
    Touch,      // text: "down", "move" or "up"; numbers: x y (one step of a finger driven live)
    // Between the simulator and its app processes only: the screen's pixels when they differ
    // from the picture whose hash is the text (see ScreenFrame); numbers: 1 to draw regardless,
    // and the pixels a point to draw at (0: the screen's own).
    Screen,
    // Between the simulator and its app processes only: ends the app.
    Quit,
  };

  Kind kind = Kind::Quit;
  int line = 0;
  std::string text;
  std::string other;
  std::vector<double> numbers;

  // The verb as scripts write it ("tap", "open", ...).
  static std::string_view verb(Kind kind);

  // The command as a script line that reads back as it (numbers with six significant digits).
  std::string scriptLine() const;

  // The fields of the message that carries the command to an app process, and back.
  std::vector<std::string> encode() const;
  static bool decode(const std::vector<std::string>& fields, ScriptCommand& command);
};

}  // namespace vorlan
