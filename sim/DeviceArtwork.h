#pragma once

#include <string>

namespace host {
class DeviceFileSystem;
}

namespace vorlan {

// The default device's pictures (DeviceIconArt: the cell icons and the wallpaper), drawn when
// the program was built, so every layout is the same pixel for pixel.
class DeviceArtwork {
 public:
  // Writes every picture onto the device; the folders must exist. False, with the reason in
  // `error`, when a file cannot be written.
  static bool draw(const host::DeviceFileSystem& device, std::string* error);
};

}  // namespace vorlan
