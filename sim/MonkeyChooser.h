#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "MonkeyScreen.h"
#include "ScriptCommand.h"

namespace vorlan {

// Picks the monkey's next step from what is on screen, with a generator seeded by the run: the
// same seed and the same screens give the same steps. Targets come from the screen (texts and
// rows), so the steps reach the product's menus, panels and pages; leftward swipes on rows, which
// open the cell action menu, are frequent. The digit MonkeyStart::kNeverTyped is never pressed
// or typed, and while a keypad is up no touch lands anywhere but on its other keys, so the
// passcode is never completed.
class MonkeyChooser {
 public:
  // `width` and `height`: the screen in portrait, in points.
  explicit MonkeyChooser(std::uint64_t seed, double width = 375, double height = 667)
      : random_(seed), width_(width), height_(height) {}

  ScriptCommand next(const MonkeyScreen& screen);

 private:
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random_() % n); }
  double between(double low, double high);
  // A rounded number, so that the step reads back from a script as it was taken.
  static double round(double value) { return static_cast<double>(static_cast<long>(value)); }
  bool chance(unsigned percent) { return below(100) < percent; }

  ScriptCommand keypadStep(const MonkeyScreen& screen);
  ScriptCommand anyStep(const MonkeyScreen& screen);
  // A visible text to aim at, or empty: never the digit that would complete the passcode.
  std::string someText(const MonkeyScreen& screen);
  // The title of a row of the top list page, shown on screen when `visible`.
  std::string someRow(const MonkeyScreen& screen, bool visible);
  std::string someTyping();

  std::mt19937_64 random_;
  double width_;
  double height_;
  bool landscape_ = false;
  bool background_ = false;
};

}  // namespace vorlan
