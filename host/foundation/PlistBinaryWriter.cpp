#include "foundation/PlistBinaryWriter.h"

#include <bit>
#include <limits>

#include "foundation/PlistUtf8.h"
#include "foundation/PlistWriteFailure.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

namespace {

// Bytes needed for an unsigned number: 1, 2, 4 or 8, the sizes the format allows.
std::size_t bytesFor(std::uint64_t value) {
  if (value <= 0xFF) return 1;
  if (value <= 0xFFFF) return 2;
  if (value <= 0xFFFFFFFF) return 4;
  return 8;
}

bool isAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> PlistBinaryWriter::write(const Plist& root, std::string* error) {
  PlistBinaryWriter writer;
  std::uint64_t top = 0;
  if (!writer.collect(root, 0, top)) {
    if (error) *error = PlistWriteFailure::describe(writer.reason_, writer.path_);
    return std::nullopt;
  }
  writer.referenceSize_ = bytesFor(writer.objects_.size());
  writer.out_ = "bplist00";
  std::vector<std::uint64_t> offsets;
  offsets.reserve(writer.objects_.size());
  for (const Object& object : writer.objects_) {
    offsets.push_back(writer.out_.size());
    writer.encode(object);
  }
  const std::uint64_t table = writer.out_.size();
  const std::size_t offsetSize = bytesFor(table);
  for (std::uint64_t offset : offsets)
    writer.appendBigEndian(offset, offsetSize);
  writer.out_.append(6, '\0');  // unused, and the sort version
  writer.out_.push_back(static_cast<char>(offsetSize));
  writer.out_.push_back(static_cast<char>(writer.referenceSize_));
  writer.appendBigEndian(writer.objects_.size(), 8);
  writer.appendBigEndian(top, 8);
  writer.appendBigEndian(table, 8);
  if (writer.out_.size() > PropertyListSerialization::kMaxInputBytes) {
    if (error) {
      *error = "cannot write the property list: the file would exceed " +
               std::to_string(PropertyListSerialization::kMaxInputBytes) +
               " bytes, more than can be read back";
    }
    return std::nullopt;
  }
  if (error) error->clear();
  return std::move(writer.out_);
}

bool PlistBinaryWriter::collect(const Plist& value, int depth, std::uint64_t& index) {
  if (value.isString()) return collectString(*value.asString(), &value, index);
  if (value.isNone()) return fail("a None value has no property-list form");
  index = objects_.size();
  objects_.push_back({value, {}, {}});
  if (!value.isDictionary() && !value.isArray()) return true;
  if (depth + 1 > PropertyListSerialization::kMaxDepth) {
    return fail("nested deeper than " + std::to_string(PropertyListSerialization::kMaxDepth) +
                " levels");
  }
  std::vector<std::uint64_t> references;
  if (value.isDictionary()) {
    const auto entries = value.entries();
    references.resize(2 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (!collectString(entries[i].first, nullptr, references[i]) ||
          !collect(entries[i].second, depth + 1, references[entries.size() + i])) {
        path_.push_back(entries[i].first);
        return false;
      }
    }
  } else {
    const auto items = value.items();
    references.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!collect(items[i], depth + 1, references[i])) {
        path_.push_back(std::to_string(i));
        return false;
      }
    }
  }
  objects_[static_cast<std::size_t>(index)].references = std::move(references);
  return true;
}

bool PlistBinaryWriter::collectString(std::string_view text, const Plist* value,
                                      std::uint64_t& index) {
  if (!PlistUtf8::isValid(text)) {
    return fail(std::string(value ? "string" : "key") + " is not valid UTF-8");
  }
  auto [found, added] = strings_.try_emplace(text, objects_.size());
  index = found->second;
  if (added) objects_.push_back({value ? *value : Plist(), text, {}});
  return true;
}

void PlistBinaryWriter::encode(const Object& object) {
  const Plist& value = object.value;
  switch (value.type()) {
    case PlistType::None:  // a dictionary key
    case PlistType::String:
      encodeString(object.key);
      return;
    case PlistType::Boolean:
      out_.push_back(*value.asBoolean() ? '\x09' : '\x08');
      return;
    case PlistType::Integer: {
      if (value.isLargeUnsigned()) {
        out_.push_back('\x14');  // 128 bits, the high half zero
        appendBigEndian(0, 8);
        appendBigEndian(*value.asUnsignedInteger(), 8);
        return;
      }
      const std::int64_t number = *value.asInteger();
      // Foundation's encoding: 1, 2 or 4 bytes read as unsigned; 8 bytes as signed.
      const std::size_t size =
          number < 0 || number > 0xFFFFFFFF ? 8 : bytesFor(static_cast<std::uint64_t>(number));
      out_.push_back(static_cast<char>(0x10 | std::countr_zero(size)));
      appendBigEndian(static_cast<std::uint64_t>(number), size);
      return;
    }
    case PlistType::Real:
      out_.push_back('\x23');
      appendBigEndian(std::bit_cast<std::uint64_t>(*value.asReal()), 8);
      return;
    case PlistType::Date:
      out_.push_back('\x33');
      appendBigEndian(std::bit_cast<std::uint64_t>(*value.asDate()), 8);
      return;
    case PlistType::Data: {
      const auto& bytes = *value.asData();
      encodeHeader(0x4, bytes.size());
      out_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
      return;
    }
    case PlistType::Array:
      encodeHeader(0xA, object.references.size());
      break;
    case PlistType::Dictionary:
      encodeHeader(0xD, object.references.size() / 2);
      break;
  }
  for (std::uint64_t reference : object.references)
    appendBigEndian(reference, referenceSize_);
}

void PlistBinaryWriter::encodeString(std::string_view text) {
  if (isAscii(text)) {
    encodeHeader(0x5, text.size());
    out_.append(text);
    return;
  }
  // UTF-16, big-endian; the count is in code units. The text was checked to be valid UTF-8.
  std::vector<std::uint16_t> units;
  units.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t codePoint = length == 1 ? lead : lead & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      units.push_back(static_cast<std::uint16_t>(0xD800 + (codePoint >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
      units.push_back(static_cast<std::uint16_t>(codePoint));
    }
    i += length;
  }
  encodeHeader(0x6, units.size());
  for (std::uint16_t unit : units)
    appendBigEndian(unit, 2);
}

void PlistBinaryWriter::encodeHeader(std::uint8_t kind, std::uint64_t count) {
  if (count < 15) {
    out_.push_back(static_cast<char>((kind << 4) | count));
    return;
  }
  out_.push_back(static_cast<char>((kind << 4) | 0xF));
  const std::size_t size = bytesFor(count);
  out_.push_back(static_cast<char>(0x10 | std::countr_zero(size)));
  appendBigEndian(count, size);
}

void PlistBinaryWriter::appendBigEndian(std::uint64_t value, std::size_t size) {
  for (std::size_t i = size; i-- > 0;)
    out_.push_back(static_cast<char>(value >> (8 * i)));
}

bool PlistBinaryWriter::fail(std::string reason) {
  reason_ = std::move(reason);
  return false;
}

}  // namespace host
