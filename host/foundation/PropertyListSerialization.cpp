#include "foundation/PropertyListSerialization.h"

#include <new>

#include "foundation/PlistBinaryReader.h"
#include "foundation/PlistBinaryWriter.h"
#include "foundation/PlistXmlReader.h"
#include "foundation/PlistXmlSize.h"
#include "foundation/PlistXmlWriter.h"

namespace host {

namespace {

constexpr std::string_view kBinaryMagic = "bplist";

PropertyListSerialization::ReadResult refused(PropertyListSerialization::Format format,
                                              std::string error) {
  PropertyListSerialization::ReadResult result;
  result.format = format;
  result.error = std::move(error);
  return result;
}

// The size check comes first, on the length alone, before a byte of the input is looked at.
std::string tooLarge(std::size_t size) {
  return "the input is " + std::to_string(size) + " bytes, more than the limit of " +
         std::to_string(PropertyListSerialization::kMaxInputBytes);
}

std::string tooLargeAsXml() {
  return "the value would take more than " +
         std::to_string(PropertyListSerialization::kMaxInputBytes) +
         " bytes as XML (counting each shared object at every reference to it), more than can be "
         "written back";
}

// A value read is kept only if it can be written again: a binary file that shares its objects
// may stand for far more than its own size.
PropertyListSerialization::ReadResult withinSizeLimit(PropertyListSerialization::ReadResult result,
                                                      std::string_view prefix) {
  constexpr auto kLimit = PropertyListSerialization::kMaxInputBytes;
  if (result.ok() && PlistXmlSize::ofDocument(result.value, kLimit) > kLimit) {
    return refused(result.format, std::string(prefix) + tooLargeAsXml());
  }
  return result;
}

}  // namespace

PropertyListSerialization::ReadResult PropertyListSerialization::read(std::string_view bytes) {
  if (bytes.substr(0, kBinaryMagic.size()) == kBinaryMagic) return readBinary(bytes);
  return readXml(bytes);
}

PropertyListSerialization::ReadResult PropertyListSerialization::readXml(std::string_view bytes) {
  if (bytes.size() > kMaxInputBytes) return refused(Format::Xml, tooLarge(bytes.size()));
  try {
    return withinSizeLimit(PlistXmlReader::read(bytes), "XML property list: ");
  } catch (const std::bad_alloc&) {
    return refused(Format::Xml, "XML property list: out of memory");
  }
}

PropertyListSerialization::ReadResult PropertyListSerialization::readOwned(std::string bytes) {
  if (std::string_view(bytes).substr(0, kBinaryMagic.size()) == kBinaryMagic) {
    return readBinary(bytes);
  }
  if (bytes.size() > kMaxInputBytes) return refused(Format::Xml, tooLarge(bytes.size()));
  try {
    return withinSizeLimit(PlistXmlReader::readInPlace(bytes), "XML property list: ");
  } catch (const std::bad_alloc&) {
    return refused(Format::Xml, "XML property list: out of memory");
  }
}

PropertyListSerialization::ReadResult PropertyListSerialization::readBinary(
    std::string_view bytes) {
  if (bytes.size() > kMaxInputBytes) return refused(Format::Binary, tooLarge(bytes.size()));
  try {
    return withinSizeLimit(PlistBinaryReader::read(bytes), "binary property list: ");
  } catch (const std::bad_alloc&) {
    return refused(Format::Binary, "binary property list: out of memory");
  }
}

PropertyListSerialization::WriteResult PropertyListSerialization::write(const Plist& root) {
  WriteResult result;
  try {
    const std::uint64_t size = PlistXmlSize::ofDocument(root, kMaxInputBytes);
    if (size > kMaxInputBytes) {
      result.error = "cannot write the property list: " + tooLargeAsXml();
      return result;
    }
    std::string xmlError;
    bool exact = true;
    if (auto xml = PlistXmlWriter::write(root, &xmlError, size, &exact)) {
      result.bytes = std::move(*xml);
      // Only a value the text rounds is read back; all else is what was written.
      result.value = exact ? root : readXml(result.bytes).value;
      return result;
    }
    // The binary form holds every value XML refuses for its characters or dates; what it
    // refuses too, it names itself. It keeps every number and date to the bit.
    result.format = Format::Binary;
    if (auto binary = PlistBinaryWriter::write(root, &result.error)) {
      result.bytes = std::move(*binary);
      result.value = root;
    }
  } catch (const std::bad_alloc&) {
    result.bytes.clear();
    result.value = Plist();
    result.error = "cannot write the property list: out of memory";
  }
  return result;
}

std::optional<std::string> PropertyListSerialization::writeXml(const Plist& root,
                                                               std::string* error) {
  try {
    return PlistXmlWriter::write(root, error);
  } catch (const std::bad_alloc&) {
    if (error) *error = "cannot write the property list: out of memory";
    return std::nullopt;
  }
}

}  // namespace host
