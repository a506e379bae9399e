#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/Object.h"

namespace host {

class Class;

// A bitmap image. It keeps the PNG it was made from; its size in points is the pixel size
// divided by its scale (2 for a file named "...@2x.png").
class UIImage : public Object {
 public:
  using Bytes = std::vector<std::uint8_t>;

  static Class* objcClass();
  explicit UIImage(Class* cls = objcClass());

  // Nothing when the bytes are not a PNG image.
  static std::shared_ptr<UIImage> imageWithData(Bytes png, double scale = 1.0);
  // Loads a PNG from a device path; nothing when the file is missing or not a PNG.
  static std::shared_ptr<UIImage> imageWithContentsOfFile(std::string_view devicePath);

  std::uint32_t pixelWidth() const { return pixelWidth_; }
  std::uint32_t pixelHeight() const { return pixelHeight_; }
  double scale() const { return scale_; }
  double width() const { return pixelWidth_ / scale_; }
  double height() const { return pixelHeight_ / scale_; }
  const Bytes& pngData() const { return png_; }

 private:
  Bytes png_;
  std::uint32_t pixelWidth_ = 0;
  std::uint32_t pixelHeight_ = 0;
  double scale_ = 1.0;
};

// The PNG encoding of an image; empty for nil.
UIImage::Bytes UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image);

}  // namespace host
