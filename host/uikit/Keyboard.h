#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "uikit/UIKeyInput.h"

namespace host {

// The on-screen keyboard, for the simulator and tests. It is up while the first responder takes
// text (a UIKeyInput) and types into it key by key, so a text delegate is asked once per key.
// The number pad has digits and delete only, the decimal pad adds ".", the phone pad "+*#";
// keys a pad does not have cannot be typed, and the pads have no return key.
class Keyboard {
 public:
  static bool isVisible();
  static UIKeyboardType keyboardType();  // the default type when the keyboard is down
  // Presses the key of every character of `text` in turn ("\n" is not typed: see pressReturn);
  // answers how many keys there were.
  static std::size_t typeText(std::string_view text);
  static bool pressReturn();
  static bool pressDelete();

 private:
  static std::shared_ptr<UIKeyInput> target();
  static bool hasKey(UIKeyboardType type, std::string_view character);
};

}  // namespace host
