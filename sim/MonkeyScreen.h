#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

// What the monkey reads off the device before a step and checks after it: the visible texts with
// their frames (`texts`), the rows of the Settings app's top list page (`cells`) and its open
// pages (`pages`), parsed from the simulator's output.
struct MonkeyScreen {
  struct Text {
    double x = 0, y = 0, w = 0, h = 0;
    std::string text;
    bool contains(double px, double py, double margin) const {
      return px >= x - margin && px <= x + w + margin && py >= y - margin && py <= y + h + margin;
    }
  };
  struct Cell {
    std::string title;
    std::string identifier;
    std::string flags;
  };
  struct Page {
    std::string index;  // position in the stack, or "presented"
    std::string className;
    std::string identifier;
    std::string title;
  };

  std::vector<Text> texts;
  std::vector<Cell> cells;  // group headers left out
  std::vector<Page> pages;

  static std::vector<Text> parseTexts(std::string_view output);
  static std::vector<Cell> parseCells(std::string_view output);
  static std::vector<Page> parsePages(std::string_view output);

  bool shows(std::string_view text) const;
  // A passcode keypad is up: one of its keys or status lines shows.
  bool keypad() const;
};

}  // namespace vorlan
