#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceWrites.h"

namespace vorlan {

// The phone package's tree as the program carries it (ProgramData's "package" folder): the files a
// package manager lays onto a device, under their device paths, and its control folder DEBIAN,
// which stays with the package manager.
class PackageTree {
 public:
  // The package's tree, or nothing with the reason.
  static std::optional<std::filesystem::path> find(std::string* error);

  // The device paths of the regular files under `devicePath` in the package (all of them for
  // "/"), DEBIAN left out, sorted. Nothing, with the reason, when the package or that folder is
  // missing or cannot be read.
  static std::optional<std::vector<std::string>> files(std::string_view devicePath,
                                                       std::string* error);

  // Copies the package's files under `devicePath` onto `device` at the same paths, making
  // folders as needed. A file that already holds the same bytes is left alone; other files on
  // the device are never touched. New files get the package file's permissions (executable or
  // not). False, with the reason, at the first file that cannot be read or written.
  static bool copy(const host::DeviceFileSystem& device, std::string_view devicePath,
                   DeviceWrites writes, std::string* error);
};

}  // namespace vorlan
