#include "store/SettingsValues.h"

#include <algorithm>
#include <climits>

#include "foundation/NSString.h"

namespace vorlan {

std::optional<bool> SettingsValues::flag(const host::Plist& value) {
  if (auto b = value.asBoolean()) return *b;
  if (value.isLargeUnsigned()) return true;
  if (auto i = value.asInteger()) return *i != 0;
  if (auto r = value.asReal()) return *r != 0.0;
  return std::nullopt;
}

std::optional<std::string> SettingsValues::string(const host::Plist& value) {
  if (const std::string* s = value.asString()) return *s;
  return std::nullopt;
}

std::optional<int> SettingsValues::position(const host::Plist& value) {
  std::optional<std::int64_t> number = value.asInteger();
  if (const std::string* s = value.asString()) number = host::NSString::scanInteger(*s);
  if (!number) return std::nullopt;
  return static_cast<int>(std::clamp<std::int64_t>(*number, INT_MIN, INT_MAX));
}

}  // namespace vorlan
