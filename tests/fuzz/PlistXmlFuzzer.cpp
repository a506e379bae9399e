#include <cstddef>
#include <cstdint>
#include <string_view>

#include "PlistRoundTrip.h"
#include "foundation/PropertyListSerialization.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PlistRoundTrip::check(host::PropertyListSerialization::readXml(bytes),
                        PlistRoundTrip::Source::Xml);
  return 0;
}
