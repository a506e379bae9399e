#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "store/HexColors.h"

using host::UIColor;
using vorlan::HexColorAddition;

namespace {

// An 8-bit component as the category turns it into a unit value: divided in float, then widened.
double unit(int component) {
  return static_cast<double>(static_cast<float>(component) / 255.0f);
}

void expectColor(const std::shared_ptr<UIColor>& color, int red, int green, int blue,
                 double alpha) {
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(color->red(), unit(red));
  EXPECT_EQ(color->green(), unit(green));
  EXPECT_EQ(color->blue(), unit(blue));
  EXPECT_EQ(color->alpha(), alpha);
}

}  // namespace

TEST(HexColors, SixAndThreeDigitStringsWithOrWithoutHash) {
  expectColor(HexColorAddition::colorWithHexString("#FC6354"), 252, 99, 84, 1);
  expectColor(HexColorAddition::colorWithHexString("fc6354"), 252, 99, 84, 1);
  // Single precision on purpose: the stored colours were always computed that way.
  EXPECT_EQ(HexColorAddition::colorWithHexString("#FC6354")->red(),
            static_cast<double>(252.0f / 255.0f));

  auto shortForm = HexColorAddition::colorWithHexString("#F0A");
  ASSERT_NE(shortForm, nullptr);
  EXPECT_TRUE(shortForm->isEqual(*HexColorAddition::colorWithHexString("#FF00AA")));
  expectColor(HexColorAddition::colorWithHexString("f0a"), 255, 0, 170, 1);
  EXPECT_EQ(HexColorAddition::hexStringTransformFromThreeCharacters("xF0A"), "#FF00AA");
  EXPECT_EQ(HexColorAddition::hexStringTransformFromThreeCharacters("#F0A0"), "#F0A0");
}

TEST(HexColors, AlphaComesFromTheStringOrTheCaller) {
  expectColor(HexColorAddition::colorWithHexString("#80FF0000"), 255, 0, 0, 128 / 255.0);
  expectColor(HexColorAddition::colorWithHexString("#8F00"), 255, 0, 0, 136 / 255.0);
  expectColor(HexColorAddition::colorWithHexString("00ffffff"), 255, 255, 255, 0);

  expectColor(HexColorAddition::colorWithHexString("#ABABAB", 0.5), 171, 171, 171, 0.5);
  expectColor(HexColorAddition::colorWithHexString("ABA", 0.25), 170, 187, 170, 0.25);
  // The explicit-alpha form does not read an alpha from the string.
  expectColor(HexColorAddition::colorWithHexString("#ABAB", 0.5), 255, 255, 255, 1);
}

TEST(HexColors, UnusableStringsGiveWhiteOrNothing) {
  EXPECT_EQ(HexColorAddition::colorWithHexString(""), nullptr);
  EXPECT_EQ(HexColorAddition::colorWithHexString("", 0.5), nullptr);

  for (std::string_view hex : {"#ABCDE", "#ABCDEF0", "#", "#AB", "ABCDEF0123"})
    expectColor(HexColorAddition::colorWithHexString(hex), 255, 255, 255, 1);
  EXPECT_TRUE(HexColorAddition::colorWithHexString("#ABCDEF0")->isEqual(*UIColor::whiteColor()));

  // A bad digit ends that component's digits; the others are read as usual.
  expectColor(HexColorAddition::colorWithHexString("#GG0000"), 0, 0, 0, 1);
  expectColor(HexColorAddition::colorWithHexString("#1Z00F0"), 1, 0, 240, 1);
  expectColor(HexColorAddition::colorWithHexString("#ZZ00FF00"), 0, 255, 0, 0);
}

TEST(HexColors, HexValuesAreScannedLikeNSScanner) {
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("0xff"), 255u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("ff"), 255u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("  0XfF"), 255u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("\t\n1a2 3"), 0x1a2u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("zz"), 0u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned(""), 0u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("0x"), 0u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("-1"), 0u);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("0xFFFFFFFF"), UINT32_MAX);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("100000000"), UINT32_MAX);
  EXPECT_EQ(HexColorAddition::hexValueToUnsigned("123456789abcdef"), UINT32_MAX);
}

TEST(HexColors, ComponentsOutsideTheByteRangeAreKept) {
  auto color = HexColorAddition::colorWith8BitRed(-255, 510, 0);
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(color->red(), -1.0);
  EXPECT_EQ(color->green(), 2.0);
  EXPECT_EQ(color->alpha(), 1.0);
  EXPECT_EQ(HexColorAddition::colorWith8BitRed(0, 0, 0, 0.3)->alpha(), 0.3);
}

TEST(HexColors, ArbitraryBytesNeverBreakParsing) {
  std::mt19937 random(20240611);
  const std::string alphabet = "#0123456789abcdefABCDEFxXgz \t\x80\xc3\xa9\xff";
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> anyByte(0, 255);
  for (int round = 0; round < 5000; ++round) {
    std::string hex;
    const std::size_t n = length(random);
    for (std::size_t i = 0; i < n; ++i) {
      hex += round % 2 ? alphabet[pick(random)] : static_cast<char>(anyByte(random));
    }
    SCOPED_TRACE(::testing::PrintToString(hex));
    auto color = HexColorAddition::colorWithHexString(hex);
    auto withAlpha = HexColorAddition::colorWithHexString(hex, 0.5);
    EXPECT_EQ(color == nullptr, hex.empty());
    EXPECT_EQ(withAlpha == nullptr, hex.empty());
    if (color) {
      EXPECT_GE(color->alpha(), 0.0);
      EXPECT_LE(color->alpha(), 1.0);
      for (double c : {color->red(), color->green(), color->blue()}) {
        EXPECT_GE(c, 0.0);
        EXPECT_LE(c, 1.0);
      }
    }
    EXPECT_EQ(HexColorAddition::hexStringTransformFromThreeCharacters(hex).size(),
              hex.size() == 4 ? 7u : hex.size());
  }
}
