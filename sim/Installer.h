#pragma once

#include <string>

#include "DeviceWrites.h"

namespace vorlan {

// Lays down what the product's package installs on a device, by copying the package's tree
// that the program carries (PackageTree), the same bytes a package ships: the extension library
// (kLibraryPath), its loader filter (kFilterPath: the Settings app and SpringBoard), and the
// read-only images of the support directory. Installing again replaces them; other files there
// (icons a user added to the support directory) are never touched.
class Installer {
 public:
  static constexpr const char* kLibraryPath =
      "/Library/MobileSubstrate/DynamicLibraries/Vorlan3.dylib";
  static constexpr const char* kFilterPath =
      "/Library/MobileSubstrate/DynamicLibraries/Vorlan3.plist";

  // False, with the reason in `error`, when a part cannot be installed (the package or its
  // library is missing, a file cannot be read or written). Files are written as `writes` says.
  static bool install(host::DeviceFileSystem& device, std::string* error,
                      DeviceWrites writes = DeviceWrites::Atomic);
};

}  // namespace vorlan
