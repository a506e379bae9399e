#pragma once

#include <ostream>

#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

// Lets GoogleTest show a value that fails a comparison as its XML.
inline void PrintTo(const Plist& value, std::ostream* out) {
  std::string error;
  auto xml = PropertyListSerialization::writeXml(value, &error);
  *out << "\n" << (xml ? *xml : "(" + error + ")");
}

}  // namespace host
