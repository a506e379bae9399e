#include "Installer.h"

#include <algorithm>

#include "PackageTree.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

bool Installer::install(host::DeviceFileSystem& device, std::string* error, DeviceWrites writes) {
  // A package without its library would install a product that never loads.
  const auto library = PackageTree::files("/Library/MobileSubstrate/DynamicLibraries", error);
  if (!library) return false;
  for (const char* part : {kLibraryPath, kFilterPath}) {
    if (std::find(library->begin(), library->end(), part) == library->end()) {
      if (error) *error = std::string("the package has no ") + part;
      return false;
    }
  }
  return PackageTree::copy(device, "/", writes, error);
}

}  // namespace vorlan
