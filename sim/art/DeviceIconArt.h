#pragma once

#include <vector>

#include "DevicePicture.h"

namespace vorlan {

// The default device's pictures, drawn by code so that every layout is the same pixel for
// pixel: the 29-point cell icons of the Settings app, its pages' bundles and the installed
// apps (58 × 58 pixels, "...@2x.png"), and SpringBoard's home-screen wallpaper (750 × 1334).
class DeviceIconArt {
 public:
  // Every picture, drawn now, in the order a device is given them.
  static std::vector<DevicePicture> pictures();
};

}  // namespace vorlan
