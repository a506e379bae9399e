#pragma once

#include <vector>

#include "DevicePicture.h"

namespace vorlan {

// The drawing of the product's support images (folder icons, the images of the panels, the
// icons and help pictures of the cell action menu), each at its size and scale.
class SupportImageArt {
 public:
  static constexpr const char* kDirectory = "/Library/Application Support/Vorlan3";

  // Every image under kDirectory, drawn now, in the order an install writes them. Cairo's
  // drawing and our PNG encoder store no time or other varying data, so the bytes depend on
  // the drawing alone.
  static std::vector<DevicePicture> pictures();
};

}  // namespace vorlan
