#include "foundation/Plist.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_set>

namespace host {

// The stored value. Every node starts with its type and scalar fields; strings, data and
// containers are larger nodes that add their payload, so a scalar costs no room for one. A None
// value has no node at all, and the two booleans are one shared node each.
struct Plist::Node {
  PlistType type = PlistType::None;
  bool boolean = false;
  bool largeUnsigned = false;  // `integer` holds the bits of a uint64 above INT64_MAX
  union {
    std::int64_t integer = 0;
    double number;  // reals and dates
  };
};

namespace {

struct StringNode : Plist::Node {
  std::string text;
};
struct DataNode : Plist::Node {
  Plist::Bytes bytes;
};
struct DictionaryNode : Plist::Node {
  std::vector<Plist::Entry> entries;
};
struct ArrayNode : Plist::Node {
  std::vector<Plist> items;
};

template <typename T>
std::shared_ptr<T> makeNode(PlistType type) {
  auto node = std::make_shared<T>();
  node->type = type;
  return node;
}

}  // namespace

namespace {

// Position of a UTF-8 byte in UTF-16 code-unit order. Byte order equals code-point order, and the
// two orders differ only in that UTF-16 writes code points from U+10000 on (lead bytes F0..F4) as
// surrogates D800..DFFF, below U+E000..U+FFFF (lead bytes EE, EF). Two keys that agree up to a
// byte agree up to a character boundary or differ inside one sequence with a common lead byte, so
// moving the lead bytes EE and EF above F0..FF is all it takes. The mapping is a permutation of
// the byte values, which keeps the comparison a strict weak order even for invalid UTF-8.
inline unsigned utf16Rank(unsigned char byte) {
  if (byte < 0xEE) return byte;
  if (byte >= 0xF0) return byte - 2u;
  return byte + 0x10u;
}

const std::vector<Plist::Entry>* dictionaryEntries(const Plist::Node* node) {
  if (node == nullptr || node->type != PlistType::Dictionary) return nullptr;
  return &static_cast<const DictionaryNode*>(node)->entries;
}

const std::vector<Plist>* arrayItems(const Plist::Node* node) {
  if (node == nullptr || node->type != PlistType::Array) return nullptr;
  return &static_cast<const ArrayNode*>(node)->items;
}

const std::string& stringText(const Plist::Node* node) {
  return static_cast<const StringNode*>(node)->text;
}

const Plist::Bytes& dataBytes(const Plist::Node* node) {
  return static_cast<const DataNode*>(node)->bytes;
}

std::shared_ptr<const Plist::Node> dictionaryNode(std::vector<Plist::Entry> entries) {
  auto node = makeNode<DictionaryNode>(PlistType::Dictionary);
  node->entries = std::move(entries);
  return node;
}

std::vector<Plist::Entry>::const_iterator lowerBound(const std::vector<Plist::Entry>& entries,
                                                     std::string_view key) {
  return std::lower_bound(entries.begin(), entries.end(), key,
                          [](const Plist::Entry& entry, std::string_view wanted) {
                            return Plist::keyLess(entry.first, wanted);
                          });
}

bool sameNumber(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

Plist Plist::string(std::string value) {
  auto node = makeNode<StringNode>(PlistType::String);
  node->text = std::move(value);
  return Plist(std::move(node));
}

Plist Plist::boolean(bool value) {
  // Settings files are mostly flags: every true shares one node, every false another.
  static const auto kNodes = [] {
    std::array<std::shared_ptr<const Node>, 2> nodes;
    for (bool flag : {false, true}) {
      auto node = makeNode<Node>(PlistType::Boolean);
      node->boolean = flag;
      nodes[flag ? 1 : 0] = std::move(node);
    }
    return nodes;
  }();
  return Plist(kNodes[value ? 1 : 0]);
}

Plist Plist::integer(std::int64_t value) {
  auto node = makeNode<Node>(PlistType::Integer);
  node->integer = value;
  return Plist(std::move(node));
}

Plist Plist::unsignedInteger(std::uint64_t value) {
  auto node = makeNode<Node>(PlistType::Integer);
  node->integer = static_cast<std::int64_t>(value);
  node->largeUnsigned =
      value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  return Plist(std::move(node));
}

Plist Plist::real(double value) {
  auto node = makeNode<Node>(PlistType::Real);
  node->number = value;
  return Plist(std::move(node));
}

Plist Plist::data(Bytes bytes) {
  auto node = makeNode<DataNode>(PlistType::Data);
  node->bytes = std::move(bytes);
  return Plist(std::move(node));
}

Plist Plist::date(double secondsSinceReferenceDate) {
  auto node = makeNode<Node>(PlistType::Date);
  node->number = secondsSinceReferenceDate;
  return Plist(std::move(node));
}

Plist Plist::dictionary() {
  return dictionary(std::vector<Entry>{});
}

const std::string* Plist::sortEntries(std::vector<Entry>& entries) {
  auto less = [](const Entry& a, const Entry& b) { return keyLess(a.first, b.first); };
  // Files written by Foundation are sorted already; only other files pay for the sort.
  if (std::adjacent_find(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        return !less(a, b);
      }) == entries.end()) {
    return nullptr;
  }
  std::sort(entries.begin(), entries.end(), less);
  auto duplicate =
      std::adjacent_find(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.first == b.first; });
  return duplicate == entries.end() ? nullptr : &duplicate->first;
}

Plist Plist::dictionary(std::vector<Entry> entries) {
  // Readers hand over entries that are already sorted and unique; check that in one pass before
  // paying for a sort.
  bool canonical = true;
  for (std::size_t i = 0; i < entries.size() && canonical; ++i) {
    canonical =
        !entries[i].second.isNone() && (i == 0 || keyLess(entries[i - 1].first, entries[i].first));
  }
  if (!canonical) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return keyLess(a.first, b.first); });
    std::vector<Entry> unique;
    unique.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size();) {
      std::size_t last = i;
      while (last + 1 < entries.size() && entries[last + 1].first == entries[i].first)
        ++last;
      if (!entries[last].second.isNone()) unique.push_back(std::move(entries[last]));
      i = last + 1;
    }
    entries = std::move(unique);
  }
  return Plist(dictionaryNode(std::move(entries)));
}

Plist Plist::array(std::vector<Plist> items) {
  auto node = makeNode<ArrayNode>(PlistType::Array);
  node->items = std::move(items);
  return Plist(std::move(node));
}

PlistType Plist::type() const {
  return node_ ? node_->type : PlistType::None;
}

const std::string* Plist::asString() const {
  if (type() != PlistType::String) return nullptr;
  return &stringText(node_.get());
}

std::optional<bool> Plist::asBoolean() const {
  if (type() != PlistType::Boolean) return std::nullopt;
  return node_->boolean;
}

std::optional<std::int64_t> Plist::asInteger() const {
  if (type() != PlistType::Integer || node_->largeUnsigned) return std::nullopt;
  return node_->integer;
}

std::optional<std::uint64_t> Plist::asUnsignedInteger() const {
  if (type() != PlistType::Integer) return std::nullopt;
  if (!node_->largeUnsigned && node_->integer < 0) return std::nullopt;
  return static_cast<std::uint64_t>(node_->integer);
}

bool Plist::isLargeUnsigned() const {
  return type() == PlistType::Integer && node_->largeUnsigned;
}

std::optional<double> Plist::asReal() const {
  if (type() != PlistType::Real) return std::nullopt;
  return node_->number;
}

const Plist::Bytes* Plist::asData() const {
  if (type() != PlistType::Data) return nullptr;
  return &dataBytes(node_.get());
}

std::optional<double> Plist::asDate() const {
  if (type() != PlistType::Date) return std::nullopt;
  return node_->number;
}

std::size_t Plist::size() const {
  if (const auto* entries = dictionaryEntries(node_.get())) return entries->size();
  if (const auto* items = arrayItems(node_.get())) return items->size();
  return 0;
}

std::span<const Plist::Entry> Plist::entries() const {
  if (const auto* entries = dictionaryEntries(node_.get())) return *entries;
  return {};
}

const Plist* Plist::find(std::string_view key) const {
  const auto* entries = dictionaryEntries(node_.get());
  if (entries == nullptr) return nullptr;
  auto it = lowerBound(*entries, key);
  if (it == entries->end() || it->first != key) return nullptr;
  return &it->second;
}

Plist Plist::get(std::string_view key) const {
  const Plist* found = find(key);
  return found ? *found : Plist();
}

Plist Plist::getPath(std::initializer_list<std::string_view> path) const {
  const Plist* current = this;
  for (std::string_view key : path) {
    current = current->find(key);
    if (current == nullptr) return Plist();
  }
  return *current;
}

Plist Plist::getPath(std::span<const std::string> path) const {
  const Plist* current = this;
  for (const std::string& key : path) {
    current = current->find(key);
    if (current == nullptr) return Plist();
  }
  return *current;
}

Plist Plist::with(std::string key, Plist value) const {
  if (value.isNone()) return without(key);
  static const std::vector<Entry> kEmpty;
  const auto* found = dictionaryEntries(node_.get());
  const std::vector<Entry>& old = found ? *found : kEmpty;
  auto position = lowerBound(old, key);
  std::vector<Entry> entries;
  entries.reserve(old.size() + 1);
  entries.insert(entries.end(), old.begin(), position);
  if (position != old.end() && position->first == key) ++position;
  entries.emplace_back(std::move(key), std::move(value));
  entries.insert(entries.end(), position, old.end());
  return Plist(dictionaryNode(std::move(entries)));
}

Plist Plist::without(std::string_view key) const {
  const auto* old = dictionaryEntries(node_.get());
  if (old == nullptr) return dictionary();
  auto position = lowerBound(*old, key);
  if (position == old->end() || position->first != key) return *this;
  std::vector<Entry> entries;
  entries.reserve(old->size() - 1);
  entries.insert(entries.end(), old->begin(), position);
  entries.insert(entries.end(), position + 1, old->end());
  return Plist(dictionaryNode(std::move(entries)));
}

Plist Plist::withPath(std::span<const std::string> path, Plist value) const {
  if (path.empty()) return value;
  if (path.size() == 1) return with(path.front(), std::move(value));
  const Plist* child = find(path.front());
  if (value.isNone()) {
    // Removing below a level that does not exist changes nothing.
    if (child == nullptr || !child->isDictionary()) return isDictionary() ? *this : dictionary();
    Plist changed = child->withPath(path.subspan(1), std::move(value));
    if (changed.sharesStorageWith(*child)) return *this;
    return with(path.front(), std::move(changed));
  }
  Plist base = child ? *child : Plist();
  return with(path.front(), base.withPath(path.subspan(1), std::move(value)));
}

Plist Plist::withPath(std::initializer_list<std::string> path, Plist value) const {
  return withPath(std::span<const std::string>(path.begin(), path.size()), std::move(value));
}

std::span<const Plist> Plist::items() const {
  if (const auto* items = arrayItems(node_.get())) return *items;
  return {};
}

Plist Plist::at(std::size_t index) const {
  const auto* items = arrayItems(node_.get());
  if (items == nullptr || index >= items->size()) return Plist();
  return (*items)[index];
}

Plist Plist::appending(Plist item) const {
  const auto* old = arrayItems(node_.get());
  std::vector<Plist> items;
  items.reserve((old ? old->size() : 0) + 1);
  if (old) items.insert(items.end(), old->begin(), old->end());
  items.push_back(std::move(item));
  return array(std::move(items));
}

bool operator==(const Plist& a, const Plist& b) {
  // Iterative, so that comparing deep trees cannot exhaust the stack. The very same subtree is
  // equal without a look inside. A pair of containers of which one is referenced from several
  // places (a binary file's shared objects) is compared once only, so that comparing two reads of
  // a file that shares objects heavily stays linear instead of walking every expanded path.
  using NodePair = std::pair<const Plist::Node*, const Plist::Node*>;
  auto hash = [](const NodePair& pair) {
    return std::hash<const void*>()(pair.first) * 31 + std::hash<const void*>()(pair.second);
  };
  std::unordered_set<NodePair, decltype(hash)> sharedPairs(0, hash);
  std::vector<std::pair<const Plist*, const Plist*>> pending{{&a, &b}};
  while (!pending.empty()) {
    const auto pair = pending.back();
    pending.pop_back();
    const Plist::Node* x = pair.first->node_.get();
    const Plist::Node* y = pair.second->node_.get();
    if (x == y) continue;
    if (x == nullptr || y == nullptr || x->type != y->type) return false;
    const bool container = x->type == PlistType::Dictionary || x->type == PlistType::Array;
    if (container && (pair.first->node_.use_count() > 1 || pair.second->node_.use_count() > 1) &&
        !sharedPairs.insert({x, y}).second) {
      continue;
    }
    switch (x->type) {
      case PlistType::None:
        break;
      case PlistType::Dictionary: {
        const auto& left = static_cast<const DictionaryNode*>(x)->entries;
        const auto& right = static_cast<const DictionaryNode*>(y)->entries;
        if (left.size() != right.size()) return false;
        for (std::size_t i = 0; i < left.size(); ++i) {
          if (left[i].first != right[i].first) return false;
          pending.emplace_back(&left[i].second, &right[i].second);
        }
        break;
      }
      case PlistType::Array: {
        const auto& left = static_cast<const ArrayNode*>(x)->items;
        const auto& right = static_cast<const ArrayNode*>(y)->items;
        if (left.size() != right.size()) return false;
        for (std::size_t i = 0; i < left.size(); ++i) {
          pending.emplace_back(&left[i], &right[i]);
        }
        break;
      }
      case PlistType::String:
        if (stringText(x) != stringText(y)) return false;
        break;
      case PlistType::Data:
        if (dataBytes(x) != dataBytes(y)) return false;
        break;
      case PlistType::Boolean:
        if (x->boolean != y->boolean) return false;
        break;
      case PlistType::Integer:
        if (x->integer != y->integer || x->largeUnsigned != y->largeUnsigned) return false;
        break;
      case PlistType::Real:
      case PlistType::Date:
        if (!sameNumber(x->number, y->number)) return false;
        break;
    }
  }
  return true;
}

bool Plist::sharesStorageWith(const Plist& other) const {
  return node_ != nullptr && node_ == other.node_;
}

bool Plist::keyLess(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  auto [left, right] =
      std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(common), b.begin());
  if (left == a.begin() + static_cast<std::ptrdiff_t>(common)) return a.size() < b.size();
  return utf16Rank(static_cast<unsigned char>(*left)) <
         utf16Rank(static_cast<unsigned char>(*right));
}

}  // namespace host
