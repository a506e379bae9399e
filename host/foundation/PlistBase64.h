#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Base64 as property lists use it in <data>: the standard alphabet with '=' padding.
class PlistBase64 {
 public:
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

  // Encodes `bytes` on one line, padded with '='.
  static std::string encode(const std::vector<std::uint8_t>& bytes);
  // Appends the padded encoding of `size` bytes to `out`.
  static void appendEncoded(std::string& out, const std::uint8_t* bytes, std::size_t size);
  // Writes the padded encoding of `size` bytes at `to`, which has room for encodedSize(size)
  // characters, and answers the end of what was written.
  static char* encodeTo(char* to, const std::uint8_t* bytes, std::size_t size);
  static constexpr std::size_t encodedSize(std::size_t size) { return (size + 2) / 3 * 4; }

  // Decodes `text`, ignoring XML whitespace anywhere in it. A missing final padding is accepted;
  // any other character, padding before the end, too much padding or a dangling sixth of a byte
  // is refused with the reason in *error.
  static bool decode(std::string_view text, std::vector<std::uint8_t>& out, std::string* error);
};

}  // namespace host
