#pragma once

#include <optional>
#include <string>

#include "foundation/Plist.h"

namespace vorlan {

// How the settings file's values are read. A value of a type the file never holds there (a
// string where a flag belongs, a number for a name) reads as absent, so a hand-edited file can
// never make a lookup answer something other than its default.
class SettingsValues {
 public:
  // A flag: a boolean, or a number read as a boolean (non-zero is true).
  static std::optional<bool> flag(const host::Plist& value);
  static std::optional<std::string> string(const host::Plist& value);
  // A position: an integer, or a string of decimal digits ("%d"); clamped to the int range.
  static std::optional<int> position(const host::Plist& value);
};

}  // namespace vorlan
