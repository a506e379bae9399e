#include "PrintableText.h"

#include <cstdio>

#include "foundation/PlistUtf8.h"

namespace vorlan {

namespace {

void appendByte(std::string& out, unsigned char byte) {
  char escaped[5];
  std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
  out += escaped;
}

// The length of the well-formed UTF-8 sequence starting the text, or 0.
std::size_t sequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length > text.size()) return 0;
  return host::PlistUtf8::isValid(text.substr(0, length)) ? length : 0;
}

}  // namespace

std::string PrintableText::escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text[0]);
    const std::size_t length = sequenceLength(text);
    // U+0080..U+009F, the C1 controls, are C2 80..C2 9F in UTF-8.
    const bool control =
        byte < 0x20 || byte == 0x7F ||
        (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0);
    if (length == 0 || control) {
      const std::size_t bytes = control ? length : 1;
      for (std::size_t i = 0; i < bytes; ++i)
        appendByte(out, static_cast<unsigned char>(text[i]));
      text.remove_prefix(bytes);
      continue;
    }
    out.append(text.substr(0, length));
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace vorlan
