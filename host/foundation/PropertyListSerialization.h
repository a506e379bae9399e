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
// sorted keys, `<dict/>` for an empty dictionary, base64 data in short lines), or a binary
// property list for a value that XML 1.0 cannot carry.
//
// Every malformed, truncated, hostile or oversized input is refused with a message that says
// what is wrong and where; nothing is ever silently coerced into another value. Reading and
// writing keep to one size limit: a value whose XML would pass kMaxInputBytes (counting a
// shared object of a binary file once for every reference to it) is neither read nor written,
// so that whatever is read can be written again and whatever is written can be read again.
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
  // The same as read(), for bytes the caller gives up: XML is parsed inside them rather than in a
  // copy, and they are freed as soon as they are parsed.
  static ReadResult readOwned(std::string bytes);

  struct WriteResult {
    std::string bytes;  // empty on failure
    // What reading `bytes` gives, to the bit (None on failure): the value written, except where
    // XML's text rounds it (a date to the second).
    Plist value;
    Format format = Format::Xml;
    std::string error;  // empty on success
    bool ok() const { return error.empty(); }
  };

  // The form for a file that any reader should take: Foundation's XML whenever XML 1.0 can
  // carry the value, else a binary property list (a string or key with a control character
  // or a NUL, U+FFFE or U+FFFF, a date outside the years 1 to 9999). Fails, with the reason,
  // only for what neither form can hold: a None anywhere in the tree, a string that is not
  // valid UTF-8, nesting deeper than kMaxDepth, a value larger than the size limit.
  static WriteResult write(const Plist& root);

  // Nothing, with the reason in *error, when the value cannot be written as XML: what write()
  // refuses, and every value that write() would write in the binary form.
  static std::optional<std::string> writeXml(const Plist& root, std::string* error = nullptr);
};

}  // namespace host
