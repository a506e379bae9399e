#include "FreshDevice.h"

#include "DefaultDevice.h"
#include "DeviceWrites.h"
#include "Installer.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

bool FreshDevice::make(const std::filesystem::path& root, const DeviceOptions& options,
                       Lifetime lifetime, std::string* error) {
  constexpr auto writes = DeviceWrites::FlushedAtEnd;
  host::DeviceFileSystem device(root);
  if (!DefaultDevice::layOut(root, options, error, writes) ||
      !Installer::install(device, error, writes)) {
    return false;
  }
  return lifetime == Lifetime::Temporary || device.syncAll(error);
}

}  // namespace vorlan
