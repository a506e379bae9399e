#include "SupportImages.h"

#include "PackageTree.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

bool SupportImages::install(host::DeviceFileSystem& device, std::string* error,
                            DeviceWrites writes) {
  return PackageTree::copy(device, kDirectory, writes, error);
}

std::vector<std::string> SupportImages::paths() {
  return PackageTree::files(kDirectory, nullptr).value_or(std::vector<std::string>{});
}

}  // namespace vorlan
