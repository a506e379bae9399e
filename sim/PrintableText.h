#pragma once

#include <string>
#include <string_view>

namespace vorlan {

// Text from files or the command line, made safe to show on a terminal: control characters
// (C0, DEL and the C1 range) and bytes that are not well-formed UTF-8 are written as \xNN, so a
// garbled file cannot move the cursor, change colours or break the line. Other characters,
// backslashes included, are kept, so escaping twice changes nothing.
class PrintableText {
 public:
  static std::string escape(std::string_view text);
};

}  // namespace vorlan
