#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "PlistPrinter.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

using host::Plist;
using host::PropertyListSerialization;

namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

std::string document(std::string_view body) {
  return std::string(kHeader) + std::string(body) + "\n</plist>\n";
}

std::string write(const Plist& value) {
  std::string error;
  auto xml = PropertyListSerialization::writeXml(value, &error);
  EXPECT_TRUE(xml.has_value()) << error;
  return xml.value_or("");
}

std::string readError(std::string_view xml) {
  return PropertyListSerialization::readXml(xml).error;
}

Plist nestedArrays(int levels) {
  Plist value = Plist::array();
  for (int i = 1; i < levels; ++i)
    value = Plist::array({value});
  return value;
}

}  // namespace

TEST(PlistXml, WriterProducesFoundationsLayout) {
  std::vector<std::uint8_t> bytes;
  for (std::uint8_t i = 0; i < 53; ++i)
    bytes.push_back(i);
  const Plist root = Plist::dictionary({
      {"\xEE\x80\x80", Plist::boolean(true)},    // U+E000 sorts after U+1F600
      {"\xF0\x9F\x98\x80", Plist::string("x")},  // U+1F600
      {"z", Plist::data(bytes)},
      {"s", Plist::string("<a & b>\r\n")},
      {"e", Plist::string("")},
      {"n", Plist::array({Plist::integer(-5), Plist::unsignedInteger(18446744073709551615u),
                          Plist::real(0.1), Plist::real(-INFINITY), Plist::boolean(false)})},
      {"d", Plist::date(-0.5)},
      {"b", Plist::array()},
      {"a", Plist::dictionary()},
  });
  EXPECT_EQ(write(root),
            std::string(kHeader) +
                "<dict>\n"
                "\t<key>a</key>\n"
                "\t<dict/>\n"
                "\t<key>b</key>\n"
                "\t<array/>\n"
                "\t<key>d</key>\n"
                "\t<date>2000-12-31T23:59:59Z</date>\n"
                "\t<key>e</key>\n"
                "\t<string></string>\n"
                "\t<key>n</key>\n"
                "\t<array>\n"
                "\t\t<integer>-5</integer>\n"
                "\t\t<integer>18446744073709551615</integer>\n"
                "\t\t<real>0.1</real>\n"
                "\t\t<real>-infinity</real>\n"
                "\t\t<false/>\n"
                "\t</array>\n"
                "\t<key>s</key>\n"
                "\t<string>&lt;a &amp; b&gt;&#13;\n</string>\n"
                "\t<key>z</key>\n"
                "\t<data>\n"
                "\tAAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEy\n"
                "\tMzQ=\n"
                "\t</data>\n"
                "\t<key>\xF0\x9F\x98\x80</key>\n"
                "\t<string>x</string>\n"
                "\t<key>\xEE\x80\x80</key>\n"
                "\t<true/>\n"
                "</dict>\n"
                "</plist>\n");

  // Base64 lines lose 8 characters per level of indentation, counting at most 8 levels.
  auto lineLengths = [](const std::string& xml) {
    std::vector<std::size_t> lengths;
    const std::size_t begin = xml.find("<data>\n") + 7;
    const std::size_t end = xml.rfind('\n', xml.find("</data>")) + 1;
    for (std::size_t at = begin; at < end;) {
      const std::size_t newline = xml.find('\n', at);
      const std::string line = xml.substr(at, newline - at);
      lengths.push_back(line.size() - line.find_first_not_of('\t'));
      at = newline + 1;
    }
    return lengths;
  };
  const Plist data = Plist::data(std::vector<std::uint8_t>(120, 0xFF));
  EXPECT_EQ(lineLengths(write(data)), (std::vector<std::size_t>{76, 76, 8}));
  Plist deep = data;
  for (int i = 0; i < 10; ++i)
    deep = Plist::array({deep});
  std::vector<std::size_t> deepLines(13, 12);
  deepLines.push_back(4);
  EXPECT_EQ(lineLengths(write(deep)), deepLines);
  EXPECT_NE(write(deep).find("\n\t\t\t\t\t\t\t\t////////////\n"), std::string::npos);
  EXPECT_NE(write(Plist::data({})).find("<data>\n</data>\n"), std::string::npos);
}

TEST(PlistXml, EveryTypeRoundTrips) {
  std::vector<std::uint8_t> allBytes;
  for (int i = 0; i < 256; ++i)
    allBytes.push_back(static_cast<std::uint8_t>(i));
  const Plist root = Plist::dictionary({
      {"strings",
       Plist::array(
           {Plist::string(""), Plist::string(" \t spaced \n"),
            Plist::string("a\rb\r\nc & <d> \"e\" 'f' ]]>"),
            Plist::string("\x7F delete, \xC2\x85 next line, \xC3\xA9, \xF0\x9F\x98\x80")})},
      {"integers", Plist::array({Plist::integer(0), Plist::integer(INT64_MIN),
                                 Plist::integer(INT64_MAX), Plist::unsignedInteger(UINT64_MAX)})},
      {"reals", Plist::array({Plist::real(0.1), Plist::real(-0.0), Plist::real(1e300),
                              Plist::real(5e-324), Plist::real(NAN), Plist::real(INFINITY)})},
      {"dates", Plist::array({Plist::date(0), Plist::date(-63113904000.0),
                              Plist::date(252423993599.0), Plist::date(-1e9)})},
      {"booleans", Plist::array({Plist::boolean(true), Plist::boolean(false)})},
      {"data", Plist::array({Plist::data({}), Plist::data({1}), Plist::data(allBytes)})},
      {"nested", Plist::dictionary({{"empty", Plist::dictionary()}, {"list", Plist::array()}})},
      {"key with <&>\r", Plist::string("v")},
  });
  const auto result = PropertyListSerialization::read(write(root));
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.format, PropertyListSerialization::Format::Xml);
  EXPECT_EQ(result.value, root);
  EXPECT_EQ(write(result.value), write(root));
}

TEST(PlistXml, ReaderTakesTheFormsOtherWritersUse) {
  const auto result = PropertyListSerialization::readXml(
      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- comment --><plist version=\"1.0\"><dict>"
      "<key>z</key><string>&#x1F600;&#233;&lt;&apos;&quot;<![CDATA[<raw>&amp;]]></string>"
      "<key>a</key><integer> -0x10 </integer>"
      "<key>h</key><integer>0xFFFFFFFFFFFFFFFF</integer>"
      "<key>r</key><array><real>+1.5e3</real><real>NaN</real><real>-inf</real>"
      "<real>.5</real><real>1e-400</real></array>"
      "<key>d</key><data>  AQID\n BA  </data>"
      "<key>t</key><true></true>"
      "</dict></plist>");
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.value.get("z"), Plist::string("\xF0\x9F\x98\x80\xC3\xA9<'\"<raw>&amp;"));
  EXPECT_EQ(result.value.get("a"), Plist::integer(-16));
  EXPECT_EQ(result.value.get("h"), Plist::unsignedInteger(UINT64_MAX));
  EXPECT_EQ(result.value.get("r"),
            Plist::array({Plist::real(1500), Plist::real(NAN), Plist::real(-INFINITY),
                          Plist::real(0.5), Plist::real(0)}));
  EXPECT_EQ(result.value.get("d"), Plist::data({1, 2, 3, 4}));
  EXPECT_EQ(result.value.entries().front().first, "a");  // sorted on reading

  // White space is text wherever it stands, also where a comment or CDATA splits the text.
  EXPECT_EQ(
      PropertyListSerialization::readXml("<array><string>  </string><string> a </string></array>")
          .value,
      Plist::array({Plist::string("  "), Plist::string(" a ")}));
  EXPECT_EQ(PropertyListSerialization::readXml(
                "<array><string> <!-- c --> b <![CDATA[ c ]]> </string><string>\t</string></array>")
                .value,
            Plist::array({Plist::string("  b  c  "), Plist::string("\t")}));

  const auto bare = PropertyListSerialization::read("<array><integer>1</integer></array>");
  ASSERT_TRUE(bare.ok()) << bare.error;
  EXPECT_EQ(bare.value, Plist::array({Plist::integer(1)}));
}

TEST(PlistXml, MalformedDocumentsAreRefusedWithTheirPlace) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<!DOCTYPE plist [<!ENTITY x \"y\">]><plist><string>&x;</string></plist>",
       "entity declarations"},
      {document("<string>&foo;</string>"), "unknown entity &foo;"},
      {document("<string>a & b</string>"), "'&'"},
      {document("<string>&#0;</string>"), "&#0;"},
      {document("<string>&#xD800;</string>"), "&#xD800;"},
      {document("<string>&#x110000;</string>"), "&#x110000;"},
      {document("<string>\xC3\x28</string>"), "invalid UTF-8"},
      {document("<dict><key>\xED\xA0\x80</key><true/></dict>"), "invalid UTF-8"},
      {document("<string>a\0b</string>").replace(kHeader.size() + 9, 1, 1, '\0'), "NUL"},
      {document("<integer>18446744073709551616</integer>"), "<integer>"},
      {document("<integer>-9223372036854775809</integer>"), "<integer>"},
      {document("<integer>12a</integer>"), "<integer>"},
      {document("<integer></integer>"), "<integer>"},
      {document("<real>1.5.2</real>"), "<real>"},
      {document("<real>1e999</real>"), "<real>"},
      {document("<real>nan(1)</real>"), "<real>"},
      {document("<date>2023-02-29T00:00:00Z</date>"), "day out of range"},
      {document("<date>2023-01-01T24:00:00Z</date>"), "time of day"},
      {document("<date>2023-01-01 00:00:00</date>"), "YYYY-MM-DD"},
      {document("<date>0000-01-01T00:00:00Z</date>"), "year"},
      {document("<data>AQ*D</data>"), "invalid character '*'"},
      {document("<data>AQ=D</data>"), "after the padding"},
      {document("<data>AQ===</data>"), "wrong padding"},
      {document("<data>AQIDB</data>"), "one character"},
      {document("<dict><key>a</key><true/><key>a</key><false/></dict>"), "duplicate key \"a\""},
      {document("<dict><key>a</key></dict>"), "has no value"},
      {document("<dict><string>a</string><true/></dict>"), "expected <key>"},
      {document("<dict>text<key>a</key><true/></dict>"), "text \"text\" in <dict>"},
      {document("<array><key>a</key></array>"), "<key> outside"},
      {document("<array>x<true/></array>"), "text \"x\" in <array>"},
      {"<plist>x<true/></plist>", "text \"x\" in <plist>"},
      {document("<string><b/></string>"), "only text"},
      {document("<true>yes</true>"), "must be empty"},
      {document("<float>1</float>"), "unknown element"},
      {document("<true/><false/>"), "more than one value"},
      {document("<dict>"), "malformed XML"},
      {"<plist><true/></plist><plist/>", "more than one root"},
      {"<plist><true/></plist> trailing", "text outside"},
      {"", "no root element"},
      {"<plist></plist>", "holds no value"},
  };
  for (const auto& [xml, expected] : cases) {
    const auto result = PropertyListSerialization::readXml(xml);
    EXPECT_FALSE(result.ok()) << xml;
    EXPECT_TRUE(result.value.isNone());
    EXPECT_NE(result.error.find(expected), std::string::npos)
        << "input: " << xml << "\nerror: " << result.error;
  }
  // Errors point at the line.
  EXPECT_NE(readError(document("<array>\n<integer>x</integer></array>")).find("line 5"),
            std::string::npos);
}

TEST(PlistXml, DepthAndSizeLimitsHold) {
  constexpr int kMax = PropertyListSerialization::kMaxDepth;
  auto nestedXml = [](int levels) {
    std::string xml;
    for (int i = 0; i < levels; ++i)
      xml += "<array>";
    for (int i = 0; i < levels; ++i)
      xml += "</array>";
    return xml;
  };
  EXPECT_TRUE(PropertyListSerialization::readXml(nestedXml(kMax)).ok());
  EXPECT_NE(readError(nestedXml(kMax + 1)).find("nested deeper than 512"), std::string::npos);
  EXPECT_NE(readError(nestedXml(100000)).find("nested deeper"), std::string::npos);

  std::string error;
  EXPECT_TRUE(PropertyListSerialization::writeXml(nestedArrays(kMax), &error)) << error;
  EXPECT_FALSE(PropertyListSerialization::writeXml(nestedArrays(kMax + 1), &error));
  EXPECT_NE(error.find("nested deeper"), std::string::npos) << error;

  // The size limit is checked on the length before any byte is read: reserve address space for
  // one byte more than the limit without ever touching (and so allocating) it.
  const std::size_t size = PropertyListSerialization::kMaxInputBytes + 1;
  void* memory = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(memory, MAP_FAILED);
  const std::string_view huge(static_cast<const char*>(memory), size);
  EXPECT_NE(PropertyListSerialization::readXml(huge).error.find("limit"), std::string::npos);
  EXPECT_NE(PropertyListSerialization::readBinary(huge).error.find("limit"), std::string::npos);
  munmap(memory, size);
}

TEST(PlistXml, WriterRefusesWhatItCannotWriteFaithfully) {
  const std::vector<std::pair<Plist, std::string>> cases = {
      {Plist(), "None"},
      {Plist::dictionary({{"list", Plist::array({Plist::integer(1), Plist()})}}), "at /list/1"},
      {Plist::string("\xFF"), "not valid UTF-8"},
      {Plist::dictionary({{"\xC0\x80", Plist::integer(1)}}), "key is not valid UTF-8"},
      {Plist::string(std::string("a\0b", 3)), "NUL"},
      {Plist::dictionary({{"a\x1B", Plist::integer(1)}}), "key holds the character U+001B"},
      {Plist::string("\xEF\xBF\xBF"), "U+FFFF, which XML 1.0 cannot carry"},
      {Plist::date(252423993600.0), "date outside"},  // 10000-01-01
      {Plist::date(-63114076801.0), "date outside"},  // before 0001-01-01
      {Plist::date(NAN), "date outside"},
  };
  for (const auto& [value, expected] : cases) {
    std::string error;
    EXPECT_FALSE(PropertyListSerialization::writeXml(value, &error));
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  }
}

TEST(PlistXml, ReadingInPlaceAnswersAsReadingACopy) {
  // The in-place parse overwrites the text (ends of names, line ends inside text); values and
  // the lines and columns errors name must come out as from a copy.
  const std::vector<std::string> documents = {
      document("<dict>\r\n<key>a\r\nb</key>\r<string>x\r\ny</string></dict>"),
      document("<dict><key>a</key><string>&lt;&#13;&gt;</string></dict>"),
      std::string(kHeader) + "<plist\nversion=\"1.0\">\r\n<array>\r\n<integer>x</integer>",
      document("<dict>\r\n\t<key>k</key>\r\n\t<integer>\r\n12x</integer>\r\n</dict>"),
      document("<array>\n<string>a\r\n<b/></string>\n</array>"),
      document("<array>\r\n<date>2001-01-01T00:00:00</date>\n</array>"),
      document("<dict>\r\n<key>k</key>\r\n</dict>"),
      "bplist00",
      document("<data>\r\nAQID\r\n</data>") + "<extra/>",
      // The last byte is as much part of the document as any other.
      "\n<dict/>>",
      "<dict/>x",
      document("<dict/>").substr(0, document("<dict/>").size() - 1),
      "<dict/",
      // Faults found before parsing are placed on their lines too.
      std::string("<dict>\n<key>a</key>\n<string>") + '\0' + "</string>\n</dict>",
      "<dict>\n<key>a</key>\n<string>\xff</string>\n</dict>",
  };
  for (const std::string& text : documents) {
    SCOPED_TRACE(text);
    const auto copy = PropertyListSerialization::read(text);
    const auto inPlace = PropertyListSerialization::readOwned(text);
    EXPECT_EQ(inPlace.error, copy.error);
    EXPECT_EQ(inPlace.value, copy.value);
    EXPECT_EQ(inPlace.format, copy.format);
  }
}
