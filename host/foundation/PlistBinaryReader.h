#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

// Reads a binary property list ("bplist00": header, objects, offset table, 32-byte trailer).
// Every size, offset and reference is checked before it is used, with arithmetic that cannot
// overflow. Objects are parsed once each and shared wherever they are referenced again, so a
// file whose references form a DAG ("billion laughs") stays linear in time and memory; an object
// met again on its own path is a cycle and an error.
class PlistBinaryReader {
 public:
  static PropertyListSerialization::ReadResult read(std::string_view bytes);

 private:
  explicit PlistBinaryReader(std::string_view bytes) : input_(bytes) {}

  bool readTrailer();
  // Reads object `index` as a value whose enclosing containers number `depth`.
  bool readObject(std::uint64_t index, int depth, Plist& out);
  bool parseObject(std::uint64_t index, std::uint64_t offset, int depth, Plist& out, int& height);
  bool objectOffset(std::uint64_t index, std::uint64_t& offset);
  bool readKey(std::uint64_t index, std::string& out);
  bool readContainer(std::uint64_t index, std::uint8_t marker, std::uint64_t start, int depth,
                     Plist& out, int& height);
  // The object count that follows a marker: its low nibble, or for 0xF an integer object after it.
  bool readCount(std::uint8_t marker, std::uint64_t& position, std::uint64_t& count);
  // Checks that `count` items of `itemSize` bytes fit between `position` and the offset table.
  bool fits(std::uint64_t position, std::uint64_t count, std::uint64_t itemSize) const;
  std::uint64_t readBigEndian(std::uint64_t position, std::size_t size) const;

  bool fail(const std::string& message);
  bool failObject(std::uint64_t index, std::uint64_t offset, const std::string& message);

  std::string_view input_;
  std::size_t offsetSize_ = 0;
  std::size_t referenceSize_ = 0;
  std::uint64_t objectCount_ = 0;
  std::uint64_t topObject_ = 0;
  std::uint64_t tableOffset_ = 0;  // objects lie in [8, tableOffset_)

  enum class State : std::uint8_t { Unread, Reading, Read };
  std::vector<State> states_;
  std::vector<Plist> objects_;
  // For each object read, how many levels of containers it holds (0 for a scalar), so that a
  // shared object reused deeper down still respects the nesting limit.
  std::vector<std::uint16_t> heights_;
  // Dictionary keys are copied, not shared; their total is capped so that one long key referenced
  // from many dictionaries cannot blow up.
  std::uint64_t keyBytes_ = 0;
  std::string error_;
};

}  // namespace host
