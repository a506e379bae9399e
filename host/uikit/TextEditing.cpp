#include "uikit/TextEditing.h"

#include "foundation/Utf16.h"

namespace host {

std::size_t TextEditing::length(std::string_view text) {
  return Utf16::fromUtf8(text).size();
}

std::string TextEditing::replacing(std::string_view text, NSRange range,
                                   std::string_view replacement) {
  std::u16string units = Utf16::fromUtf8(text);
  if (!range.fitsIn(units.size())) return std::string(text);
  units.replace(range.location, range.length, Utf16::fromUtf8(replacement));
  return Utf16::toUtf8(units);
}

NSRange TextEditing::lastCharacterRange(std::string_view text) {
  const std::u16string units = Utf16::fromUtf8(text);
  if (units.empty()) return {0, 0};
  const std::size_t n = units.size();
  const bool pair = n >= 2 && units[n - 1] >= 0xDC00 && units[n - 1] <= 0xDFFF &&
                    units[n - 2] >= 0xD800 && units[n - 2] <= 0xDBFF;
  return pair ? NSRange{n - 2, 2} : NSRange{n - 1, 1};
}

std::size_t TextEditing::characterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace host
