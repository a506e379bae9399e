#include "DeviceArtwork.h"

#include <fstream>
#include <string>

#include "BakedImages.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

namespace {

bool write(const host::DeviceFileSystem& device, const std::string& path, std::string_view png,
           std::string* error) {
  // A fresh device: plain writes, without the flushes of an atomic replace, keep laying out fast.
  const auto slash = path.rfind('/');
  const auto hostPath = device.hostPath(path);
  if (!hostPath || !device.createDirectory(path.substr(0, slash), true, error)) {
    if (error && error->empty()) *error = "cannot write " + path;
    return false;
  }
  std::ofstream out(*hostPath, std::ios::binary | std::ios::trunc);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  if (!out.flush()) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace

bool DeviceArtwork::draw(const host::DeviceFileSystem& device, std::string* error) {
  for (const auto& picture : BakedImages::deviceArtwork()) {
    if (!write(device, std::string(picture.path), picture.png, error)) return false;
  }
  return true;
}

}  // namespace vorlan
