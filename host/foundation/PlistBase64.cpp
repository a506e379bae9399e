#include "foundation/PlistBase64.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace host {

namespace {

constexpr std::uint8_t kWhitespace = 0xFE;
constexpr std::uint8_t kInvalid = 0xFF;

constexpr std::array<std::uint8_t, 256> makeDecodeTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& entry : table)
    entry = kInvalid;
  for (std::size_t i = 0; i < PlistBase64::kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(PlistBase64::kAlphabet[i])] = static_cast<std::uint8_t>(i);
  }
  table[' '] = table['\t'] = table['\n'] = table['\r'] = kWhitespace;
  return table;
}

constexpr std::array<std::uint8_t, 256> kDecode = makeDecodeTable();

// The two characters of every 12-bit value, side by side.
constexpr std::array<char, 2 * 4096> makePairTable() {
  std::array<char, 2 * 4096> table{};
  for (std::size_t i = 0; i < 4096; ++i) {
    table[2 * i] = PlistBase64::kAlphabet[i >> 6];
    table[2 * i + 1] = PlistBase64::kAlphabet[i & 0x3F];
  }
  return table;
}

constexpr std::array<char, 2 * 4096> kPairs = makePairTable();

std::string describe(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x21 && byte < 0x7F) return std::string("'") + c + "'";
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

}  // namespace

std::string PlistBase64::encode(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  appendEncoded(out, bytes.data(), bytes.size());
  return out;
}

void PlistBase64::appendEncoded(std::string& out, const std::uint8_t* bytes, std::size_t size) {
  // Encoded a block at a time through a buffer on the stack, so that the output is appended to
  // once per block and never zero-filled first.
  constexpr std::size_t kBlock = 3 * 256;
  out.reserve(out.size() + encodedSize(size));
  char buffer[encodedSize(kBlock)];
  for (std::size_t at = 0; at < size; at += kBlock) {
    const std::size_t length = std::min(kBlock, size - at);
    out.append(buffer, encodeTo(buffer, bytes + at, length));
  }
}

char* PlistBase64::encodeTo(char* to, const std::uint8_t* bytes, std::size_t size) {
  const char* alphabet = kAlphabet.data();
  const char* pairs = kPairs.data();
  std::size_t at = 0;
  // Twelve bits at a time: two characters from one lookup.
  for (; at + 3 <= size; at += 3) {
    const std::uint32_t group = static_cast<std::uint32_t>(bytes[at]) << 16 |
                                static_cast<std::uint32_t>(bytes[at + 1]) << 8 | bytes[at + 2];
    std::memcpy(to, pairs + 2 * (group >> 12), 2);
    std::memcpy(to + 2, pairs + 2 * (group & 0xFFF), 2);
    to += 4;
  }
  if (at < size) {
    const bool two = at + 1 < size;
    const std::uint32_t group = static_cast<std::uint32_t>(bytes[at]) << 16 |
                                (two ? static_cast<std::uint32_t>(bytes[at + 1]) << 8 : 0u);
    to[0] = alphabet[group >> 18];
    to[1] = alphabet[(group >> 12) & 0x3F];
    to[2] = two ? alphabet[(group >> 6) & 0x3F] : '=';
    to[3] = '=';
    to += 4;
  }
  return to;
}

bool PlistBase64::decode(std::string_view text, std::vector<std::uint8_t>& out,
                         std::string* error) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  out.resize(size / 4 * 3 + 3);
  std::uint8_t* to = out.data();
  std::uint32_t accumulator = 0;
  std::size_t sextets = 0;
  std::size_t padding = 0;
  std::size_t i = 0;
  while (i < size) {
    // Whole groups of four alphabet characters, the bulk of any line, go four at a time.
    if (sextets % 4 == 0 && padding == 0) {
      for (; i + 4 <= size; i += 4) {
        const std::uint32_t a = kDecode[in[i]], b = kDecode[in[i + 1]], c = kDecode[in[i + 2]],
                            d = kDecode[in[i + 3]];
        if ((a | b | c | d) >= 64) break;
        const std::uint32_t group = (a << 18) | (b << 12) | (c << 6) | d;
        *to++ = static_cast<std::uint8_t>(group >> 16);
        *to++ = static_cast<std::uint8_t>(group >> 8);
        *to++ = static_cast<std::uint8_t>(group);
        sextets += 4;
      }
      if (i >= size) break;
    }
    const char c = static_cast<char>(in[i]);
    const std::uint8_t value = kDecode[in[i]];
    if (value == kWhitespace) {
      ++i;
      continue;
    }
    if (c == '=') {
      ++padding;
      ++i;
      continue;
    }
    if (value == kInvalid || padding > 0) {
      if (error) {
        *error = (value == kInvalid ? "invalid character " + describe(c)
                                    : "character after the padding") +
                 " at offset " + std::to_string(i);
      }
      out.clear();
      return false;
    }
    accumulator = (accumulator << 6) | value;
    if (++sextets % 4 == 0) {
      *to++ = static_cast<std::uint8_t>(accumulator >> 16);
      *to++ = static_cast<std::uint8_t>(accumulator >> 8);
      *to++ = static_cast<std::uint8_t>(accumulator);
      accumulator = 0;
    }
    ++i;
  }
  const std::size_t rest = sextets % 4;
  const bool paddingFits = padding == 0 || (rest != 0 && rest + padding == 4);
  if (rest == 1 || !paddingFits) {
    if (error) {
      *error = rest == 1 ? "a final group of one character holds no whole byte"
                         : "wrong padding (" + std::to_string(padding) + " '=' after " +
                               std::to_string(sextets) + " characters)";
    }
    out.clear();
    return false;
  }
  if (rest == 2) {
    *to++ = static_cast<std::uint8_t>(accumulator >> 4);
  } else if (rest == 3) {
    *to++ = static_cast<std::uint8_t>(accumulator >> 10);
    *to++ = static_cast<std::uint8_t>(accumulator >> 2);
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return true;
}

}  // namespace host
