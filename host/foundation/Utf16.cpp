#include "foundation/Utf16.h"

#include <cstdint>

#include "foundation/PlistUtf8.h"

namespace host {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `at`, advancing it; U+FFFD for an ill-formed sequence.
char32_t decode(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  std::size_t count = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    count = 1, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 2, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    ++at;
    return kReplacement;
  }
  for (std::size_t i = 1; i <= count; ++i) {
    // A sequence cut short reads as one U+FFFD for its lead and the continuations it has.
    if (at + i >= text.size() || (static_cast<std::uint8_t>(text[at + i]) & 0xC0) != 0x80) {
      at += i;
      return kReplacement;
    }
    value = (value << 6) | (static_cast<std::uint8_t>(text[at + i]) & 0x3F);
  }
  if (value < minimum || !PlistUtf8::isScalarValue(value)) {
    ++at;
    return kReplacement;
  }
  at += count + 1;
  return value;
}

}  // namespace

std::u16string Utf16::fromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = decode(text, at);
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string Utf16::toUtf8(std::u16string_view text, std::vector<std::size_t>* byteOffsets) {
  std::string out;
  out.reserve(text.size());
  if (byteOffsets) byteOffsets->assign(text.size() + 1, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (byteOffsets) (*byteOffsets)[i] = out.size();
    const char16_t unit = text[i];
    char32_t c = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00);
      if (byteOffsets) (*byteOffsets)[i + 1] = out.size();
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      c = kReplacement;
    }
    PlistUtf8::append(out, c);
  }
  if (byteOffsets) byteOffsets->back() = out.size();
  return out;
}

}  // namespace host
