#include "foundation/NSString.h"

#include <glib.h>

#include <cctype>
#include <limits>
#include <memory>

namespace host {

namespace {

struct GFree {
  void operator()(gchar* p) const { g_free(p); }
};

std::string mapAscii(std::string_view s, int (*map)(int)) {
  std::string out(s);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x80) c = static_cast<char>(map(c));
  }
  return out;
}

}  // namespace

bool NSString::isValidUTF8(std::string_view s) {
  return g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr) == TRUE;
}

std::string NSString::uppercaseString(std::string_view s) {
  // GLib needs valid UTF-8; anything else keeps its bytes and maps only ASCII letters.
  if (!isValidUTF8(s)) return mapAscii(s, ::toupper);
  std::unique_ptr<gchar, GFree> out(g_utf8_strup(s.data(), static_cast<gssize>(s.size())));
  return out ? std::string(out.get()) : std::string(s);
}

std::string NSString::lowercaseString(std::string_view s) {
  if (!isValidUTF8(s)) return mapAscii(s, ::tolower);
  std::unique_ptr<gchar, GFree> out(g_utf8_strdown(s.data(), static_cast<gssize>(s.size())));
  return out ? std::string(out.get()) : std::string(s);
}

std::optional<std::int64_t> NSString::scanInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r'))
    ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t firstDigit = i;
  // Accumulate as a negative number so that INT64_MIN is representable.
  std::int64_t value = 0;
  bool saturated = false;
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    const int digit = s[i] - '0';
    if (value < (kMin + digit) / 10) {
      saturated = true;
    } else {
      value = value * 10 - digit;
    }
  }
  if (i == firstDigit) return std::nullopt;
  if (saturated) {
    return negative ? kMin : std::numeric_limits<std::int64_t>::max();
  }
  if (negative) return value;
  return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

std::string NSString::replacingOccurrences(std::string_view s, std::string_view target,
                                           std::string_view replacement) {
  if (target.empty()) return std::string(s);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = s.find(target); at != std::string_view::npos; at = s.find(target, from)) {
    out.append(s.substr(from, at - from));
    out.append(replacement);
    from = at + target.size();
  }
  out.append(s.substr(from));
  return out;
}

}  // namespace host
