#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "support/TempDevice.h"
#include "uikit/CGContext.h"
#include "uikit/PngWriter.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

using namespace host;

namespace {

using Pixel = UIImage::Pixel;

// 60 x 40 points at scale 2: a red rounded rectangle (10, 10, 30, 15), radius 5, casting a black
// shadow 6 points down with a blur of 2.
std::shared_ptr<UIImage> drawnBadge() {
  UIGraphicsBeginImageContextWithOptions({60, 40}, false, 2);
  auto context = UIGraphicsGetCurrentContext();
  context->saveGState();
  context->setShadowWithColor({0, 6}, 2, UIColor::colorWithWhite(0, 1));
  context->setFillColor(*UIColor::colorWithRed(1, 0, 0, 1));
  context->addPath(*UIBezierPath::bezierPathWithRoundedRect({{10, 10}, {30, 15}}, 5));
  context->fillPath();
  context->restoreGState();
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

std::string asString(const UIImage::Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A well-formed PNG header (signature and IHDR with its CRC) for an RGBA image of the given size.
UIImage::Bytes pngHeader(std::uint32_t width, std::uint32_t height) {
  UIImage::Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t value : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8)
      png.push_back((value >> shift) & 0xFF);
  }
  png.insert(png.end(), {8, 6, 0, 0, 0});
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 12; i < png.size(); ++i) {
    crc ^= png[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  for (int shift = 24; shift >= 0; shift -= 8)
    png.push_back((crc >> shift) & 0xFF);
  return png;
}

// Every PNG the platform writes (screenshots, image representations, the device's pictures)
// goes through one encoder; what it writes must decode to exactly the pixels drawn.
TEST(PngWriterTest, EncodesTheDrawnPixelsExactly) {
  host::UIGraphicsBeginImageContextWithOptions({3, 2}, false, 1);
  const auto context = host::UIGraphicsGetCurrentContext();
  ASSERT_TRUE(context);
  context->setFillColor(*host::UIColor::colorWithRed(1, 0.5, 0, 1));
  context->fillRect(host::CGRectMake(0, 0, 1, 2));
  context->setFillColor(*host::UIColor::colorWithRed(0, 0, 1, 0.5));
  context->fillRect(host::CGRectMake(1, 1, 1, 1));
  const auto drawn = host::UIGraphicsGetImageFromCurrentImageContext();
  const std::string png = host::PngWriter::encode(context->surface());
  host::UIGraphicsEndImageContext();
  const auto decoded = host::UIImage::imageWithData(host::UIImage::Bytes(png.begin(), png.end()));
  ASSERT_TRUE(decoded && drawn);
  ASSERT_EQ(decoded->pixelWidth(), 3u);
  ASSERT_EQ(decoded->pixelHeight(), 2u);
  for (std::uint32_t y = 0; y < 2; ++y) {
    for (std::uint32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(decoded->pixelAt(x, y), drawn->pixelAt(x, y)) << x << "," << y;
    }
  }
  EXPECT_TRUE(host::PngWriter::encode(nullptr).empty());
}

}  // namespace

TEST(Image, DrawnShapeWithShadowSurvivesAPngRoundTrip) {
  auto drawn = drawnBadge();
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->pixelWidth(), 120u);
  EXPECT_EQ(drawn->width(), 60);
  EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);

  auto decoded = UIImage::imageWithData(drawn->pngData(), 2);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pngData(), drawn->pngData());
  for (std::uint32_t y = 0; y < 80; ++y) {
    for (std::uint32_t x = 0; x < 120; ++x) {
      ASSERT_EQ(decoded->pixelAt(x, y), drawn->pixelAt(x, y)) << x << ", " << y;
    }
  }
  // Pixel coordinates are twice the points.
  EXPECT_EQ(decoded->pixelAt(50, 35), (Pixel{255, 0, 0, 255}));  // inside
  EXPECT_EQ(decoded->pixelAt(110, 10).alpha, 0);                 // outside, far from the shadow
  EXPECT_EQ(decoded->pixelAt(21, 21).red, 0);                    // the rounded corner is not red
  const Pixel shadow = decoded->pixelAt(50, 58);                 // below the shape, 29 points
  EXPECT_EQ(shadow.red, 0);
  EXPECT_GT(shadow.alpha, 200);
  const Pixel blurredEdge = decoded->pixelAt(50, 62);  // the shadow's edge, 31 points
  EXPECT_GT(blurredEdge.alpha, 20);
  EXPECT_LT(blurredEdge.alpha, 235);
  EXPECT_EQ(decoded->pixelAt(50, 70).alpha, 0);  // below the blur
}

TEST(Image, MissingFilesAndGarbageGiveNoImage) {
  TempDevice device;
  const std::string png = asString(drawnBadge()->pngData());
  device.writeRaw("/icons/badge@2x.png", png);
  device.writeRaw("/icons/garbage.png", "not a picture at all");
  device.writeRaw("/icons/truncated.png", png.substr(0, png.size() / 2));

  auto loaded = UIImage::imageWithContentsOfFile("/icons/badge@2x.png");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->scale(), 2);
  EXPECT_EQ(asString(loaded->pngData()), png);  // the file's own bytes
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/icons/missing.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/icons/garbage.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/icons/truncated.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithData({}), nullptr);
  EXPECT_EQ(UIImage::imageWithData(pngHeader(1, 1)), nullptr);  // no pixel data
  // A header announcing 1.6 GB of pixels is refused before anything is allocated.
  EXPECT_EQ(UIImage::imageWithData(pngHeader(20000, 20000)), nullptr);
  EXPECT_EQ(UIImage::imageWithData(loaded->pngData(), 0), nullptr);
  EXPECT_TRUE(UIImagePNGRepresentation(nullptr).empty());
}

TEST(Image, RewrappingAndRenderingModesKeepThePixels) {
  auto image = drawnBadge();
  auto wide = UIImage::imageWithImage(*image, 0.5);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->pixelWidth(), image->pixelWidth());
  EXPECT_EQ(wide->width(), 240);
  EXPECT_EQ(wide->height(), 160);
  EXPECT_EQ(wide->pixelAt(50, 35), image->pixelAt(50, 35));
  EXPECT_EQ(wide->pngData(), image->pngData());
  EXPECT_EQ(UIImage::imageWithImage(*image, -1), nullptr);

  auto mask = image->imageWithRenderingMode(UIImageRenderingMode::AlwaysTemplate);
  EXPECT_EQ(mask->renderingMode(), UIImageRenderingMode::AlwaysTemplate);
  EXPECT_EQ(image->renderingMode(), UIImageRenderingMode::Automatic);
  EXPECT_EQ(UIImage::imageWithImage(*mask, 1)->renderingMode(),
            UIImageRenderingMode::AlwaysTemplate);

  // A template is drawn in the fill colour through its alpha; an original as it is.
  UIGraphicsBeginImageContextWithOptions({60, 40}, false, 1);
  auto context = UIGraphicsGetCurrentContext();
  context->setFillColor(*UIColor::colorWithRed(0, 1, 0, 1));
  context->drawImage({{0, 0}, {60, 40}}, *mask);
  context->drawImage({{30, 0}, {60, 40}}, *image);
  auto tinted = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  EXPECT_EQ(tinted->pixelAt(15, 17), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(tinted->pixelAt(45, 17), (Pixel{255, 0, 0, 255}));
}

TEST(Image, ContextTransformsAndStateAreSavedAsAWhole) {
  UIGraphicsBeginImageContextWithOptions({40, 20}, true, 1);
  auto context = UIGraphicsGetCurrentContext();
  context->setFillColor(*UIColor::whiteColor());
  context->saveGState();
  // Turned half round about the bottom right corner, as the flipped panel balloon is drawn.
  context->translateCTM(40, 20);
  context->rotateCTM(std::numbers::pi);
  context->setFillColor(*UIColor::colorWithRed(0, 0, 1, 1));
  context->fillRect({{0, 0}, {10, 10}});  // lands at (30, 10)-(40, 20)
  context->restoreGState();
  context->restoreGState();  // unbalanced: ignored
  context->fillRect({{0, 0}, {10, 10}});
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  EXPECT_EQ(image->pixelAt(35, 15), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(image->pixelAt(5, 5), (Pixel{255, 255, 255, 255}));
  EXPECT_EQ(image->pixelAt(20, 5), (Pixel{0, 0, 0, 255}));  // opaque context starts black

  // Nothing is pushed for a context without pixels, and ending it leaves others alone.
  UIGraphicsPushContext(std::make_shared<CGContext>(image->cairoSurface(), 1));
  UIGraphicsBeginImageContextWithOptions({0, 10}, false, 1);
  UIGraphicsEndImageContext();
  EXPECT_NE(UIGraphicsGetCurrentContext(), nullptr);
  EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(), nullptr);
  UIGraphicsPopContext();
  EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}
