#pragma once

#include <string>

#include "DeviceWrites.h"

namespace vorlan {

// What kind of device a device root simulates, kept in the root (kPath) so that a reused
// device keeps its model. The launching process applies it before the app starts.
struct DeviceOptions {
  static constexpr const char* kPath = "/var/mobile/Library/Simulator/Device.plist";

  std::string model = "iPhone";  // UIDevice's model: "iPhone", "iPad", "iPod touch"
  bool forceTouch = true;        // pressure-sensitive touch available
  bool landscape = false;        // the simulator shows the device turned

  // The options stored on the device; the defaults for anything missing, unreadable or of the
  // wrong type.
  static DeviceOptions load(const host::DeviceFileSystem& device);
  // Stores the options (atomically unless told otherwise), creating the folder.
  bool save(const host::DeviceFileSystem& device, std::string* error,
            DeviceWrites writes = DeviceWrites::Atomic) const;
  // Sets UIDevice's model and the force-touch capability the trait collections report.
  void apply() const;
};

}  // namespace vorlan
