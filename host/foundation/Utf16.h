#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Conversions between UTF-8 and the UTF-16 code units that Foundation's strings count.
class Utf16 {
 public:
  // Ill-formed UTF-8 sequences become U+FFFD.
  static std::u16string fromUtf8(std::string_view text);
  // Unpaired surrogates become U+FFFD. With `byteOffsets`, also the byte offset in the result at
  // which each code unit's character starts (the second unit of a pair shares its first's), plus
  // one entry for the end: text.size() + 1 entries.
  static std::string toUtf8(std::u16string_view text,
                            std::vector<std::size_t>* byteOffsets = nullptr);
};

}  // namespace host
