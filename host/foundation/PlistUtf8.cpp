#include "foundation/PlistUtf8.h"

#include <cstring>

namespace host {

std::optional<std::size_t> PlistUtf8::findInvalid(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    // Runs of ASCII are the common case: check eight bytes at a time.
    while (i + 8 <= size) {
      std::uint64_t chunk;
      std::memcpy(&chunk, bytes + i, sizeof chunk);
      if (chunk & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= size) break;
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80;   // bounds of the second byte, which rule out overlong forms,
    unsigned char high = 0xBF;  // surrogates and code points above U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return i;
    }
    if (size - i < length) return i;
    if (bytes[i + 1] < low || bytes[i + 1] > high) return i;
    for (std::size_t k = 2; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return i;
    }
    i += length;
  }
  return std::nullopt;
}

void PlistUtf8::append(std::string& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

bool PlistUtf8::appendUtf16BigEndian(std::string& out, const std::uint8_t* bytes, std::size_t units,
                                     std::size_t* badUnit) {
  out.reserve(out.size() + units * 3);
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t unit = (std::uint32_t{bytes[2 * i]} << 8) | bytes[2 * i + 1];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 == units) {
        if (badUnit) *badUnit = i;
        return false;
      }
      const std::uint32_t next = (std::uint32_t{bytes[2 * i + 2]} << 8) | bytes[2 * i + 3];
      if (next < 0xDC00 || next > 0xDFFF) {
        if (badUnit) *badUnit = i;
        return false;
      }
      unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
      ++i;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      if (badUnit) *badUnit = i;
      return false;
    }
    append(out, unit);
  }
  return true;
}

}  // namespace host
