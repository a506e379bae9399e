#include <cmath>

#include "RenderSupport.h"
#include "uikit/CGContext.h"
#include "uikit/NSAttributedString.h"
#include "uikit/TextLayout.h"
#include "uikit/UIFont.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITextField.h"

namespace host {
namespace {

std::shared_ptr<UIImage> filledImage(CGSize size, const UIColor& color) {
  UIGraphicsBeginImageContextWithOptions(size, false, 1);
  UIGraphicsGetCurrentContext()->setFillColor(color);
  UIGraphicsGetCurrentContext()->fillRect({{0, 0}, size});
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

// The box around the pixels with any ink.
CGRect inkBox(const UIImage& image) {
  CGRect box = CGRectNull;
  for (std::uint32_t y = 0; y < image.pixelHeight(); ++y) {
    for (std::uint32_t x = 0; x < image.pixelWidth(); ++x) {
      if (image.pixelAt(x, y).alpha > 0) box = box.unionWith({{double(x), double(y)}, {1, 1}});
    }
  }
  return box;
}

const std::string kLong = "The quick brown fox jumps over the lazy dog again and again";

TEST(LabelSize, FitsTheTextWithinTheLineLimitOnThePixelGrid) {
  auto label = std::make_shared<UILabel>();
  label->setText(kLong);
  const CGSize one = label->sizeThatFits({150, 0});
  EXPECT_LE(one.width, 150);
  EXPECT_EQ(std::fmod(one.width * 2, 1.0), 0);  // scale 2: half points
  label->setNumberOfLines(2);
  const CGSize two = label->sizeThatFits({150, 0});
  EXPECT_NEAR(two.height, 2 * one.height, 1);
  label->setNumberOfLines(0);
  EXPECT_GT(label->sizeThatFits({150, 0}).height, two.height);
  label->setFrame({5, 5, 1, 1});
  label->sizeToFit();
  EXPECT_EQ(label->frame().origin, CGPointMake(5, 5));

  // An attributed text takes the label's font where it has none, and sets the text.
  auto attributed = NSAttributedString::withString("Hello");
  label->setAttributedText(attributed);
  EXPECT_EQ(label->text(), "Hello");
  EXPECT_EQ(label->sizeThatFits({0, 0}),
            TextLayout::ceilToPixels(TextLayout("Hello", *label->font()).size(), 2));
  label->setText("Bye");
  EXPECT_EQ(label->attributedText()->string(), "Bye");
  label->setText("");
  EXPECT_EQ(label->attributedText(), nullptr);
  EXPECT_EQ(label->sizeThatFits({100, 100}), CGSizeZero);
}

TEST(LabelSize, AdjustingTheFontShrinksItToTheWidthButNotBelowTheMinimum) {
  auto label = std::make_shared<UILabel>();
  label->setText("Settings");
  label->setAdjustsFontSizeToFitWidth(true);
  label->setMinimumScaleFactor(0.5);
  const double natural = TextLayout("Settings", *label->font()).size().width;
  EXPECT_EQ(label->fontForWidth(natural + 1)->pointSize(), 17);
  const auto shrunk = label->fontForWidth(natural * 0.7);
  EXPECT_LT(shrunk->pointSize(), 17);
  EXPECT_GT(shrunk->pointSize(), 8.5);
  EXPECT_LE(TextLayout("Settings", *shrunk).size().width, natural * 0.7);
  EXPECT_EQ(label->fontForWidth(natural * 0.2)->pointSize(), 8.5);
  label->setNumberOfLines(2);  // only one-line labels shrink
  EXPECT_EQ(label->fontForWidth(natural * 0.2)->pointSize(), 17);
  label->setMinimumScaleFactor(7);
  EXPECT_EQ(label->minimumScaleFactor(), 1);
}

TEST_F(RenderTest, LabelTextIsDrawnCentredWithinItsMeasuredSize) {
  auto label = add<UILabel>({10, 10, 80, 60}, nullptr);
  label->setText("Hi there");
  label->setTextColor(red());
  const CGSize size = label->textRectForBounds(label->bounds(), 1).size;
  const double top = 10 + (60 - size.height) / 2;
  const CGRect ink = inkBox(*ViewRenderer(1).renderToImage(root));
  EXPECT_GE(ink.minX(), 10);
  EXPECT_LE(ink.maxX(), 10 + size.width + 1);
  EXPECT_GE(ink.minY(), std::floor(top));
  EXPECT_LE(ink.maxY(), std::ceil(top + size.height));
  EXPECT_GT(ink.height(), size.height / 3);

  label->setTextAlignment(NSTextAlignment::Right);
  label->setHighlightedTextColor(blue());
  label->setHighlighted(true);
  const auto right = ViewRenderer(1).renderToImage(root);
  const CGRect moved = inkBox(*right);
  EXPECT_NEAR(moved.maxX(), 90, 2);
  int blueInk = 0;
  for (int x = 10; x < 90; ++x)
    blueInk += right->pixelAt(std::uint32_t(x), 40).blue > 128;
  EXPECT_GT(blueInk, 0);

  // Lines that do not fit the height are left out.
  label->setText(kLong + " " + kLong);
  label->setNumberOfLines(0);
  label->setFrame({10, 10, 80, 45});
  EXPECT_GT(label->sizeThatFits({80, 0}).height, 90);
  const CGRect cut = inkBox(*ViewRenderer(1).renderToImage(root));
  EXPECT_GE(cut.minY(), 10);
  EXPECT_LE(cut.maxY(), 55);
  EXPECT_GT(cut.height(), 25);  // two lines shown, not one
}

TEST(ImageViewPlacement, ContentModesPlaceTheImage) {
  const CGRect bounds{{0, 0}, {60, 40}};
  const CGSize size{20, 10};
  EXPECT_EQ(UIImageView::placeImage(size, bounds, UIViewContentModeScaleToFill), bounds);
  EXPECT_EQ(UIImageView::placeImage(size, bounds, UIViewContentModeScaleAspectFit),
            CGRectMake(0, 5, 60, 30));
  EXPECT_EQ(UIImageView::placeImage(size, bounds, UIViewContentModeScaleAspectFill),
            CGRectMake(-10, 0, 80, 40));
  EXPECT_EQ(UIImageView::placeImage(size, bounds, UIViewContentModeCenter),
            CGRectMake(20, 15, 20, 10));
  EXPECT_EQ(UIImageView::placeImage(size, bounds, UIViewContentModeBottomRight),
            CGRectMake(40, 30, 20, 10));
  EXPECT_EQ(UIImageView::placeImage(size, bounds, UIViewContentModeLeft),
            CGRectMake(0, 15, 20, 10));
  EXPECT_EQ(UIImageView::placeImage({0, 0}, bounds, UIViewContentModeScaleAspectFit).size,
            CGSizeZero);
}

TEST_F(RenderTest, ImageViewsDrawTheShownImageAspectFitAndTinted) {
  auto view = add<UIImageView>({0, 0, 60, 60}, nullptr);
  view->setImage(filledImage({20, 10}, *red()));
  view->setContentMode(UIViewContentModeScaleAspectFit);
  EXPECT_PIXEL(at(30, 17), 255, 0, 0);
  EXPECT_PIXEL(at(30, 13), 0, 0, 0, 0);
  EXPECT_PIXEL(at(30, 47), 0, 0, 0, 0);

  view->setHighlightedImage(
      filledImage({10, 10}, *red())->imageWithRenderingMode(UIImageRenderingMode::AlwaysTemplate));
  view->setHighlighted(true);
  view->setTintColor(green());
  redraw();
  EXPECT_PIXEL(at(30, 5), 0, 255, 0);  // square now, in the tint colour
  EXPECT_EQ(view->sizeThatFits({}), CGSizeMake(20, 10));
}

TEST_F(RenderTest, CellAccessoriesDrawTheirGlyphsAtTheRightEdge) {
  auto cell = std::make_shared<UITableViewCell>();
  cell->setFrame({0, 0, 100, 44});
  root->addSubview(cell);
  const auto greyAt = [&](int x0, int x1) {
    for (int y = 10; y < 34; ++y)
      for (int x = x0; x < x1; ++x)
        if (at(x, y).alpha > 100 && at(x, y).red < 230) return true;
    return false;
  };
  EXPECT_FALSE(greyAt(70, 100));

  cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
  redraw();
  EXPECT_TRUE(greyAt(70, 100));  // the chevron
  EXPECT_FALSE(greyAt(0, 60));

  cell->setAccessoryType(UITableViewCellAccessoryNone);
  redraw();
  EXPECT_FALSE(greyAt(70, 100));
}

TEST_F(RenderTest, TextFieldsDrawTheirTextOrAPalePlaceholder) {
  root->setBackgroundColor(UIColor::whiteColor());
  auto field = add<UITextField>({0, 30, 100, 40}, nullptr);
  const auto darkest = [&] {
    int least = 255;
    for (int y = 30; y < 70; ++y)
      for (int x = 0; x < 100; ++x)
        least = std::min(least, int(at(x, y).red));
    return least;
  };
  EXPECT_EQ(darkest(), 255);  // nothing to show
  field->setPlaceholder("Name");
  redraw();
  EXPECT_GT(darkest(), 150);  // pale
  EXPECT_LT(darkest(), 255);
  field->setText("Name");
  redraw();
  EXPECT_LT(darkest(), 80);                 // black text
  EXPECT_PIXEL(at(50, 10), 255, 255, 255);  // nothing outside the field
}

}  // namespace
}  // namespace host
