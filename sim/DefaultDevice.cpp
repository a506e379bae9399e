#include "DefaultDevice.h"

#include <system_error>

#include "DeviceArtwork.h"
#include "ProgramData.h"
#include "foundation/DeviceFileSystem.h"

namespace vorlan {

namespace {

constexpr const char* kSettingsApp = "/Applications/Preferences.app";
constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences";

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

bool DefaultDevice::isEmpty(const std::filesystem::path& root) {
  std::error_code ec;
  if (!std::filesystem::exists(root, ec)) return !ec;
  return std::filesystem::is_directory(root, ec) && std::filesystem::is_empty(root, ec) && !ec;
}

std::optional<std::string> DefaultDevice::whyNotADevice(const std::filesystem::path& root) {
  std::error_code ec;
  if (!std::filesystem::is_directory(root, ec)) return root.string() + " is not a folder";
  for (const char* folder : {kSettingsApp, kPreferencesFolder}) {
    const auto path = host::DeviceFileSystem(root).hostPath(folder);
    if (!path || !std::filesystem::is_directory(*path, ec)) {
      return root.string() + " holds no device (it has no " + folder + " folder)";
    }
  }
  return std::nullopt;
}

bool DefaultDevice::layOut(const std::filesystem::path& root, const DeviceOptions& options,
                           std::string* error, DeviceWrites writes) {
  namespace fs = std::filesystem;
  // Nothing is made when there is nothing to lay out.
  const auto source = ProgramData::folder(ProgramData::kDevice, error);
  if (!source) return false;
  std::error_code ec;
  fs::create_directories(root, ec);
  if (ec || !fs::is_directory(root)) {
    return fail(error, "cannot create the device folder " + root.string() + ": " + ec.message());
  }
  fs::copy(*source, root, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
  if (ec) return fail(error, "cannot copy the default device's content: " + ec.message());
  const host::DeviceFileSystem device(root);
  // The folders every device has, empty ones included: apps store their values in the
  // preferences folder and expect it to be there.
  for (const char* folder : {kPreferencesFolder, "/var/mobile/Documents"}) {
    std::string why;
    if (!device.createDirectory(folder, true, &why)) {
      return fail(error, std::string("cannot create ") + folder + ": " + why);
    }
  }
  return options.save(device, error, writes) && DeviceArtwork::draw(device, error);
}

}  // namespace vorlan
