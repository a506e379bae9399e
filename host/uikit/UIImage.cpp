#include "uikit/UIImage.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "foundation/DeviceFileSystem.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/PngWriter.h"

namespace host {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Larger images are refused before decoding: Cairo's largest side, and a pixel budget (128 MB of
// pixels) far above any screen-sized picture, so a damaged or hostile header cannot make the
// decoder claim gigabytes.
constexpr std::uint32_t kMaxSide = 32767;
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 25;

std::uint32_t readBigEndian32(const UIImage::Bytes& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

// A PNG signature followed by an IHDR chunk whose size the decoder may be trusted with.
bool plausiblePng(const UIImage::Bytes& png) {
  if (png.size() < 33 || !std::equal(kPngSignature.begin(), kPngSignature.end(), png.begin()) ||
      !std::equal(png.begin() + 12, png.begin() + 16, "IHDR")) {
    return false;
  }
  const std::uint32_t width = readBigEndian32(png, 16);
  const std::uint32_t height = readBigEndian32(png, 20);
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         std::uint64_t{width} * height <= kMaxPixels;
}

std::shared_ptr<cairo_surface_t> own(cairo_surface_t* surface) {
  return {surface, cairo_surface_destroy};
}

// A new ARGB32 surface with the pixels of `source`, or nullptr if it cannot be made.
std::shared_ptr<cairo_surface_t> copyPixels(cairo_surface_t* source) {
  const int width = cairo_image_surface_get_width(source);
  const int height = cairo_image_surface_get_height(source);
  auto copy = own(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(copy.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_t* cr = cairo_create(copy.get());
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(copy.get());
  return copy;
}

bool usableImageSurface(cairo_surface_t* surface) {
  return surface != nullptr && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
         cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE &&
         cairo_image_surface_get_width(surface) > 0 && cairo_image_surface_get_height(surface) > 0;
}

struct ReadCursor {
  const UIImage::Bytes* bytes;
  std::size_t offset;
};

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
  auto* cursor = static_cast<ReadCursor*>(closure);
  if (cursor->bytes->size() - cursor->offset < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, cursor->bytes->data() + cursor->offset, length);
  cursor->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

HOST_CLASS(UIImage, Object)

UIImage::UIImage(Class* cls) : Object(cls) {}

std::shared_ptr<UIImage> UIImage::make(Surface surface, std::shared_ptr<const Bytes> png,
                                       double scale, UIImageRenderingMode mode) {
  if (!surface || !(scale > 0) || !std::isfinite(scale)) return nullptr;
  auto image = std::make_shared<UIImage>();
  image->pixelWidth_ = static_cast<std::uint32_t>(cairo_image_surface_get_width(surface.get()));
  image->pixelHeight_ = static_cast<std::uint32_t>(cairo_image_surface_get_height(surface.get()));
  image->surface_ = std::move(surface);
  image->png_ = std::move(png);
  image->scale_ = scale;
  image->renderingMode_ = mode;
  return image;
}

std::shared_ptr<UIImage> UIImage::imageWithData(Bytes png, double scale) {
  if (!plausiblePng(png) || !(scale > 0)) return nullptr;
  ReadCursor cursor{&png, 0};
  auto decoded = own(cairo_image_surface_create_from_png_stream(readPng, &cursor));
  if (!usableImageSurface(decoded.get())) return nullptr;
  // Opaque and grey PNGs decode into other formats; the pixels are always kept as ARGB32.
  if (cairo_image_surface_get_format(decoded.get()) != CAIRO_FORMAT_ARGB32) {
    decoded = copyPixels(decoded.get());
  }
  return make(std::move(decoded), std::make_shared<const Bytes>(std::move(png)), scale,
              UIImageRenderingMode::Automatic);
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(std::string_view devicePath) {
  auto device = DeviceFileSystem::current();
  if (!device) return nullptr;
  auto contents = device->readFile(devicePath);
  if (!contents) return nullptr;
  double scale = 1.0;
  if (devicePath.find("@3x.") != std::string_view::npos) {
    scale = 3.0;
  } else if (devicePath.find("@2x.") != std::string_view::npos) {
    scale = 2.0;
  }
  return imageWithData(Bytes(contents->begin(), contents->end()), scale);
}

std::shared_ptr<UIImage> UIImage::imageWithImage(const UIImage& image, double scale) {
  return make(image.surface_, image.png_, scale, image.renderingMode_);
}

std::shared_ptr<UIImage> UIImage::imageWithCairoSurface(cairo_surface_t* surface, double scale) {
  if (!usableImageSurface(surface)) return nullptr;
  cairo_surface_flush(surface);
  return make(copyPixels(surface), nullptr, scale, UIImageRenderingMode::Automatic);
}

std::shared_ptr<UIImage> UIImage::imageWithRenderingMode(UIImageRenderingMode mode) const {
  if (!surface_) {
    auto empty = std::make_shared<UIImage>();
    empty->renderingMode_ = mode;
    return empty;
  }
  return make(surface_, png_, scale_, mode);
}

const UIImage::Bytes& UIImage::pngData() const {
  if (!png_) {
    const std::string encoded = PngWriter::encode(surface_.get());
    png_ = std::make_shared<Bytes>(encoded.begin(), encoded.end());
  }
  return *png_;
}

UIImage::Pixel UIImage::pixelAt(std::uint32_t x, std::uint32_t y) const {
  if (!surface_ || x >= pixelWidth_ || y >= pixelHeight_) return {};
  const unsigned char* row =
      cairo_image_surface_get_data(surface_.get()) +
      static_cast<std::size_t>(y) *
          static_cast<std::size_t>(cairo_image_surface_get_stride(surface_.get()));
  std::uint32_t argb;
  std::memcpy(&argb, row + std::size_t{x} * 4, sizeof argb);
  const std::uint32_t alpha = argb >> 24;
  auto channel = [&](int shift) {
    const std::uint32_t premultiplied = (argb >> shift) & 0xFF;
    if (alpha == 0) return std::uint8_t{0};
    return static_cast<std::uint8_t>(
        std::min<std::uint32_t>(255, (premultiplied * 255 + alpha / 2) / alpha));
  };
  return {channel(16), channel(8), channel(0), static_cast<std::uint8_t>(alpha)};
}

UIImage::Bytes UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image) {
  return image ? image->pngData() : UIImage::Bytes{};
}

}  // namespace host
