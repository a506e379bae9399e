#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "foundation/Plist.h"

namespace host {

// Reading and writing property lists. Reading takes XML and binary ("bplist00") property lists;
// writing produces the XML that Foundation writes (its three header lines, one tab per level,
// sorted keys, `<dict/>` for an empty dictionary, base64 data in short lines).
//
// Every malformed, truncated, hostile or oversized input is refused with a message that says
// what is wrong and where; nothing is ever silently coerced into another value.
class PropertyListSerialization {
 public:
  enum class Format { Xml, Binary };

  static constexpr std::size_t kMaxInputBytes = std::size_t{256} << 20;
  static constexpr int kMaxDepth = 512;

  struct ReadResult {
    Plist value;  // None on failure
    Format format = Format::Xml;
    std::string error;  // empty on success
    bool ok() const { return error.empty(); }
  };

  // Detects the format by its magic bytes.
  static ReadResult read(std::string_view bytes);
  static ReadResult readXml(std::string_view bytes);
  static ReadResult readBinary(std::string_view bytes);

  // Nothing, with the reason in *error, when the value cannot be written: a None anywhere in the
  // tree, a string that is not valid UTF-8, nesting deeper than kMaxDepth, a date outside the
  // years 1 to 9999.
  static std::optional<std::string> writeXml(const Plist& root, std::string* error = nullptr);
};

}  // namespace host
