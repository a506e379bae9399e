#include "uikit/UIImage.h"

#include <algorithm>
#include <array>
#include <string>

#include "foundation/DeviceFileSystem.h"
#include "runtime/Runtime.h"

namespace host {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t readBigEndian32(const UIImage::Bytes& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

}  // namespace

Class* UIImage::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("UIImage", Object::objcClass(), factoryFor<UIImage>());
  return cls;
}

UIImage::UIImage(Class* cls) : Object(cls) {}

std::shared_ptr<UIImage> UIImage::imageWithData(Bytes png, double scale) {
  // Signature, then the IHDR chunk: length 13, type, width, height.
  if (png.size() < 33 || !std::equal(kPngSignature.begin(), kPngSignature.end(), png.begin()) ||
      std::string(png.begin() + 12, png.begin() + 16) != "IHDR") {
    return nullptr;
  }
  const std::uint32_t width = readBigEndian32(png, 16);
  const std::uint32_t height = readBigEndian32(png, 20);
  if (width == 0 || height == 0 || !(scale > 0)) return nullptr;
  auto image = std::make_shared<UIImage>();
  image->png_ = std::move(png);
  image->pixelWidth_ = width;
  image->pixelHeight_ = height;
  image->scale_ = scale;
  return image;
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

UIImage::Bytes UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image) {
  return image ? image->pngData() : UIImage::Bytes{};
}

}  // namespace host
