#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "PlistRoundTrip.h"
#include "foundation/PropertyListSerialization.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using host::PropertyListSerialization;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PlistRoundTrip::check(PropertyListSerialization::readXml(bytes), PlistRoundTrip::Source::Xml);
  // The settings file is parsed in place, inside the bytes read: it must answer as reading a
  // copy does.
  const auto copy = PropertyListSerialization::read(bytes);
  const auto inPlace = PropertyListSerialization::readOwned(std::string(bytes));
  if (inPlace.error != copy.error) {
    PlistRoundTrip::die("reading in place erred otherwise", inPlace.error + " / " + copy.error);
  }
  if (!(inPlace.value == copy.value)) {
    PlistRoundTrip::die("reading in place gave another value", std::string(bytes));
  }
  return 0;
}
