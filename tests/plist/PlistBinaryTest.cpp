#include <gtest/gtest.h>
#include <plist/plist.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "BinaryPlistBuilder.h"
#include "PlistPrinter.h"
#include "foundation/Plist.h"
#include "foundation/PlistXmlSize.h"
#include "foundation/PropertyListSerialization.h"

using host::Plist;
using host::PropertyListSerialization;

namespace {

// Serialises a libplist tree both ways and frees it.
std::pair<std::string, std::string> libplistFiles(plist_t root) {
  char* bytes = nullptr;
  std::uint32_t length = 0;
  plist_to_bin(root, &bytes, &length);
  std::string binary(bytes, length);
  plist_to_bin_free(bytes);
  plist_to_xml(root, &bytes, &length);
  std::string xml(bytes, length);
  plist_to_xml_free(bytes);
  plist_free(root);
  return {binary, xml};
}

std::string binaryError(const std::string& bytes) {
  const auto result = PropertyListSerialization::readBinary(bytes);
  EXPECT_TRUE(result.value.isNone());
  return result.error;
}

// A chain of `levels` arrays, each holding the next; the last one is empty.
std::string nestedArrays(int levels) {
  BinaryPlistBuilder builder(4);
  for (int i = 0; i + 1 < levels; ++i)
    builder.container(0xA, {static_cast<std::uint64_t>(i + 1)});
  builder.container(0xA, {});
  return builder.build();
}

}  // namespace

TEST(PlistBinary, ReadsWhatLibplistWritesAndAgreesWithItsXml) {
  std::vector<std::uint8_t> icon(2048);
  for (std::size_t i = 0; i < icon.size(); ++i)
    icon[i] = static_cast<std::uint8_t>(i * 7);
  const std::string name = "Wi-Fi \xC3\xA9 \xF0\x9F\x98\x80";  // stored as UTF-16 by libplist

  plist_t cells = plist_new_dict();
  plist_dict_set_item(cells, "cell.about", plist_new_bool(1));
  plist_dict_set_item(cells, "cell.wifi", plist_new_bool(0));
  plist_t hidden = plist_new_dict();
  plist_dict_set_item(hidden, "PSGeneralController", cells);
  plist_t cellRecord = plist_new_dict();
  plist_dict_set_item(cellRecord, "name", plist_new_string(name.c_str()));
  plist_dict_set_item(cellRecord, "icon",
                      plist_new_data(reinterpret_cast<const char*>(icon.data()), icon.size()));
  plist_t specs = plist_new_array();
  plist_array_append_item(specs, cellRecord);
  plist_t numbers = plist_new_array();
  for (int i = 0; i < 20; ++i)
    plist_array_append_item(numbers, plist_new_uint(1000u * i));
  plist_t root = plist_new_dict();
  plist_dict_set_item(root, "hidden", hidden);
  plist_dict_set_item(root, "specs", specs);
  plist_dict_set_item(root, "numbers", numbers);
  plist_dict_set_item(root, "negative", plist_new_uint(static_cast<std::uint64_t>(-7)));
  plist_dict_set_item(root, "real", plist_new_real(0.1));
  plist_dict_set_item(root, "date", plist_new_date(86400, 0));
  plist_dict_set_item(root, "long", plist_new_string(std::string(100, 'x').c_str()));
  const auto [binary, xml] = libplistFiles(root);

  std::vector<Plist> expectedNumbers;
  for (int i = 0; i < 20; ++i)
    expectedNumbers.push_back(Plist::integer(1000 * i));
  const Plist expected = Plist::dictionary({
      {"hidden", Plist::dictionary({{"PSGeneralController",
                                     Plist::dictionary({{"cell.about", Plist::boolean(true)},
                                                        {"cell.wifi", Plist::boolean(false)}})}})},
      {"specs", Plist::array({Plist::dictionary(
                    {{"name", Plist::string(name)}, {"icon", Plist::data(icon)}})})},
      {"numbers", Plist::array(expectedNumbers)},
      {"negative", Plist::integer(-7)},
      {"real", Plist::real(0.1)},
      {"date", Plist::date(86400)},
      {"long", Plist::string(std::string(100, 'x'))},
  });
  const auto fromBinary = PropertyListSerialization::read(binary);
  ASSERT_TRUE(fromBinary.ok()) << fromBinary.error;
  EXPECT_EQ(fromBinary.format, PropertyListSerialization::Format::Binary);
  EXPECT_EQ(fromBinary.value, expected);
  const auto fromXml = PropertyListSerialization::read(xml);
  ASSERT_TRUE(fromXml.ok()) << fromXml.error;
  EXPECT_EQ(fromXml.value, fromBinary.value);
}

TEST(PlistBinary, ScalarEncodingsDecodeExactly) {
  BinaryPlistBuilder builder;
  builder.container(0xA, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  builder.add({0x10, 0xFF});
  builder.add({0x11, 0xFF, 0xFE});
  builder.add({0x12, 0xFF, 0xFF, 0xFF, 0xFF});
  builder.int8(-1);
  builder.add({0x14, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  builder.add({0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0});
  builder.add({0x22, 0x3F, 0xC0, 0, 0});                    // 1.5f
  builder.add({0x33, 0xC0, 0x59, 0, 0, 0, 0, 0, 0});        // date -100.0
  builder.add({0x63, 0xD8, 0x3D, 0xDE, 0x00, 0x00, 0xE9});  // U+1F600 U+00E9
  builder.add({0x09});
  builder.add({0x43, 0, 1, 2});
  builder.ascii("");
  const auto result = PropertyListSerialization::readBinary(builder.build());
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.value,
            Plist::array({Plist::integer(255), Plist::integer(65534), Plist::integer(4294967295),
                          Plist::integer(-1), Plist::unsignedInteger(UINT64_MAX),
                          Plist::integer(INT64_MIN), Plist::real(1.5), Plist::date(-100),
                          Plist::string("\xF0\x9F\x98\x80\xC3\xA9"), Plist::boolean(true),
                          Plist::data({0, 1, 2}), Plist::string("")}));
}

TEST(PlistBinary, MalformedAndHostileFilesAreRefused) {
  auto withTrailerByte = [](std::string file, std::size_t index, std::uint8_t value) {
    file[file.size() - 32 + index] = static_cast<char>(value);
    return file;
  };
  BinaryPlistBuilder small;
  small.container(0xA, {1});
  small.ascii("a");
  const std::string valid = small.build();

  auto single = [](std::vector<std::uint8_t> object) {
    BinaryPlistBuilder builder;
    builder.add(std::move(object));
    return builder.build();
  };
  auto dictionary = [](bool numericKey) {
    BinaryPlistBuilder builder;
    builder.container(0xD, {1, 2, 3, 3});
    builder.ascii("a");
    if (numericKey)
      builder.int8(1);
    else
      builder.ascii("a");
    builder.int8(0);
    return builder.build();
  };
  BinaryPlistBuilder selfCycle, longCycle, outOfRange, pointsIntoTable;
  selfCycle.container(0xA, {0});
  longCycle.container(0xA, {1});
  longCycle.container(0xD, {2, 0});
  longCycle.ascii("k");
  outOfRange.container(0xA, {5});
  pointsIntoTable.container(0xA, {});

  std::string badOffset = pointsIntoTable.build();
  badOffset[badOffset.size() - 32 - 4 + 3] = static_cast<char>(10);  // the table starts at 9

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"bplist00", "too short"},
      {"bplist01" + valid.substr(8), "does not start with \"bplist00\""},
      {withTrailerByte(valid, 6, 0), "offset size 0"},
      {withTrailerByte(valid, 7, 9), "reference size 9"},
      {withTrailerByte(valid, 15, 0), "no objects"},
      {withTrailerByte(valid, 23, 2), "top object 2"},
      {withTrailerByte(valid, 31, 0xF0), "outside the file's object area"},
      {withTrailerByte(valid, 31, 3), "outside the file's object area"},
      {withTrailerByte(valid, 15, 200), "does not fit"},
      {withTrailerByte(valid, 8, 0x80), "does not fit"},
      {badOffset, "offset outside the object area"},
      {outOfRange.build(), "reference to object 5 of only 1"},
      {selfCycle.build(), "contains itself"},
      {longCycle.build(), "contains itself"},
      {dictionary(false), "duplicate dictionary key \"a\""},
      {dictionary(true), "key is not a string"},
      {single({0xC1, 0}), "sets"},
      {single({0x80, 1}), "UIDs"},
      {single({0x00}), "null"},
      {single({0x0F}), "fill"},
      {single({0x70}), "unknown object marker 0x70"},
      {single({0x21, 0, 0}), "unknown object marker 0x21"},
      {single({0x15, 0}), "unknown object marker 0x15"},
      {single({0x4F, 0x13, 0x40, 0, 0, 0, 0, 0, 0, 0}), "runs past"},
      {single({0x4F, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "negative length"},
      {single({0x4F, 0x24}), "malformed length"},
      {single({0x6F, 0x13, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "runs past"},
      {single({0xAF, 0x13, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "run past"},
      {single({0x14, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}), "128-bit"},
      {single({0x13, 0, 0}), "runs past"},
      {single({0x52, 'a', 0x80}), "ASCII string holds the byte 0x80"},
      {single({0x61, 0xD8, 0x00}), "unpaired surrogate"},
      {single({0x62, 0xDC, 0x00, 0xD8, 0x00}), "unpaired surrogate"},
  };
  for (const auto& [bytes, expected] : cases) {
    const std::string error = binaryError(bytes);
    EXPECT_NE(error.find(expected), std::string::npos)
        << "expected \"" << expected << "\", got: " << error;
  }

  // Every cut-short or single-byte-damaged copy of a real file is read or refused, never crashes.
  plist_t root = plist_new_dict();
  plist_dict_set_item(root, "name", plist_new_string("\xC3\xA9t\xC3\xA9"));
  plist_dict_set_item(root, "list", plist_new_array());
  plist_array_append_item(plist_dict_get_item(root, "list"), plist_new_uint(300));
  plist_array_append_item(plist_dict_get_item(root, "list"), plist_new_data("abc", 3));
  const std::string file = libplistFiles(root).first;
  for (std::size_t length = 0; length < file.size(); ++length) {
    EXPECT_FALSE(PropertyListSerialization::readBinary(file.substr(0, length)).ok()) << length;
  }
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      std::string damaged = file;
      damaged[at] = static_cast<char>(value);
      const auto result = PropertyListSerialization::readBinary(damaged);
      EXPECT_EQ(result.ok(), !result.value.isNone());
    }
  }
}

TEST(PlistBinary, SharedObjectsStayLinearAndNestingIsBounded) {
  // Arrays that each reference the next level `fanOut` times: `levels` levels spell out
  // fanOut^levels strings, read with sharing as levels + 1 objects.
  auto shared = [](std::uint64_t levels, std::size_t fanOut, std::string_view leaf) {
    BinaryPlistBuilder builder;
    for (std::uint64_t level = 0; level < levels; ++level) {
      builder.container(0xA, std::vector<std::uint64_t>(fanOut, level + 1));
    }
    builder.ascii(leaf);
    return builder.build();
  };
  const auto start = std::chrono::steady_clock::now();
  const auto result = PropertyListSerialization::readBinary(shared(10, 2, "lol"));
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_TRUE(result.value.at(0).sharesStorageWith(result.value.at(1)));
  // Two separate reads compare without expanding the shared objects either.
  EXPECT_EQ(result.value, PropertyListSerialization::readBinary(shared(10, 2, "lol")).value);
  EXPECT_FALSE(result.value == PropertyListSerialization::readBinary(shared(10, 2, "lom")).value);

  // "Billion laughs" (10^40 strings) is refused for its size as XML, and at once.
  const std::string laughs = shared(40, 10, "lol");
  const std::string error = binaryError(laughs);
  EXPECT_NE(error.find("more than 268435456 bytes as XML"), std::string::npos) << error;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

  constexpr int kMax = PropertyListSerialization::kMaxDepth;
  EXPECT_TRUE(PropertyListSerialization::readBinary(nestedArrays(kMax)).ok());
  EXPECT_NE(binaryError(nestedArrays(kMax + 1)).find("nested deeper than 512"), std::string::npos);
  EXPECT_NE(binaryError(nestedArrays(100000)).find("nested deeper"), std::string::npos);

  // A shared subtree that fits where it is first met but not where it is met again.
  BinaryPlistBuilder reused(2);
  for (std::uint64_t i = 0; i < 299; ++i)
    reused.container(0xA, {i + 1});
  reused.container(0xA, {});  // objects 0..299
  for (std::uint64_t i = 300; i < 549; ++i)
    reused.container(0xA, {i + 1});
  reused.container(0xA, {0});  // objects 300..549
  const std::uint64_t top = reused.container(0xA, {0, 300});
  EXPECT_NE(binaryError(reused.build(top)).find("nested deeper"), std::string::npos);
}

TEST(PlistBinary, AFileIsReadOnlyIfItsValueCanBeWrittenBack) {
  // A settings-shaped file of a few hundred bytes whose tables share their children: 14 levels of
  // 4 references stand for 4^14 (268 million) records, gigabytes as XML.
  BinaryPlistBuilder builder;
  const std::uint64_t tagsKey = builder.ascii("tags");
  const std::uint64_t root = builder.container(0xD, {tagsKey, 2});
  constexpr std::uint64_t kLevels = 14;
  for (std::uint64_t level = 0; level < kLevels; ++level) {
    const std::uint64_t next = root + 2 + level;
    builder.container(0xA, {next, next, next, next});
  }
  const std::uint64_t name = builder.ascii("name");
  builder.container(0xD, {name, builder.ascii("Red")});
  std::string file = builder.build(root);
  ASSERT_LT(file.size(), 500u);
  const std::string error = binaryError(file);
  EXPECT_NE(error.find("binary property list: the value would take more than 268435456 bytes"),
            std::string::npos)
      << error;

  // What is read is measured as the XML writer writes it, shared objects at every place they
  // appear and at the depth they appear there, so the reader and the writer agree to the byte.
  std::vector<std::uint8_t> icon(200);
  const Plist record =
      Plist::dictionary({{"icon", Plist::data(icon)}, {"name", Plist::string("a&<>\r")}});
  Plist deep = record;
  for (int i = 0; i < 12; ++i)
    deep = Plist::array({deep, Plist::integer(-i), Plist::real(i / 3.0), Plist::boolean(i % 2)});
  const Plist value = Plist::dictionary({{"deep", deep},
                                         {"flat", record},
                                         {"also", record},
                                         {"date", Plist::date(0)},
                                         {"empty", Plist::array()},
                                         {"none", Plist::dictionary()}});
  const std::uint64_t measured = host::PlistXmlSize::ofDocument(value, UINT64_MAX - 1);
  EXPECT_EQ(measured, PropertyListSerialization::writeXml(value)->size());
  EXPECT_EQ(host::PlistXmlSize::ofDocument(value, 1000), 1001u);
}
