#include <gtest/gtest.h>

#include "uikit/CGContext.h"
#include "uikit/NSMutableAttributedString.h"
#include "uikit/NSShadow.h"
#include "uikit/NSTextAttachment.h"
#include "uikit/TextLayout.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

using namespace host;

namespace {

std::shared_ptr<UIImage> filledImage(CGSize points, double scale, const UIColor& color) {
  UIGraphicsBeginImageContextWithOptions(points, false, scale);
  UIGraphicsGetCurrentContext()->setFillColor(color);
  UIGraphicsGetCurrentContext()->fillRect({{0, 0}, points});
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

// Pixels of an image (at scale 1) within a rectangle that are not transparent, and how many of
// them are mostly of one channel (0 red, 1 green, 2 blue).
struct Ink {
  int any = 0;
  int dominant[3] = {0, 0, 0};
};

Ink inkIn(const UIImage& image, CGRect rect) {
  Ink ink;
  for (auto y = static_cast<std::uint32_t>(rect.minY()); y < rect.maxY(); ++y) {
    for (auto x = static_cast<std::uint32_t>(rect.minX()); x < rect.maxX(); ++x) {
      const UIImage::Pixel p = image.pixelAt(x, y);
      if (p.alpha == 0) continue;
      ++ink.any;
      if (p.red > 128 && p.green < 64 && p.blue < 64) ++ink.dominant[0];
      if (p.green > 128 && p.red < 64 && p.blue < 64) ++ink.dominant[1];
      if (p.blue > 128 && p.red < 64 && p.green < 64) ++ink.dominant[2];
    }
  }
  return ink;
}

}  // namespace

TEST(TextDrawing, RunsAndAttachmentsAreDrawnWhereTheyAreMeasured) {
  auto font = UIFont::systemFontOfSize(20);
  auto text = NSMutableAttributedString::withString(
      "Ab", {{std::string(NSFontAttributeName), font},
             {std::string(NSForegroundColorAttributeName), UIColor::colorWithRed(1, 0, 0, 1)}});
  auto picture =
      NSTextAttachment::withImage(filledImage({20, 10}, 2, *UIColor::colorWithRed(0, 0, 1, 1)));
  text->appendAttributedString(*NSAttributedString::attributedStringWithAttachment(picture));
  const double textWidth = TextLayout("Ab", *font).size().width;
  TextLayout layout(*text);
  const CGSize size = layout.size();

  UIGraphicsBeginImageContextWithOptions({100, 40}, false, 1);
  layout.drawAtPoint(*UIGraphicsGetCurrentContext(), {5, 5});
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();

  const double baseline = 5 + size.height + font->descender();
  const Ink letters = inkIn(*image, {{5, 5}, {textWidth - 1, size.height}});
  EXPECT_GT(letters.dominant[0], 20);
  EXPECT_EQ(letters.dominant[2], 0);
  // The picture sits on the baseline right after the letters, in its own colours.
  const Ink box = inkIn(*image, {{5 + textWidth, baseline - 11}, {21, 12}});
  EXPECT_GE(box.dominant[2], 20 * 10);
  EXPECT_LE(box.dominant[2], 21 * 11);
  EXPECT_EQ(inkIn(*image, {{5 + textWidth + 25, 0}, {40, 40}}).any, 0);
  EXPECT_EQ(inkIn(*image, {{0, baseline + 1 - font->descender()}, {100, 4}}).any, 0);
}

TEST(TextDrawing, OnlyShownLinesAreDrawnWithTheTextShadow) {
  auto font = UIFont::systemFontOfSize(17);
  auto text = NSMutableAttributedString::withString(
      "one two three four five six seven",
      {{std::string(NSFontAttributeName), font},
       {std::string(NSShadowAttributeName),
        NSShadow::withOffset({0, 30}, 0, UIColor::colorWithRed(0, 1, 0, 1))}});
  TextLayout layout(*text);
  layout.setWidth(80);
  layout.setNumberOfLines(1);
  ASSERT_TRUE(layout.isTruncated());

  UIGraphicsBeginImageContextWithOptions({100, 100}, false, 1);
  layout.drawAtPoint(*UIGraphicsGetCurrentContext(), {0, 0});
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();

  const double line = font->lineHeight();
  EXPECT_GT(inkIn(*image, {{0, 0}, {100, line}}).any, 30);  // the first line, black
  EXPECT_EQ(inkIn(*image, {{0, line + 1}, {100, 28 - line}}).any, 0);
  // Its shadow, 30 points down, green; nothing of the second line.
  const Ink shadow = inkIn(*image, {{0, 30}, {100, line}});
  EXPECT_GT(shadow.dominant[1], 30);
  EXPECT_EQ(inkIn(*image, {{0, 30 + line + 1}, {100, 100 - 31 - line}}).any, 0);
}

TEST(TextDrawing, IllFormedTextReadsAsReplacementCharacters) {
  // A stray continuation byte and a truncated sequence each become U+FFFD.
  auto text = NSMutableAttributedString::withString("a\x80z\xE2\x82");
  EXPECT_EQ(text->length(), 4u);
  EXPECT_EQ(text->string(), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
  // Cutting a surrogate pair in half leaves a lone surrogate, written as U+FFFD.
  auto emoji = NSMutableAttributedString::withString("\xF0\x9F\x98\x80");
  emoji->deleteCharactersInRange({1, 1});
  EXPECT_EQ(emoji->string(), "\xEF\xBF\xBD");
  EXPECT_GT(TextLayout(*emoji).size().width, 0);
}
