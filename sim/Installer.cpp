#include "Installer.h"

#include <fstream>
#include <sstream>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

#if __has_include("SupportImages.h")
#include "SupportImages.h"
#define VORLAN_HAS_SUPPORT_IMAGES 1
#endif

namespace vorlan {

namespace {

constexpr const char* kDirectory = "/Library/MobileSubstrate/DynamicLibraries";

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

bool installLibrary(const host::DeviceFileSystem& device, DeviceWrites writes, std::string* error) {
#ifdef VORLAN_MODULE_PATH
  std::ifstream in(VORLAN_MODULE_PATH, std::ios::binary);
  if (!in)
    return fail(error, std::string("the extension library is missing: ") + VORLAN_MODULE_PATH);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) return fail(error, std::string("cannot read ") + VORLAN_MODULE_PATH);
  return writeDeviceFile(device, writes, Installer::kLibraryPath, bytes.str(), error, 0755);
#else
  (void)device;
  (void)writes;
  return fail(error, "this build has no extension library to install (target Vorlan3 missing)");
#endif
}

bool installFilter(const host::DeviceFileSystem& device, DeviceWrites writes, std::string* error) {
  const host::Plist filter = host::Plist::dictionary(
      {{"Filter",
        host::Plist::dictionary(
            {{"Bundles", host::Plist::array({host::Plist::string("com.apple.preferences"),
                                             host::Plist::string("com.apple.springboard")})}})}});
  const auto xml = host::PropertyListSerialization::writeXml(filter, error);
  return xml && writeDeviceFile(device, writes, Installer::kFilterPath, *xml, error);
}

}  // namespace

bool Installer::install(host::DeviceFileSystem& device, std::string* error, DeviceWrites writes) {
  if (!device.createDirectory(kDirectory, true, error)) return false;
  if (!installLibrary(device, writes, error) || !installFilter(device, writes, error)) return false;
#ifdef VORLAN_HAS_SUPPORT_IMAGES
  return SupportImages::install(device, error, writes);
#else
  // LEAD: the support images are installed once sim/SupportImages.h exists (picked up above).
  return true;
#endif
}

}  // namespace vorlan
