#pragma once

#include <string>

namespace host {
class DeviceFileSystem;
}

namespace vorlan {

// The default device's pictures, drawn by code so that every layout is the same pixel for
// pixel: the 29-point cell icons of the Settings app, its pages' bundles and the installed
// apps (58 × 58 pixels, "...@2x.png"), and SpringBoard's home-screen wallpaper (750 × 1334).
class DeviceArtwork {
 public:
  // Writes every picture onto the device; the folders must exist. False, with the reason in
  // `error`, when a file cannot be written.
  static bool draw(const host::DeviceFileSystem& device, std::string* error);
};

}  // namespace vorlan
