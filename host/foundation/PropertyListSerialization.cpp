#include "foundation/PropertyListSerialization.h"

#include <new>

#include "foundation/PlistBinaryReader.h"
#include "foundation/PlistXmlReader.h"
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

}  // namespace

PropertyListSerialization::ReadResult PropertyListSerialization::read(std::string_view bytes) {
  if (bytes.substr(0, kBinaryMagic.size()) == kBinaryMagic) return readBinary(bytes);
  return readXml(bytes);
}

PropertyListSerialization::ReadResult PropertyListSerialization::readXml(std::string_view bytes) {
  if (bytes.size() > kMaxInputBytes) return refused(Format::Xml, tooLarge(bytes.size()));
  try {
    return PlistXmlReader::read(bytes);
  } catch (const std::bad_alloc&) {
    return refused(Format::Xml, "XML property list: out of memory");
  }
}

PropertyListSerialization::ReadResult PropertyListSerialization::readBinary(
    std::string_view bytes) {
  if (bytes.size() > kMaxInputBytes) return refused(Format::Binary, tooLarge(bytes.size()));
  try {
    return PlistBinaryReader::read(bytes);
  } catch (const std::bad_alloc&) {
    return refused(Format::Binary, "binary property list: out of memory");
  }
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
