#pragma once

#include <filesystem>
#include <string>

#include "DeviceOptions.h"

namespace vorlan {

// The default device laid out in a missing or empty folder with the product installed, as the
// simulator makes one. Nothing uses the device before it is complete, so its files are written
// without a flush each and the whole device is flushed to disk once at the end; a temporary
// device, removed when the simulator ends, is not flushed at all.
class FreshDevice {
 public:
  enum class Lifetime { Kept, Temporary };

  // False with the reason on failure.
  static bool make(const std::filesystem::path& root, const DeviceOptions& options,
                   Lifetime lifetime, std::string* error);
};

}  // namespace vorlan
