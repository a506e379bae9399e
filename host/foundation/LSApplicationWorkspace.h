#pragma once

#include <set>
#include <string>

namespace host {

class DeviceFileSystem;

// The device's installed apps, as the system's app registry lists them: every directory
// "/Applications/<name>.app" whose Info.plist can be read.
class LSApplicationWorkspace {
 public:
  static constexpr const char* kApplicationsDirectory = "/Applications";

  // The URL schemes the installed apps handle (CFBundleURLTypes → CFBundleURLSchemes),
  // lowercased. Unreadable or wrong-typed entries are skipped.
  static std::set<std::string> installedURLSchemes(const DeviceFileSystem& device);
};

}  // namespace host
