#pragma once

#include <string>
#include <vector>

namespace host {

// The code-injection framework's loader, run once at process start before the app uses any of
// its own classes.
//
// Every "<name>.plist" in kDirectory (by name, bytewise) is a filter: a dictionary whose
// "Filter" → "Bundles" array of strings names the apps the library "<name>.dylib" beside it is
// loaded into. When it names the main bundle's identifier (compared ignoring ASCII case), the
// library is opened with dlopen on its path on this machine, which runs its load-time
// constructor. A filter or library that cannot be read or opened is logged with the reason and
// skipped. Opened libraries stay open for the life of the process.
class SubstrateLoader {
 public:
  static constexpr const char* kDirectory = "/Library/MobileSubstrate/DynamicLibraries";

  // Loads the matching libraries of the current device; answers the device paths opened.
  static std::vector<std::string> loadExtensions();
};

}  // namespace host
