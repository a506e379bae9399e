#pragma once

#include <cstddef>
#include <limits>

namespace host {

inline constexpr std::size_t NSNotFound = std::numeric_limits<std::size_t>::max();

// A range of indexes (characters of a string: UTF-16 code units, as Foundation counts them).
struct NSRange {
  std::size_t location = 0;
  std::size_t length = 0;

  std::size_t end() const { return location + length; }
  bool contains(std::size_t index) const { return index >= location && index - location < length; }
  // Whether the range lies within [0, size), without overflowing.
  bool fitsIn(std::size_t size) const { return location <= size && length <= size - location; }
  bool operator==(const NSRange&) const = default;
};

inline constexpr NSRange NSMakeRange(std::size_t location, std::size_t length) {
  return {location, length};
}

}  // namespace host
