#include "SupportImages.h"

#include "BakedImages.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

bool SupportImages::install(host::DeviceFileSystem& device, std::string* error,
                            DeviceWrites writes) {
  std::string_view madeDirectory;
  for (const auto& image : BakedImages::supportImages()) {
    const std::string_view directory = image.path.substr(0, image.path.rfind('/'));
    if (directory != madeDirectory) {
      if (!device.createDirectory(directory, true, error)) return false;
      madeDirectory = directory;
    }
    // Reinstalling over an identical file would only cost a flush to disk.
    const auto existing = device.readFile(image.path, image.png.size());
    if (existing && *existing == image.png) continue;
    if (!writeDeviceFile(device, writes, image.path, image.png, error, 0644)) return false;
  }
  return true;
}

std::vector<std::string> SupportImages::paths() {
  std::vector<std::string> paths;
  for (const auto& image : BakedImages::supportImages())
    paths.emplace_back(image.path);
  return paths;
}

}  // namespace vorlan
