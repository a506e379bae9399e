#pragma once

#include <compare>
#include <string>

#include "runtime/TypeEncoding.h"

namespace host {

// A row in a sectioned list. Index paths order by section, then row, as NSIndexPath's compare:.
struct NSIndexPath {
  long section = 0;
  long row = 0;

  static NSIndexPath indexPathForRow(long row, long section) { return {section, row}; }

  auto operator<=>(const NSIndexPath&) const = default;
};

// Index paths are objects on the device.
template <>
struct TypeEncoding<NSIndexPath> {
  static std::string value() { return "@"; }
};

}  // namespace host
