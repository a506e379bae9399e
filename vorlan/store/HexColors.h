#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "uikit/UIColor.h"

namespace vorlan {

// Colours written as hex strings, as the extension stores them: "#RRGGBB" or "#RGB", with an
// optional leading alpha ("#AARRGGBB", "#ARGB"). The "#" may be left out. Strings are looked at
// byte by byte. Malformed input never fails: a non-hex character ends a component's digits early,
// and a string of any other length gives opaque white.
class HexColorAddition {
 public:
  // Alpha from the string when it has one, 1 otherwise. Nothing for an empty string.
  static std::shared_ptr<host::UIColor> colorWithHexString(std::string_view hex);
  // "#RRGGBB" or "#RGB" with the given alpha. Nothing for an empty string.
  static std::shared_ptr<host::UIColor> colorWithHexString(std::string_view hex, double alpha);

  // Each component over 255, worked out in single precision. Components are not clamped.
  static std::shared_ptr<host::UIColor> colorWith8BitRed(int red, int green, int blue);
  static std::shared_ptr<host::UIColor> colorWith8BitRed(int red, int green, int blue,
                                                         double alpha);

  // "#RGB" becomes "#RRGGBB" (whatever the first character is); any other length comes back as
  // it is.
  static std::string hexStringTransformFromThreeCharacters(std::string_view hex);

  // Reads a hex number the way NSScanner's scanHexInt: does: leading white space is skipped, a
  // "0x" or "0X" prefix is allowed, and reading stops at the first character that is not a hex
  // digit. 0 if there is no digit; UINT32_MAX if the number does not fit.
  static std::uint32_t hexValueToUnsigned(std::string_view hex);
};

}  // namespace vorlan
