#include "foundation/PlistBinaryReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "foundation/PlistUtf8.h"

namespace host {

namespace {

constexpr std::string_view kMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;

std::string hex(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return "0x" + out;
}

// A key for an error message: cut short, at a character boundary, when long.
std::string quoted(std::string_view text) {
  constexpr std::size_t kLimit = 40;
  std::size_t end = std::min(text.size(), kLimit);
  while (end < text.size() && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  std::string out(1, '"');
  out.append(text.substr(0, end));
  if (end < text.size()) out.append("...");
  out.push_back('"');
  return out;
}

}  // namespace

PropertyListSerialization::ReadResult PlistBinaryReader::read(std::string_view bytes) {
  PlistBinaryReader reader(bytes);
  PropertyListSerialization::ReadResult result;
  result.format = PropertyListSerialization::Format::Binary;
  Plist value;
  if (reader.readTrailer() && reader.readObject(reader.topObject_, 0, value)) {
    result.value = std::move(value);
  } else {
    result.error = "binary property list: " + reader.error_;
  }
  return result;
}

bool PlistBinaryReader::readTrailer() {
  if (input_.size() < kMagic.size() || input_.substr(0, kMagic.size()) != kMagic) {
    return fail("the file does not start with \"bplist00\"");
  }
  if (input_.size() < kMagic.size() + 1 + kTrailerSize) {
    return fail("the file is too short (" + std::to_string(input_.size()) +
                " bytes) to hold an object and the 32-byte trailer");
  }
  const std::uint64_t trailer = input_.size() - kTrailerSize;
  offsetSize_ = static_cast<std::uint8_t>(input_[trailer + 6]);
  referenceSize_ = static_cast<std::uint8_t>(input_[trailer + 7]);
  objectCount_ = readBigEndian(trailer + 8, 8);
  topObject_ = readBigEndian(trailer + 16, 8);
  tableOffset_ = readBigEndian(trailer + 24, 8);
  if (offsetSize_ < 1 || offsetSize_ > 8) {
    return fail("trailer: offset size " + std::to_string(offsetSize_) + " is not 1 to 8");
  }
  if (referenceSize_ < 1 || referenceSize_ > 8) {
    return fail("trailer: object reference size " + std::to_string(referenceSize_) +
                " is not 1 to 8");
  }
  if (objectCount_ == 0) return fail("trailer: the file holds no objects");
  if (topObject_ >= objectCount_) {
    return fail("trailer: top object " + std::to_string(topObject_) + " of only " +
                std::to_string(objectCount_) + " objects");
  }
  if (tableOffset_ <= kMagic.size() || tableOffset_ > trailer) {
    return fail("trailer: offset table at " + hex(tableOffset_) +
                " lies outside the file's object area");
  }
  if (objectCount_ > (trailer - tableOffset_) / offsetSize_) {
    return fail("trailer: an offset table of " + std::to_string(objectCount_) + " entries of " +
                std::to_string(offsetSize_) + " bytes does not fit between " + hex(tableOffset_) +
                " and the trailer");
  }
  const auto count = static_cast<std::size_t>(objectCount_);
  states_.assign(count, State::Unread);
  objects_.resize(count);
  heights_.assign(count, 0);
  return true;
}

bool PlistBinaryReader::objectOffset(std::uint64_t index, std::uint64_t& offset) {
  if (index >= objectCount_) {
    return fail("reference to object " + std::to_string(index) + " of only " +
                std::to_string(objectCount_) + " objects");
  }
  offset = readBigEndian(tableOffset_ + index * offsetSize_, offsetSize_);
  if (offset < kMagic.size() || offset >= tableOffset_) {
    return failObject(index, offset, "offset outside the object area");
  }
  return true;
}

bool PlistBinaryReader::readObject(std::uint64_t index, int depth, Plist& out) {
  if (index < objectCount_) {
    const auto slot = static_cast<std::size_t>(index);
    if (states_[slot] == State::Read) {
      if (depth + heights_[slot] > PropertyListSerialization::kMaxDepth) {
        return fail("object " + std::to_string(index) + " is nested deeper than " +
                    std::to_string(PropertyListSerialization::kMaxDepth) + " levels");
      }
      out = objects_[slot];
      return true;
    }
    if (states_[slot] == State::Reading) {
      return fail("object " + std::to_string(index) + " contains itself (a reference cycle)");
    }
  }
  std::uint64_t offset = 0;
  if (!objectOffset(index, offset)) return false;
  const auto slot = static_cast<std::size_t>(index);
  states_[slot] = State::Reading;
  int height = 0;
  if (!parseObject(index, offset, depth, out, height)) return false;
  states_[slot] = State::Read;
  objects_[slot] = out;
  heights_[slot] = static_cast<std::uint16_t>(height);
  return true;
}

bool PlistBinaryReader::parseObject(std::uint64_t index, std::uint64_t offset, int depth,
                                    Plist& out, int& height) {
  const auto marker = static_cast<std::uint8_t>(input_[offset]);
  const std::uint8_t info = marker & 0x0F;
  std::uint64_t position = offset + 1;
  auto truncated = [&] { return failObject(index, offset, "object runs past the object area"); };

  switch (marker >> 4) {
    case 0x0:
      if (marker == 0x08 || marker == 0x09) {
        out = Plist::boolean(marker == 0x09);
        return true;
      }
      if (marker == 0x00) return failObject(index, offset, "null objects are not supported");
      if (marker == 0x0F) return failObject(index, offset, "fill byte where an object belongs");
      break;
    case 0x1: {
      if (info > 4) break;
      const std::size_t size = std::size_t{1} << info;
      if (!fits(position, 1, size)) return truncated();
      if (info < 3) {
        out = Plist::integer(static_cast<std::int64_t>(readBigEndian(position, size)));
      } else if (info == 3) {
        out = Plist::integer(static_cast<std::int64_t>(readBigEndian(position, 8)));
      } else {
        // 128-bit integers are kept only when they fit 64 bits: zero high half for the unsigned
        // range, all-ones high half for a negative int64.
        const std::uint64_t high = readBigEndian(position, 8);
        const std::uint64_t low = readBigEndian(position + 8, 8);
        if (high == 0) {
          out = Plist::unsignedInteger(low);
        } else if (high == ~std::uint64_t{0} && (low >> 63) != 0) {
          out = Plist::integer(static_cast<std::int64_t>(low));
        } else {
          return failObject(index, offset, "128-bit integer outside the 64-bit range");
        }
      }
      return true;
    }
    case 0x2:
      if (info == 2) {
        if (!fits(position, 1, 4)) return truncated();
        const auto bits = static_cast<std::uint32_t>(readBigEndian(position, 4));
        out = Plist::real(static_cast<double>(std::bit_cast<float>(bits)));
        return true;
      }
      if (info == 3) {
        if (!fits(position, 1, 8)) return truncated();
        out = Plist::real(std::bit_cast<double>(readBigEndian(position, 8)));
        return true;
      }
      break;
    case 0x3:
      if (marker != 0x33) break;
      if (!fits(position, 1, 8)) return truncated();
      out = Plist::date(std::bit_cast<double>(readBigEndian(position, 8)));
      return true;
    case 0x4: {
      std::uint64_t count = 0;
      if (!readCount(marker, position, count)) return false;
      if (!fits(position, count, 1)) return truncated();
      const auto* begin = reinterpret_cast<const std::uint8_t*>(input_.data() + position);
      out = Plist::data(Plist::Bytes(begin, begin + count));
      return true;
    }
    case 0x5: {
      std::uint64_t count = 0;
      if (!readCount(marker, position, count)) return false;
      if (!fits(position, count, 1)) return truncated();
      const std::string_view text = input_.substr(position, count);
      const auto high = std::find_if(text.begin(), text.end(),
                                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
      if (high != text.end()) {
        return failObject(index, offset,
                          "ASCII string holds the byte " + hex(static_cast<unsigned char>(*high)));
      }
      out = Plist::string(std::string(text));
      return true;
    }
    case 0x6: {
      std::uint64_t count = 0;
      if (!readCount(marker, position, count)) return false;
      if (!fits(position, count, 2)) return truncated();
      std::string text;
      std::size_t bad = 0;
      if (!PlistUtf8::appendUtf16BigEndian(
              text, reinterpret_cast<const std::uint8_t*>(input_.data() + position),
              static_cast<std::size_t>(count), &bad)) {
        return failObject(index, offset,
                          "UTF-16 string has an unpaired surrogate at unit " + std::to_string(bad));
      }
      out = Plist::string(std::move(text));
      return true;
    }
    case 0x8:
      return failObject(index, offset, "UIDs (keyed-archive references) are not supported");
    case 0xA:
    case 0xD:
      return readContainer(index, marker, offset, depth, out, height);
    case 0xC:
      return failObject(index, offset, "sets are not supported");
    default:
      break;
  }
  return failObject(index, offset, "unknown object marker " + hex(marker));
}

bool PlistBinaryReader::readContainer(std::uint64_t index, std::uint8_t marker, std::uint64_t start,
                                      int depth, Plist& out, int& height) {
  if (depth + 1 > PropertyListSerialization::kMaxDepth) {
    return failObject(
        index, start,
        "nested deeper than " + std::to_string(PropertyListSerialization::kMaxDepth) + " levels");
  }
  const bool isDictionary = (marker >> 4) == 0xD;
  std::uint64_t position = start + 1;
  std::uint64_t count = 0;
  if (!readCount(marker, position, count)) return false;
  if (!fits(position, count, referenceSize_ * (isDictionary ? 2 : 1))) {
    return failObject(index, start, "references run past the object area");
  }
  auto reference = [&](std::uint64_t slot) {
    return readBigEndian(position + slot * referenceSize_, referenceSize_);
  };
  auto childHeight = [&](std::uint64_t child) {
    height = std::max(height, 1 + heights_[static_cast<std::size_t>(child)]);
  };
  height = 1;
  if (!isDictionary) {
    std::vector<Plist> items(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint64_t child = reference(i);
      if (!readObject(child, depth + 1, items[static_cast<std::size_t>(i)])) return false;
      childHeight(child);
    }
    out = Plist::array(std::move(items));
    return true;
  }
  std::vector<Plist::Entry> entries(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) {
    auto& entry = entries[static_cast<std::size_t>(i)];
    if (!readKey(reference(i), entry.first)) return false;
    const std::uint64_t child = reference(count + i);
    if (!readObject(child, depth + 1, entry.second)) return false;
    childHeight(child);
  }
  if (const std::string* duplicate = Plist::sortEntries(entries)) {
    return failObject(index, start, "duplicate dictionary key " + quoted(*duplicate));
  }
  out = Plist::dictionary(std::move(entries));
  return true;
}

bool PlistBinaryReader::readKey(std::uint64_t index, std::string& out) {
  std::uint64_t offset = 0;
  if (!objectOffset(index, offset)) return false;
  const auto kind = static_cast<std::uint8_t>(input_[offset]) >> 4;
  if (kind != 0x5 && kind != 0x6) {
    return failObject(index, offset, "dictionary key is not a string");
  }
  Plist key;
  if (!readObject(index, 0, key)) return false;
  const std::string* text = key.asString();
  keyBytes_ += text->size();
  if (keyBytes_ > PropertyListSerialization::kMaxInputBytes) {
    return fail("dictionary keys add up to more than " +
                std::to_string(PropertyListSerialization::kMaxInputBytes) + " bytes");
  }
  out = *text;
  return true;
}

bool PlistBinaryReader::readCount(std::uint8_t marker, std::uint64_t& position,
                                  std::uint64_t& count) {
  if ((marker & 0x0F) != 0x0F) {
    count = marker & 0x0F;
    return true;
  }
  if (!fits(position, 1, 1)) return fail("length integer at " + hex(position) + " is cut off");
  const auto lengthMarker = static_cast<std::uint8_t>(input_[position]);
  if ((lengthMarker >> 4) != 0x1 || (lengthMarker & 0x0F) > 3) {
    return fail("object at " + hex(position - 1) + " has a malformed length (marker " +
                hex(lengthMarker) + ")");
  }
  const std::size_t size = std::size_t{1} << (lengthMarker & 0x0F);
  if (!fits(position + 1, 1, size)) {
    return fail("length integer at " + hex(position) + " is cut off");
  }
  count = readBigEndian(position + 1, size);
  if (size == 8 && (count >> 63) != 0) {
    return fail("object at " + hex(position - 1) + " has a negative length");
  }
  position += 1 + size;
  return true;
}

bool PlistBinaryReader::fits(std::uint64_t position, std::uint64_t count,
                             std::uint64_t itemSize) const {
  return position <= tableOffset_ && count <= (tableOffset_ - position) / itemSize;
}

std::uint64_t PlistBinaryReader::readBigEndian(std::uint64_t position, std::size_t size) const {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value = (value << 8) | static_cast<std::uint8_t>(input_[position + i]);
  }
  return value;
}

bool PlistBinaryReader::fail(const std::string& message) {
  if (error_.empty()) error_ = message;
  return false;
}

bool PlistBinaryReader::failObject(std::uint64_t index, std::uint64_t offset,
                                   const std::string& message) {
  return fail("object " + std::to_string(index) + " at offset " + hex(offset) + ": " + message);
}

}  // namespace host
