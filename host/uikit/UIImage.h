#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/Object.h"

typedef struct _cairo_surface cairo_surface_t;

namespace host {

class Class;

// How an image is drawn: as its own colours, or (template) as a mask in the tint colour.
enum class UIImageRenderingMode { Automatic = 0, AlwaysOriginal = 1, AlwaysTemplate = 2 };

// A bitmap image: pixels (kept as a Cairo ARGB32 surface, never changed once made) shown at a
// scale, so its size in points is the pixel size divided by the scale (2 for a file named
// "...@2x.png"). An image decoded from a PNG keeps those bytes as its PNG encoding; an image made
// from pixels is encoded on first request. Images derived from one another share the pixels.
class UIImage : public Object {
 public:
  using Bytes = std::vector<std::uint8_t>;
  // One pixel, not premultiplied.
  struct Pixel {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const Pixel&) const = default;
  };

  static Class* objcClass();
  // An empty image (0 x 0 pixels), as an object made by name starts out.
  explicit UIImage(Class* cls = objcClass());

  // Nothing when the bytes are not a PNG image that decodes, or the scale is not positive.
  static std::shared_ptr<UIImage> imageWithData(Bytes png, double scale = 1.0);
  // Loads a PNG from a device path; nothing when the file is missing or not a PNG.
  static std::shared_ptr<UIImage> imageWithContentsOfFile(std::string_view devicePath);
  // The same pixels shown at another scale (imageWithCGImage:scale:orientation: with the upright
  // orientation). Nothing when the scale is not positive.
  static std::shared_ptr<UIImage> imageWithImage(const UIImage& image, double scale);
  // A copy of the pixels of an image surface (any format Cairo draws into); nothing when the
  // surface is not a usable image surface or the scale is not positive.
  static std::shared_ptr<UIImage> imageWithCairoSurface(cairo_surface_t* surface, double scale);

  // The same image drawn in another mode.
  std::shared_ptr<UIImage> imageWithRenderingMode(UIImageRenderingMode mode) const;
  UIImageRenderingMode renderingMode() const { return renderingMode_; }

  std::uint32_t pixelWidth() const { return pixelWidth_; }
  std::uint32_t pixelHeight() const { return pixelHeight_; }
  double scale() const { return scale_; }
  double width() const { return pixelWidth_ / scale_; }
  double height() const { return pixelHeight_ / scale_; }

  // The PNG encoding: the bytes the image was decoded from, or an encoding of its pixels.
  const Bytes& pngData() const;
  // The pixel at (x, y) counted from the top left; transparent outside the image.
  Pixel pixelAt(std::uint32_t x, std::uint32_t y) const;
  // The pixels, for drawing (ARGB32, premultiplied; nullptr for an empty image). Read only.
  cairo_surface_t* cairoSurface() const { return surface_.get(); }

 private:
  using Surface = std::shared_ptr<cairo_surface_t>;
  static std::shared_ptr<UIImage> make(Surface surface, std::shared_ptr<const Bytes> png,
                                       double scale, UIImageRenderingMode mode);

  Surface surface_;
  // Shared between images with the same pixels; filled on first request when absent.
  mutable std::shared_ptr<const Bytes> png_;
  std::uint32_t pixelWidth_ = 0;
  std::uint32_t pixelHeight_ = 0;
  double scale_ = 1.0;
  UIImageRenderingMode renderingMode_ = UIImageRenderingMode::Automatic;
};

// The PNG encoding of an image; empty for nil.
UIImage::Bytes UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image);

}  // namespace host
