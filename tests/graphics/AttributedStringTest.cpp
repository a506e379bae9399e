#include <gtest/gtest.h>

#include <stdexcept>

#include "uikit/NSAttributedString.h"
#include "uikit/NSMutableAttributedString.h"
#include "uikit/NSParagraphStyle.h"
#include "uikit/NSTextAttachment.h"
#include "uikit/TextLayout.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

using namespace host;

namespace {

std::shared_ptr<UIImage> blankImage(CGSize points, double scale) {
  UIGraphicsBeginImageContextWithOptions(points, false, scale);
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

}  // namespace

TEST(AttributedString, RangesCountUtf16UnitsAndRunsMerge) {
  auto font = UIFont::systemFontOfSize(15);
  auto red = UIColor::colorWithRed(1, 0, 0, 1);
  // "é" is one unit, the emoji two.
  auto text = NSMutableAttributedString::withString("h\xC3\xA9\xF0\x9F\x98\x80!",
                                                    {{std::string(NSFontAttributeName), font}});
  ASSERT_EQ(text->length(), 5u);
  EXPECT_EQ(text->string(), "h\xC3\xA9\xF0\x9F\x98\x80!");

  text->addAttribute(NSForegroundColorAttributeName, red, {2, 2});
  NSRange run;
  EXPECT_EQ(text->attributesAtIndex(3, &run).size(), 2u);
  EXPECT_EQ(run, NSMakeRange(2, 2));
  EXPECT_EQ(text->attributeAtIndex(NSFontAttributeName, 4), font);
  EXPECT_EQ(text->attributeAtIndex(NSForegroundColorAttributeName, 4), nullptr);

  text->removeAttribute(NSForegroundColorAttributeName, {0, 5});
  text->attributesAtIndex(0, &run);
  EXPECT_EQ(run, NSMakeRange(0, 5));  // one run again

  EXPECT_THROW(text->addAttribute(NSFontAttributeName, font, {4, 2}), std::out_of_range);
  EXPECT_THROW(text->attributesAtIndex(5), std::out_of_range);
  EXPECT_THROW(text->replaceCharactersInRange({6, 0}, "x"), std::out_of_range);
}

TEST(AttributedString, ReplacingWithAnAttachmentKeepsTheRest) {
  auto font = UIFont::systemFontOfSize(15);
  auto blue = UIColor::colorWithRed(0, 0, 1, 1);
  auto text = NSMutableAttributedString::withString("Tap <image>/a.png</image> to open");
  text->addAttribute(NSForegroundColorAttributeName, blue, {0, 3});
  text->addAttribute(NSFontAttributeName, font, {26, 7});

  auto attachment = NSTextAttachment::withImage(blankImage({40, 10}, 2));
  text->replaceCharactersInRange({4, 21},
                                 *NSAttributedString::attributedStringWithAttachment(attachment));
  ASSERT_EQ(text->string(), "Tap \xEF\xBF\xBC to open");
  EXPECT_EQ(text->attributeAtIndex(NSAttachmentAttributeName, 4), attachment);
  EXPECT_EQ(text->attributesAtIndex(4).size(), 1u);
  NSRange run;
  EXPECT_EQ(text->attributeAtIndex(NSForegroundColorAttributeName, 0), blue);
  text->attributesAtIndex(0, &run);
  EXPECT_EQ(run, NSMakeRange(0, 3));
  text->attributesAtIndex(8, &run);
  EXPECT_EQ(run, NSMakeRange(6, 7));
  EXPECT_EQ(text->attributeAtIndex(NSFontAttributeName, 12), font);

  // Plain replacement text takes the attributes of the first replaced character.
  text->replaceCharactersInRange({1, 1}, "OO");
  EXPECT_EQ(text->string().substr(0, 5), "TOOp ");
  EXPECT_EQ(text->attributeAtIndex(NSForegroundColorAttributeName, 2), blue);
  text->appendAttributedString(*text->attributedSubstringFromRange({0, 2}));
  EXPECT_EQ(text->length(), 16u);
  EXPECT_EQ(text->attributeAtIndex(NSForegroundColorAttributeName, 15), blue);
}

TEST(AttributedString, MeasuresWithFontsAndAttachments) {
  auto font = UIFont::systemFontOfSize(17);
  const NSAttributes attributes{{std::string(NSFontAttributeName), font}};
  auto word = NSMutableAttributedString::withString("Settings", attributes);
  EXPECT_EQ(word->size(), TextLayout("Settings", *font).size());
  // Without a font attribute the text is in the 12-point system font.
  EXPECT_EQ(NSAttributedString::withString("Settings")->size(),
            TextLayout("Settings", *UIFont::systemFontOfSize(12)).size());

  // A 30 x 40 point picture (60 x 80 pixels) adds its width and raises the line.
  auto picture = NSTextAttachment::withImage(blankImage({30, 40}, 2));
  word->appendAttributedString(*NSAttributedString::attributedStringWithAttachment(picture));
  EXPECT_NEAR(word->size().width, TextLayout("Settings", *font).size().width + 30, 0.01);
  EXPECT_NEAR(word->size().height, 40 - font->descender(), 0.01);

  auto sentence = NSMutableAttributedString::withString(
      "Swipe a cell to the left to reveal its actions", attributes);
  sentence->addAttribute(NSParagraphStyleAttributeName,
                         NSParagraphStyle::withAlignment(NSTextAlignment::Center),
                         {0, sentence->length()});
  const CGRect bounds = sentence->boundingRectWithSize({200, 0});
  EXPECT_EQ(bounds.origin, CGPointZero);
  EXPECT_LE(bounds.size.width, 200);
  EXPECT_DOUBLE_EQ(bounds.size.height, 2 * font->lineHeight());
}
