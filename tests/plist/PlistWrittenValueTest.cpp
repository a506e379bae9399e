// A write answers the value a read of its bytes gives, to the bit, so that a writer may keep it
// instead of reading the file back.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "PlistPrinter.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

using host::Plist;
using host::PlistType;
using host::PropertyListSerialization;

namespace {

// Equal to the bit: numbers and dates by their bits (so -0.0 differs from 0.0 and NaNs by their
// payload), integers by their signedness as well.
bool identical(const Plist& a, const Plist& b) {
  if (a.type() != b.type()) return false;
  const auto bits = [](std::optional<double> v) { return std::bit_cast<std::uint64_t>(*v); };
  switch (a.type()) {
    case PlistType::Real:
      return bits(a.asReal()) == bits(b.asReal());
    case PlistType::Date:
      return bits(a.asDate()) == bits(b.asDate());
    case PlistType::Integer:
      return a.isLargeUnsigned() == b.isLargeUnsigned() && a == b;
    case PlistType::Dictionary:
      if (a.size() != b.size()) return false;
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (a.entries()[i].first != b.entries()[i].first ||
            !identical(a.entries()[i].second, b.entries()[i].second)) {
          return false;
        }
      }
      return true;
    case PlistType::Array:
      if (a.size() != b.size()) return false;
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (!identical(a.items()[i], b.items()[i])) return false;
      }
      return true;
    default:
      return a == b;
  }
}

// Random trees that reach every corner the writers have: text XML must escape or cannot carry,
// integers at the ends of both ranges, reals and dates from random bits (NaN payloads,
// subnormals, negative zero, fractions, dates outside XML's years).
class TreeMaker {
 public:
  explicit TreeMaker(unsigned seed) : random_(seed) {}

  Plist tree(int depth) {
    const int kind = pick(depth > 3 ? 7 : 9);
    if (kind == 7) {
      std::vector<Plist::Entry> entries;
      for (int i = pick(5); i > 0; --i)
        entries.emplace_back(text(), tree(depth + 1));
      return Plist::dictionary(std::move(entries));
    }
    if (kind == 8) {
      std::vector<Plist> items;
      for (int i = pick(5); i > 0; --i)
        items.push_back(tree(depth + 1));
      return Plist::array(std::move(items));
    }
    return scalar(kind);
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string text() {
    static const char* const kPieces[] = {"a",     "Wi-Fi",    " ",
                                          "&",     "<",        ">",
                                          "\r",    "\n",       "\t",
                                          "]]>",   "\xC3\xA9", "\xF0\x9F\x98\x80",
                                          "\x01",  "\x7F",     "\xEF\xBF\xBE",
                                          "&amp;", "<!--",     "<?x"};
    std::string out;
    // Most strings are plain, so that most trees can be written as XML.
    const int limit = pick(4) == 0 ? 18 : 12;
    for (int i = pick(6); i > 0; --i)
      out += kPieces[pick(limit)];
    return out;
  }

  double bitsOrNice() {
    static const double kNice[] = {0.0,
                                   -0.0,
                                   0.5,
                                   -0.5,
                                   1.0,
                                   1e300,
                                   -1e300,
                                   5e-324,
                                   0.1,
                                   std::numeric_limits<double>::quiet_NaN(),
                                   -std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   63113904000.5};
    if (pick(2) == 0) return kNice[pick(std::size(kNice))];
    return std::bit_cast<double>(std::uniform_int_distribution<std::uint64_t>()(random_));
  }

  Plist scalar(int kind) {
    switch (kind) {
      case 0:
        return Plist::string(text());
      case 1:
        return Plist::boolean(pick(2) == 0);
      case 2: {
        static const std::int64_t kEnds[] = {0, -1, 1, INT64_MIN, INT64_MAX, 4294967296};
        return pick(2) ? Plist::integer(kEnds[pick(std::size(kEnds))])
                       : Plist::integer(std::uniform_int_distribution<std::int64_t>()(random_));
      }
      case 3:
        return Plist::unsignedInteger(pick(2) ? UINT64_MAX : (std::uint64_t{1} << 63) + 7);
      case 4:
        return Plist::real(bitsOrNice());
      case 5: {
        // Dates in XML's years mostly, with and without fractions of a second.
        const double seconds =
            pick(3) == 0 ? bitsOrNice()
                         : std::uniform_real_distribution<double>(-6.3e10, 2.5e11)(random_);
        return Plist::date(pick(2) ? std::floor(seconds) : seconds);
      }
      default: {
        Plist::Bytes bytes(static_cast<std::size_t>(pick(70)));
        for (auto& byte : bytes)
          byte = static_cast<std::uint8_t>(pick(256));
        return Plist::data(std::move(bytes));
      }
    }
  }

  std::mt19937 random_;
};

}  // namespace

TEST(PlistWrittenValue, IsWhatReadingTheBytesGivesToTheBit) {
  int xml = 0, binary = 0, rounded = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const Plist root = Plist::dictionary({{"root", TreeMaker(seed).tree(0)}});
    const auto written = PropertyListSerialization::write(root);
    if (!written.ok()) {
      EXPECT_TRUE(written.value.isNone());
      continue;
    }
    const auto read = PropertyListSerialization::read(written.bytes);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_TRUE(identical(written.value, read.value)) << ::testing::PrintToString(read.value);
    (written.format == PropertyListSerialization::Format::Xml ? xml : binary)++;
    if (!identical(written.value, root)) {
      ++rounded;
      EXPECT_EQ(written.format, PropertyListSerialization::Format::Xml);
    }
  }
  // The trees reach both forms and values that XML rounds.
  EXPECT_GT(xml, 1000);
  EXPECT_GT(binary, 100);
  EXPECT_GT(rounded, 100);
}

TEST(PlistWrittenValue, IsTheTreeWrittenUnlessTheTextRoundsIt) {
  const Plist plain = Plist::dictionary(
      {{"when", Plist::date(86400)}, {"ratio", Plist::real(0.1)}, {"zero", Plist::real(-0.0)}});
  EXPECT_TRUE(PropertyListSerialization::write(plain).value.sharesStorageWith(plain));

  // XML keeps dates to the second: the value is the date a read gives, the earlier second.
  const Plist fraction = Plist::dictionary({{"when", Plist::date(-0.5)}});
  EXPECT_TRUE(identical(PropertyListSerialization::write(fraction).value,
                        Plist::dictionary({{"when", Plist::date(-1)}})));
  EXPECT_TRUE(
      identical(PropertyListSerialization::write(Plist::date(-0.0)).value, Plist::date(0.0)));
  // The binary form keeps it whole.
  const Plist odd = fraction.with("name", Plist::string("\x01"));
  const auto binary = PropertyListSerialization::write(odd);
  EXPECT_EQ(binary.format, PropertyListSerialization::Format::Binary);
  EXPECT_TRUE(binary.value.sharesStorageWith(odd));
}
