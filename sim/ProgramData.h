#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vorlan {

// Where the program's data is: the folder "share/vorlan" beside the folder that holds the running
// program (`<program's folder>/../share/vorlan`), found from the program's own file, so that an
// installed copy runs from wherever it is moved and a build runs from its build tree, where the
// build lays out the same folder. It holds:
//   device/    the default device's content, a tree of device paths (see DefaultDevice)
//   package/   the phone package's tree, what the simulator installs on a device (see Installer)
class ProgramData {
 public:
  static constexpr const char* kDevice = "device";
  static constexpr const char* kPackage = "package";

  // The folder `name` of the program's data. Nothing, with a reason that names the folder looked
  // for, when the running program cannot be found or the folder is missing.
  static std::optional<std::filesystem::path> folder(const char* name, std::string* error);
};

}  // namespace vorlan
