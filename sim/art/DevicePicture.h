#pragma once

#include <string>

namespace vorlan {

// A picture drawn for a device: where it goes (a device path) and its PNG bytes, empty when it
// could not be drawn.
struct DevicePicture {
  std::string path;
  std::string png;
};

}  // namespace vorlan
