#include <gtest/gtest.h>

#include "uikit/NSMutableAttributedString.h"
#include "uikit/NSParagraphStyle.h"
#include "uikit/TextLayout.h"
#include "uikit/UIFont.h"

using host::NSLineBreakMode;
using host::TextLayout;
using host::UIFont;

namespace {

constexpr const char* kSentence = "Swipe a cell to the left to reveal its actions";

double widthOf(const char* text, const UIFont& font) {
  return TextLayout(text, font).size().width;
}

}  // namespace

// Liberation Sans without hinting measures the same everywhere; these figures are pinned.
TEST(TextMeasurement, SingleLinesHaveFixedMetrics) {
  auto font = UIFont::systemFontOfSize(17);
  const auto size = TextLayout("Settings", *font).size();
  EXPECT_DOUBLE_EQ(size.width, 62903.0 / 1024);  // 61.43
  EXPECT_DOUBLE_EQ(size.height, 19448.0 / 1024);
  EXPECT_DOUBLE_EQ(font->lineHeight(), size.height);
  EXPECT_DOUBLE_EQ(font->ascender() - font->descender(), font->lineHeight());
  EXPECT_GT(font->ascender(), 15);
  EXPECT_LT(font->descender(), -3);

  // The width follows the size (no hinting) and the bold face is wider.
  EXPECT_NEAR(widthOf("Settings", *UIFont::systemFontOfSize(34)), 2 * size.width, 0.01);
  EXPECT_GT(widthOf("Settings", *UIFont::boldSystemFontOfSize(17)), size.width + 4);
  EXPECT_EQ(TextLayout("", *font).size(), host::CGSizeZero);

  // sizeThatFits rounds up to whole pixels.
  EXPECT_EQ(TextLayout::ceilToPixels(size, 2), host::CGSizeMake(61.5, 19));
  EXPECT_EQ(TextLayout::ceilToPixels(size, 1), host::CGSizeMake(62, 19));
}

TEST(TextMeasurement, NamedFontsFallBackToTheSystemFaces) {
  auto unknown = UIFont::fontWithName("NoSuchFont", 17);
  EXPECT_EQ(unknown->fontName(), "NoSuchFont");
  EXPECT_FALSE(unknown->isBold());
  EXPECT_DOUBLE_EQ(widthOf("Settings", *unknown),
                   widthOf("Settings", *UIFont::systemFontOfSize(17)));
  auto bold = UIFont::fontWithName("HelveticaNeue-Bold", 17);
  EXPECT_TRUE(bold->isBold());
  EXPECT_DOUBLE_EQ(widthOf("Settings", *bold),
                   widthOf("Settings", *UIFont::boldSystemFontOfSize(17)));
  EXPECT_EQ(UIFont::systemFontOfSize(-3)->pointSize(), 0);
}

TEST(TextMeasurement, WrapsAndTruncatesAtAWidth) {
  auto font = UIFont::systemFontOfSize(17);
  const double full = widthOf(kSentence, *font);
  ASSERT_GT(full, 300);

  TextLayout wrapped(kSentence, *font);
  wrapped.setWidth(200);
  EXPECT_EQ(wrapped.lineCount(), 2u);
  EXPECT_FALSE(wrapped.isTruncated());
  EXPECT_LE(wrapped.size().width, 200);
  EXPECT_GT(wrapped.size().width, 150);
  EXPECT_DOUBLE_EQ(wrapped.size().height, 2 * font->lineHeight());

  // One line with "…" at the tail: as wide as fits, still one line high.
  TextLayout truncated(kSentence, *font);
  truncated.setWidth(200);
  truncated.setNumberOfLines(1);
  truncated.setLineBreakMode(NSLineBreakMode::ByTruncatingTail);
  EXPECT_EQ(truncated.lineCount(), 1u);
  EXPECT_TRUE(truncated.isTruncated());
  EXPECT_LE(truncated.size().width, 200);
  EXPECT_GT(truncated.size().width, 180);
  EXPECT_DOUBLE_EQ(truncated.size().height, font->lineHeight());

  // Cut after two lines without an ellipsis; an unbreakable word is broken by characters.
  TextLayout cut(kSentence, *font);
  cut.setWidth(100);
  cut.setNumberOfLines(2);
  EXPECT_EQ(cut.lineCount(), 2u);
  EXPECT_TRUE(cut.isTruncated());
  TextLayout longWord("Supercalifragilisticexpialidocious", *font);
  longWord.setWidth(100);
  EXPECT_GE(longWord.lineCount(), 3u);
  EXPECT_LE(longWord.size().width, 100);
}

TEST(TextMeasurement, ShrinksToFitDownToTheMinimumScale) {
  auto font = UIFont::systemFontOfSize(20);
  const double natural = widthOf(kSentence, *font);

  EXPECT_EQ(TextLayout::fittingPointSize(kSentence, *font, natural + 1, 0.5), 20);
  const double fitted = TextLayout::fittingPointSize(kSentence, *font, natural * 0.8, 0.5);
  EXPECT_NEAR(fitted, 16, 0.05);
  EXPECT_LE(widthOf(kSentence, *font->fontWithSize(fitted)), natural * 0.8);
  // Too narrow even at half size: stops at the minimum.
  EXPECT_EQ(TextLayout::fittingPointSize(kSentence, *font, natural * 0.3, 0.5), 10);
  // A factor of 0 does not shrink.
  EXPECT_EQ(TextLayout::fittingPointSize(kSentence, *font, natural * 0.3, 0), 20);
}

TEST(TextMeasurement, LineHeightMultipleSpacesLinesAfterTheFirst) {
  auto font = UIFont::systemFontOfSize(22);
  const auto heightWith = [&](double multiple) {
    auto style = host::NSParagraphStyle::withAlignment(host::NSTextAlignment::Center);
    style->setLineHeightMultiple(multiple);
    auto text = host::NSMutableAttributedString::withString(
        "2\nABC", {{std::string(host::NSFontAttributeName), font},
                   {std::string(host::NSParagraphStyleAttributeName), style}});
    return TextLayout(*text).size().height;
  };
  EXPECT_DOUBLE_EQ(heightWith(0), 2 * font->lineHeight());  // 0: the font's own line height
  EXPECT_NEAR(heightWith(0.7), 1.7 * font->lineHeight(), 1);
}
