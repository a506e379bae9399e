#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// The UTF-8 checks and conversions that property lists need: validating text, writing a code
// point, and turning the UTF-16BE strings of binary property lists into UTF-8.
class PlistUtf8 {
 public:
  // Byte offset of the first byte that does not start a well-formed UTF-8 sequence (overlong
  // forms, surrogates and code points above U+10FFFF are ill-formed); nothing when all is valid.
  static std::optional<std::size_t> findInvalid(std::string_view text);
  static bool isValid(std::string_view text) { return !findInvalid(text).has_value(); }

  // A Unicode scalar value: at most U+10FFFF and not a surrogate.
  static bool isScalarValue(std::uint32_t codePoint) {
    return codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
  }
  // Appends the UTF-8 form of a scalar value.
  static void append(std::string& out, std::uint32_t codePoint);

  // Appends `units` big-endian UTF-16 code units read from `bytes` (2 * units bytes) as UTF-8.
  // Returns false, with the index of the offending unit, on an unpaired surrogate.
  static bool appendUtf16BigEndian(std::string& out, const std::uint8_t* bytes, std::size_t units,
                                   std::size_t* badUnit);
};

}  // namespace host
