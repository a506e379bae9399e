#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>

#include "foundation/Plist.h"

namespace host {

// The size of a value written as Foundation's XML, counting a shared node once for every place
// that refers to it, as the XML writer writes it. A binary property list can share a node from
// many containers, so a few hundred bytes can stand for gigabytes of XML; readers measure what
// they read with this and writers what they write, so that both keep to one limit.
//
// The size is exact for every value the XML writer accepts; for other values (characters XML
// cannot carry, dates outside its years) it counts them as the writer would lay them out.
class PlistXmlSize {
 public:
  // The whole document: header, value at the top level, footer. Stops counting, and answers
  // `limit + 1`, as soon as the size passes `limit`; shared nodes are measured once per level
  // of indentation they appear at, so the work stays linear in the number of distinct nodes.
  static std::uint64_t ofDocument(const Plist& root, std::uint64_t limit);

 private:
  explicit PlistXmlSize(std::uint64_t limit) : cap_(limit + 1) {}

  struct Measure {
    std::uint64_t bytes = 0;  // at the indentation asked for
    std::uint64_t lines = 0;  // lines indented by the value's own level (all but data's body)
  };
  Measure measure(const Plist& value, std::uint64_t indent);
  Measure measureUncached(const Plist& value, std::uint64_t indent);
  std::uint64_t add(std::uint64_t a, std::uint64_t b) const;

  std::uint64_t cap_;
  struct KeyHash {
    std::size_t operator()(const std::pair<const void*, std::uint64_t>& key) const {
      return std::hash<const void*>()(key.first) ^ (key.second * 0x9E3779B97F4A7C15ull);
    }
  };
  std::unordered_map<std::pair<const void*, std::uint64_t>, Measure, KeyHash> shared_;
};

}  // namespace host
