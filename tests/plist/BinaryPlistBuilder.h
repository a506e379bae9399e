#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lays out binary property lists object by object, well-formed or deliberately not, so that the
// reader can be tested on exact bytes.
class BinaryPlistBuilder {
 public:
  explicit BinaryPlistBuilder(std::size_t referenceSize = 1) : referenceSize_(referenceSize) {}

  // Appends one object's bytes and answers its index.
  std::uint64_t add(std::vector<std::uint8_t> object) {
    objects_.push_back(std::move(object));
    return objects_.size() - 1;
  }
  std::uint64_t ascii(std::string_view text) {
    std::vector<std::uint8_t> object = header(0x5, text.size());
    object.insert(object.end(), text.begin(), text.end());
    return add(std::move(object));
  }
  std::uint64_t int8(std::int64_t value) {
    std::vector<std::uint8_t> object{0x13};
    appendBigEndian(object, static_cast<std::uint64_t>(value), 8);
    return add(std::move(object));
  }
  // kind 0xA: array of `references`; kind 0xD: dictionary of keys followed by values.
  std::uint64_t container(std::uint8_t kind, const std::vector<std::uint64_t>& references) {
    std::vector<std::uint8_t> object =
        header(kind, kind == 0xD ? references.size() / 2 : references.size());
    for (std::uint64_t reference : references) {
      appendBigEndian(object, reference, referenceSize_);
    }
    return add(std::move(object));
  }

  std::string build(std::uint64_t top = 0, std::size_t offsetSize = 4) const {
    std::vector<std::uint8_t> file{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<std::uint64_t> offsets;
    for (const auto& object : objects_) {
      offsets.push_back(file.size());
      file.insert(file.end(), object.begin(), object.end());
    }
    const std::uint64_t table = file.size();
    for (std::uint64_t offset : offsets)
      appendBigEndian(file, offset, offsetSize);
    file.insert(file.end(), 6, 0);
    file.push_back(static_cast<std::uint8_t>(offsetSize));
    file.push_back(static_cast<std::uint8_t>(referenceSize_));
    appendBigEndian(file, objects_.size(), 8);
    appendBigEndian(file, top, 8);
    appendBigEndian(file, table, 8);
    return std::string(file.begin(), file.end());
  }

  static void appendBigEndian(std::vector<std::uint8_t>& out, std::uint64_t value,
                              std::size_t size) {
    for (std::size_t i = size; i-- > 0;)
      out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }

 private:
  static std::vector<std::uint8_t> header(std::uint8_t kind, std::uint64_t count) {
    if (count < 15) return {static_cast<std::uint8_t>((kind << 4) | count)};
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>((kind << 4) | 0xF), 0x13};
    appendBigEndian(out, count, 8);
    return out;
  }

  std::size_t referenceSize_;
  std::vector<std::vector<std::uint8_t>> objects_;
};
