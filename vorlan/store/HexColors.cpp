#include "store/HexColors.h"

#include <limits>

namespace vorlan {

namespace {

// Character tests on bytes; <cctype> is undefined for negative chars, which any non-ASCII byte is.
int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string withHashPrefix(std::string_view hex) {
  if (!hex.empty() && hex.front() == '#') return std::string(hex);
  std::string prefixed = "#";
  prefixed += hex;
  return prefixed;
}

std::uint32_t componentAt(const std::string& hex, std::size_t position) {
  return HexColorAddition::hexValueToUnsigned("0x" + hex.substr(position, 2));
}

}  // namespace

std::shared_ptr<host::UIColor> HexColorAddition::colorWithHexString(std::string_view hex) {
  if (hex.empty()) return nullptr;
  std::string color = withHashPrefix(hex);
  double alpha = 1;
  if (color.size() == 5 || color.size() == 9) {
    std::string alphaDigits;
    if (color.size() == 5) {
      alphaDigits = std::string(2, color[1]);
      color = "#" + color.substr(2);
    } else {
      alphaDigits = color.substr(1, 2);
      color = "#" + color.substr(3);
    }
    alpha = hexValueToUnsigned(alphaDigits) / 255.0;
  }
  return colorWithHexString(color, alpha);
}

std::shared_ptr<host::UIColor> HexColorAddition::colorWithHexString(std::string_view hex,
                                                                    double alpha) {
  if (hex.empty()) return nullptr;
  std::string color = withHashPrefix(hex);
  if (color.size() != 7 && color.size() != 4) return colorWith8BitRed(255, 255, 255, 1);
  color = hexStringTransformFromThreeCharacters(color);
  const auto red = static_cast<int>(componentAt(color, 1));
  const auto green = static_cast<int>(componentAt(color, 3));
  const auto blue = static_cast<int>(componentAt(color, 5));
  return colorWith8BitRed(red, green, blue, alpha);
}

std::shared_ptr<host::UIColor> HexColorAddition::colorWith8BitRed(int red, int green, int blue) {
  return colorWith8BitRed(red, green, blue, 1);
}

std::shared_ptr<host::UIColor> HexColorAddition::colorWith8BitRed(int red, int green, int blue,
                                                                  double alpha) {
  const auto unit = [](int component) {
    return static_cast<double>(static_cast<float>(component) / 255.0f);
  };
  return host::UIColor::colorWithRed(unit(red), unit(green), unit(blue), alpha);
}

std::string HexColorAddition::hexStringTransformFromThreeCharacters(std::string_view hex) {
  if (hex.size() != 4) return std::string(hex);
  std::string expanded = "#";
  for (std::size_t i = 1; i < 4; ++i)
    expanded.append(2, hex[i]);
  return expanded;
}

std::uint32_t HexColorAddition::hexValueToUnsigned(std::string_view hex) {
  std::size_t i = 0;
  while (i < hex.size() && isWhiteSpace(hex[i]))
    ++i;
  if (i + 1 < hex.size() && hex[i] == '0' && (hex[i + 1] == 'x' || hex[i + 1] == 'X')) i += 2;
  constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint32_t value = 0;
  bool overflowed = false;
  for (; i < hex.size(); ++i) {
    const int digit = hexDigitValue(hex[i]);
    if (digit < 0) break;
    if (value > (kMax >> 4)) overflowed = true;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return overflowed ? kMax : value;
}

}  // namespace vorlan
