#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "foundation/Plist.h"

namespace vorlan {

// Renders a property list as JSON: dictionary → object, array → array, string → string,
// boolean → true/false, integer and real → number, data → {"$data": base64},
// date → {"$date": ISO 8601 UTC}. Reals that JSON cannot hold (NaN, infinities) become null.
class PlistJson {
 public:
  // Output past this size is refused: twice what the property-list writer allows, room enough
  // for anything a settings file can hold.
  static constexpr std::size_t kMaxBytes = std::size_t{512} << 20;

  // Nothing, with the reason in `error`, when the JSON would be longer than maxBytes.
  static std::optional<std::string> render(const host::Plist& value, std::string* error = nullptr,
                                           std::size_t maxBytes = kMaxBytes, bool pretty = true);
  static std::string quote(std::string_view text);
};

}  // namespace vorlan
