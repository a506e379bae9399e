#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "PlistPrinter.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

using host::Plist;
using host::PropertyListSerialization;
using Format = PropertyListSerialization::Format;

namespace {

// The characters XML 1.0 allows: tab, line feed, carriage return, U+0020..U+D7FF,
// U+E000..U+FFFD, U+10000..U+10FFFF. Answers the byte offset of the first other one.
std::size_t firstCharacterXmlForbids(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = length == 1 ? lead : lead & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    const bool allowed = code == 0x9 || code == 0xA || code == 0xD ||
                         (code >= 0x20 && code <= 0xD7FF) || (code >= 0xE000 && code <= 0xFFFD) ||
                         (code >= 0x10000 && code <= 0x10FFFF);
    if (!allowed) return i;
    i += length;
  }
  return std::string_view::npos;
}

// A settings file as the store writes it: sections, records, an icon, numbers of every size.
Plist settings() {
  std::vector<std::uint8_t> icon(300);
  for (std::size_t i = 0; i < icon.size(); ++i)
    icon[i] = static_cast<std::uint8_t>(i * 13);
  return Plist::dictionary({
      {"hidden", Plist::dictionary({{"PSUIPrefsListController",
                                     Plist::dictionary({{"WIFI", Plist::boolean(true)}})}})},
      {"specs", Plist::dictionary({{"WIFI", Plist::dictionary({{"name", Plist::string("Wi-Fi")},
                                                               {"icon", Plist::data(icon)}})}})},
      {"tags",
       Plist::dictionary({{"0", Plist::dictionary({{"name", Plist::string("R&D <x>")},
                                                   {"fill_color", Plist::string("#FC6354")}})}})},
      {"password", Plist::string("1234")},
      {"numbers", Plist::array({Plist::integer(-5), Plist::integer(300), Plist::integer(70000),
                                Plist::integer(5000000000), Plist::unsignedInteger(UINT64_MAX),
                                Plist::real(0.25), Plist::date(86400.0)})},
      {"unicode \xC3\xA9\xF0\x9F\x98\x80", Plist::string("\xE4\xB8\xAD\xEF\xBF\xBD")},
  });
}

Plist readBack(const PropertyListSerialization::WriteResult& written) {
  const auto read = PropertyListSerialization::read(written.bytes);
  EXPECT_TRUE(read.ok()) << read.error;
  return read.value;
}

// The value as libplist reads our file and writes it out as XML, read back by our reader.
Plist throughLibplist(const std::string& bytes) {
  plist_t tree = nullptr;
  plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &tree);
  EXPECT_NE(tree, nullptr) << "libplist could not read the file";
  if (tree == nullptr) return {};
  char* xml = nullptr;
  std::uint32_t length = 0;
  plist_to_xml(tree, &xml, &length);
  const std::string text(xml, length);
  plist_to_xml_free(xml);
  plist_free(tree);
  return PropertyListSerialization::readXml(text).value;
}

}  // namespace

TEST(PlistWriteFormat, WhatXmlCanCarryStaysFoundationsXmlByteForByte) {
  const Plist value = settings();
  const auto written = PropertyListSerialization::write(value);
  ASSERT_TRUE(written.ok()) << written.error;
  EXPECT_EQ(written.format, Format::Xml);
  EXPECT_EQ(written.bytes, *PropertyListSerialization::writeXml(value));
  EXPECT_EQ(firstCharacterXmlForbids(written.bytes), std::string_view::npos);
  pugi::xml_document document;
  EXPECT_TRUE(document.load_buffer(written.bytes.data(), written.bytes.size()));
  EXPECT_EQ(readBack(written), value);
  EXPECT_EQ(throughLibplist(written.bytes), value);
}

TEST(PlistWriteFormat, WhatXmlCannotCarryIsWrittenAsBinaryAndReadsBackEqual) {
  const std::vector<std::pair<std::string, Plist>> cases = {
      {"control character in a string", Plist::string("bell\x07 escape\x1B tab\t")},
      {"NUL in a string", Plist::string(std::string("a\0b", 3))},
      {"U+FFFE in a string", Plist::string("x\xEF\xBF\xBEy")},
      {"U+FFFF in a key", Plist::dictionary({{"k\xEF\xBF\xBF", Plist::boolean(true)}})},
      {"NUL in a key", Plist::dictionary({{std::string("WI\0FI", 5), Plist::boolean(true)}})},
      {"control character in a key", Plist::dictionary({{"\x01", Plist::integer(1)}})},
      {"date after the year 9999", Plist::date(1e300)},
      {"date before the year 1", Plist::date(-1e300)},
      {"NaN date", Plist::date(std::nan(""))},
  };
  for (const auto& [what, part] : cases) {
    SCOPED_TRACE(what);
    std::string xmlError;
    EXPECT_FALSE(PropertyListSerialization::writeXml(part, &xmlError));
    const Plist value = settings().with("odd", part);
    const auto written = PropertyListSerialization::write(value);
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.format, Format::Binary);
    EXPECT_EQ(written.bytes.substr(0, 8), "bplist00");
    EXPECT_EQ(readBack(written), value);
    // The same bytes for the same value, so a file does not change when nothing did.
    EXPECT_EQ(PropertyListSerialization::write(readBack(written)).bytes, written.bytes);
  }
  // libplist reads every encoding the writer uses (and writes the control character raw).
  const Plist value = settings().with("odd", Plist::string("bell\x07"));
  EXPECT_EQ(throughLibplist(PropertyListSerialization::write(value).bytes), value);
  plist_t tree = nullptr;
  const std::string control =
      PropertyListSerialization::write(Plist::dictionary({{"k", Plist::string("a\x01z")}})).bytes;
  plist_from_bin(control.data(), static_cast<std::uint32_t>(control.size()), &tree);
  ASSERT_NE(tree, nullptr);
  char* text = nullptr;
  plist_get_string_val(plist_dict_get_item(tree, "k"), &text);
  EXPECT_STREQ(text, "a\x01z");
  std::free(text);  // NOLINT: libplist hands out malloc'd strings
  plist_free(tree);
}

TEST(PlistWriteFormat, BinaryFormCountsAndReferencesScaleUp) {
  // More than 255 objects (two-byte references), containers of 15 and more items, long strings
  // and data, offsets past 65535: libplist must read them as we do.
  std::vector<Plist> items;
  std::vector<Plist::Entry> entries;
  for (int i = 0; i < 400; ++i) {
    items.push_back(Plist::string("item " + std::to_string(i) + " \xC3\xA9"));
    entries.emplace_back("key" + std::to_string(i), Plist::integer(i * 1000003));
  }
  const Plist value = Plist::dictionary({
      {"items", Plist::array(items)},
      {"entries", Plist::dictionary(entries)},
      {"blob", Plist::data(std::vector<std::uint8_t>(70000, 0xAB))},
      {"long", Plist::string(std::string(300, 'x'))},
      {"bell", Plist::string("\x07")},
  });
  const auto written = PropertyListSerialization::write(value);
  ASSERT_EQ(written.format, Format::Binary);
  EXPECT_EQ(readBack(written), value);
  EXPECT_EQ(throughLibplist(written.bytes).without("bell"), value.without("bell"));
}

TEST(PlistWriteFormat, WhatNeitherFormCanHoldIsRefusedWithThePath) {
  const std::vector<std::pair<Plist, std::string>> cases = {
      {Plist::dictionary({{"list", Plist::array({Plist::string("\x01"), Plist()})}}),
       "None value has no property-list form (at /list/1)"},
      {Plist::dictionary({{"a", Plist::string("\x01")}, {"b", Plist::string("\xFF")}}),
       "string is not valid UTF-8 (at /b)"},
  };
  for (const auto& [value, expected] : cases) {
    const auto written = PropertyListSerialization::write(value);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.bytes.empty());
    EXPECT_NE(written.error.find(expected), std::string::npos) << written.error;
  }
  Plist deep = Plist::array({Plist::string("\x01")});
  for (int i = 0; i < PropertyListSerialization::kMaxDepth; ++i)
    deep = Plist::array({deep});
  EXPECT_NE(PropertyListSerialization::write(deep).error.find("nested deeper"), std::string::npos);
}
