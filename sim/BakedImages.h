#pragma once

#include <span>
#include <string_view>

namespace vorlan {

// A picture drawn when the program was built: its device path and its PNG bytes.
struct BakedImage {
  std::string_view path;
  std::string_view png;
};

// The default device's pictures, drawn once per build by the code in sim/art (the program
// vorlan_bake_images writes this class's source), so laying out a device only writes bytes.
// They are the same bytes that code draws at any time. (The support images are drawn into the
// package's tree instead, as files: see ProgramData.)
class BakedImages {
 public:
  // DeviceIconArt's pictures.
  static std::span<const BakedImage> deviceArtwork();
};

}  // namespace vorlan
