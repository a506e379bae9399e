#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/Plist.h"

namespace host {

// Writes a binary property list ("bplist00"): the header, every object, the offset table and the
// 32-byte trailer, as Foundation, libplist and Python's plistlib read them. It carries what XML
// cannot: every character of a string or key (NUL and other controls included) and every date.
// Equal strings and keys are written once; containers are written where they are referenced.
// Refuses, naming the path, a None value, text that is not valid UTF-8 and nesting deeper than
// the readers accept.
class PlistBinaryWriter {
 public:
  static std::optional<std::string> write(const Plist& root, std::string* error);

 private:
  PlistBinaryWriter() = default;

  // One object of the file: a value, or a dictionary key (`key` set, `value` None).
  struct Object {
    Plist value;
    std::string_view key;
    std::vector<std::uint64_t> references;
  };

  // Adds `value` and everything under it; answers its object index through `index`.
  bool collect(const Plist& value, int depth, std::uint64_t& index);
  bool collectString(std::string_view text, const Plist* value, std::uint64_t& index);
  void encode(const Object& object);
  void encodeString(std::string_view text);
  void encodeHeader(std::uint8_t kind, std::uint64_t count);
  void appendBigEndian(std::uint64_t value, std::size_t size);
  bool fail(std::string reason);

  std::vector<Object> objects_;
  std::unordered_map<std::string_view, std::uint64_t> strings_;
  std::size_t referenceSize_ = 1;
  std::string out_;
  std::string reason_;
  std::vector<std::string> path_;  // innermost component first
};

}  // namespace host
