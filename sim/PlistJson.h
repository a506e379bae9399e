#pragma once

#include <string>

#include "foundation/Plist.h"

namespace vorlan {

// Renders a property list as JSON: dictionary → object, array → array, string → string,
// boolean → true/false, integer and real → number, data → {"$data": base64},
// date → {"$date": ISO 8601 UTC}. Reals that JSON cannot hold (NaN, infinities) become null.
class PlistJson {
 public:
  static std::string render(const host::Plist& value, bool pretty = true);
  static std::string quote(std::string_view text);
};

}  // namespace vorlan
