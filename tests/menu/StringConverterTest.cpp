#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "store/stringConverter.h"
#include "support/TempDevice.h"
#include "uikit/NSTextAttachment.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

namespace vorlan {
namespace {

using host::NSAttributedString;

class StringConverterTest : public ::testing::Test {
 protected:
  // Writes a PNG of `width` x 20 pixels to a device path.
  void writePicture(const std::string& path, int width) {
    host::UIGraphicsBeginImageContextWithOptions({static_cast<double>(width), 20}, false, 1);
    const auto image = host::UIGraphicsGetImageFromCurrentImageContext();
    host::UIGraphicsEndImageContext();
    const auto& png = image->pngData();
    device.writeRaw(path, std::string(png.begin(), png.end()));
  }

  std::shared_ptr<host::NSMutableAttributedString> convert(const std::string& text,
                                                           float width = 155) {
    return stringConverter::setText(text, width, font, color, host::NSTextAlignment::Center);
  }

  static std::shared_ptr<host::UIImage> pictureAt(const NSAttributedString& text,
                                                  std::size_t index) {
    auto attachment = std::dynamic_pointer_cast<host::NSTextAttachment>(
        text.attributeAtIndex(host::NSAttachmentAttributeName, index));
    return attachment ? attachment->image() : nullptr;
  }

  TempDevice device;
  std::shared_ptr<host::UIFont> font = host::UIFont::systemFontOfSize(15);
  std::shared_ptr<host::UIColor> color = host::UIColor::colorWithWhite(0.2, 0.9);
};

TEST_F(StringConverterTest, EachPictureReplacesExactlyItsMarkupInOrderAndIsScaledToTheWidth) {
  writePicture("/pics/wide.png", 300);
  writePicture("/pics/wider.png", 480);
  // Characters outside the basic plane count twice in the string's indexes.
  const auto text =
      convert("é😀 <image>/pics/wide.png</image>\n\nthen<image>/pics/wider.png</image>.");

  EXPECT_EQ(text->string(), "é😀 \uFFFC\n\nthen\uFFFC.");
  const auto first = pictureAt(*text, 4);
  const auto second = pictureAt(*text, 11);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_DOUBLE_EQ(first->scale(), 1.0);  // (300 / (155 - 5)) / 2
  EXPECT_EQ(first->pixelWidth(), 300u);
  EXPECT_DOUBLE_EQ(second->scale(), 1.6);
  EXPECT_EQ(pictureAt(*text, 3), nullptr);
  // Font, colour and alignment cover the whole text, pictures included.
  for (std::size_t at : {0u, 4u, 12u}) {
    EXPECT_EQ(text->attributeAtIndex(host::NSFontAttributeName, at), font);
    EXPECT_EQ(text->attributeAtIndex(host::NSForegroundColorAttributeName, at), color);
    const auto style = std::dynamic_pointer_cast<host::NSParagraphStyle>(
        text->attributeAtIndex(host::NSParagraphStyleAttributeName, at));
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->alignment(), host::NSTextAlignment::Center);
  }
}

// Markup that does not pair up stays as written; a picture that cannot be loaded is left out;
// a width with no room keeps the picture at its own size.
TEST_F(StringConverterTest, FaultyMarkupOrPicturesNeverCostTheRestOfTheText) {
  writePicture("/pics/p.png", 300);
  device.writeRaw("/pics/broken.png", "not a picture");
  EXPECT_EQ(convert("Open <image>/pics/p.png and nothing closes it")->string(),
            "Open <image>/pics/p.png and nothing closes it");
  EXPECT_EQ(convert("a </image> b <image>/pics/p.png</image> c")->string(),
            "a </image> b \uFFFC c");
  EXPECT_EQ(convert("<image>stray <image>/pics/p.png</image></image><image>")->string(),
            "<image>stray \uFFFC</image><image>");
  EXPECT_EQ(convert("a\n\n<image>/pics/missing.png</image>\n\nb<image>/pics/broken.png</image>"
                    "<image></image>c")
                ->string(),
            "a\n\n\n\nbc");
  for (float width : {5.0f, -20.0f}) {
    const auto picture = pictureAt(*convert("<image>/pics/p.png</image>", width), 0);
    ASSERT_NE(picture, nullptr) << width;
    EXPECT_DOUBLE_EQ(picture->width(), 300) << width;
  }
}

}  // namespace
}  // namespace vorlan
