#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

enum class PlistType : std::uint8_t {
  None,  // "nothing": a missing value, as nil is on the device
  Dictionary,
  Array,
  String,
  Boolean,
  Integer,
  Real,
  Data,
  Date,
};

// One immutable property-list value. Copies are cheap: containers share their storage, and every
// "changing" operation returns a new value that copies only the containers on the changed path
// and shares everything else with the old one.
//
// Dictionaries keep their keys sorted in the order Foundation sorts them when it writes XML
// (UTF-16 code-unit order), so iteration, memory and file agree. Strings are UTF-8.
class Plist {
 public:
  using Bytes = std::vector<std::uint8_t>;
  using Entry = std::pair<std::string, Plist>;

  Plist() = default;  // None

  static Plist string(std::string value);
  static Plist boolean(bool value);
  static Plist integer(std::int64_t value);
  // Integers above INT64_MAX, which binary property lists can hold.
  static Plist unsignedInteger(std::uint64_t value);
  static Plist real(double value);
  static Plist data(Bytes bytes);
  // Seconds since 2001-01-01T00:00:00Z, Foundation's reference date.
  static Plist date(double secondsSinceReferenceDate);
  static Plist dictionary();
  // Builds a dictionary from entries in any order; on a repeated key the last one wins.
  // Entries whose value is None are left out.
  static Plist dictionary(std::vector<Entry> entries);
  // Puts entries into key order, for readers that must refuse a key that appears twice: answers
  // the first repeated key, or nullptr when every key is unique.
  static const std::string* sortEntries(std::vector<Entry>& entries);
  static Plist array(std::vector<Plist> items = {});

  PlistType type() const;
  bool isNone() const { return type() == PlistType::None; }
  bool isDictionary() const { return type() == PlistType::Dictionary; }
  bool isArray() const { return type() == PlistType::Array; }
  bool isString() const { return type() == PlistType::String; }
  bool isBoolean() const { return type() == PlistType::Boolean; }
  bool isInteger() const { return type() == PlistType::Integer; }
  bool isReal() const { return type() == PlistType::Real; }
  bool isData() const { return type() == PlistType::Data; }
  bool isDate() const { return type() == PlistType::Date; }

  // Typed reads: each answers nothing (nullptr / nullopt) when the value has another type.
  const std::string* asString() const;
  std::optional<bool> asBoolean() const;
  // Nothing for an unsigned integer above INT64_MAX.
  std::optional<std::int64_t> asInteger() const;
  // Nothing for a negative integer.
  std::optional<std::uint64_t> asUnsignedInteger() const;
  // True for an integer created by unsignedInteger() above INT64_MAX.
  bool isLargeUnsigned() const;
  std::optional<double> asReal() const;
  const Bytes* asData() const;
  std::optional<double> asDate() const;

  // Number of entries of a dictionary or items of an array; 0 for anything else.
  std::size_t size() const;

  // Dictionary reads. On a value that is not a dictionary they answer as for an empty one.
  std::span<const Entry> entries() const;
  const Plist* find(std::string_view key) const;
  Plist get(std::string_view key) const;  // None if absent
  bool contains(std::string_view key) const { return find(key) != nullptr; }
  // Follows a path of dictionary keys; None as soon as one is missing or not a dictionary.
  Plist getPath(std::initializer_list<std::string_view> path) const;
  Plist getPath(std::span<const std::string> path) const;

  // Dictionary changes. A value that is not a dictionary is taken as an empty one, so a
  // wrong-typed container on a path is replaced rather than trusted. Setting None removes.
  Plist with(std::string key, Plist value) const;
  Plist without(std::string_view key) const;
  // Sets the value at a path of dictionary keys, creating (or replacing wrong-typed) dictionaries
  // on the way. Only the dictionaries on the path are copied; all else is shared.
  Plist withPath(std::span<const std::string> path, Plist value) const;
  Plist withPath(std::initializer_list<std::string> path, Plist value) const;

  // Array reads and changes; a value that is not an array answers as an empty one.
  std::span<const Plist> items() const;
  Plist at(std::size_t index) const;  // None when out of range
  Plist appending(Plist item) const;

  // Deep structural equality (reals compare by value; NaN equals NaN).
  friend bool operator==(const Plist& a, const Plist& b);

  // True when both values are the very same stored container or scalar: the check that an
  // unchanged part of a tree was shared, not copied.
  bool sharesStorageWith(const Plist& other) const;

  // Foundation's key order: UTF-16 code-unit order of UTF-8 strings.
  static bool keyLess(std::string_view a, std::string_view b);

  struct Node;

 private:
  // Walks trees that may share nodes and tells a shared node from a copy by its address.
  friend class PlistXmlSize;

  explicit Plist(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
  std::shared_ptr<const Node> node_;
};

}  // namespace host
