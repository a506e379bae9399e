#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/NSRange.h"

namespace host {

// Edits of UTF-8 text addressed the way UIKit's text delegates see them: in UTF-16 code units.
class TextEditing {
 public:
  static std::size_t length(std::string_view text);
  // The text with `range` replaced; the text unchanged when the range does not fit in it.
  static std::string replacing(std::string_view text, NSRange range, std::string_view replacement);
  // The range of the last character (both halves of a surrogate pair); empty at 0 for no text.
  static NSRange lastCharacterRange(std::string_view text);
  // The number of characters (code points) of UTF-8 text.
  static std::size_t characterCount(std::string_view text);
};

}  // namespace host
