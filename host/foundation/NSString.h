#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// The string operations of Foundation that the extension relies on, for UTF-8 strings.
class NSString {
 public:
  // Full Unicode case mapping, independent of the locale ("straße" upper-cases to "STRASSE").
  static std::string uppercaseString(std::string_view s);
  static std::string lowercaseString(std::string_view s);
  static bool isValidUTF8(std::string_view s);
  // The integer that a decimal scan reads from the start of the string (leading white space, an
  // optional sign, then digits); nothing when no digit can be read. Saturates at the int64 range.
  static std::optional<std::int64_t> scanInteger(std::string_view s);
  // Every occurrence of `target` replaced by `replacement`.
  static std::string replacingOccurrences(std::string_view s, std::string_view target,
                                          std::string_view replacement);
};

}  // namespace host
