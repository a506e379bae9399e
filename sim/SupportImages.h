#pragma once

#include <string>
#include <vector>

#include "DeviceWrites.h"
#include "SupportImageArt.h"

namespace vorlan {

// The read-only images the package lays into the support directory: folder icons, the images of
// the panels and the icons and help pictures of the cell action menu. They are drawn from code
// (SupportImageArt) once per build into the package's tree (PackageTree), so every install
// writes the same bytes.
class SupportImages {
 public:
  static constexpr const char* kDirectory = SupportImageArt::kDirectory;

  // Writes every image under kDirectory, creating the directories as needed. A file that
  // already holds the right bytes is left alone; other files there (icons a user added) are
  // never touched. False, with a message in `error`, at the first image that cannot be written.
  // Files are written as `writes` says.
  static bool install(host::DeviceFileSystem& device, std::string* error,
                      DeviceWrites writes = DeviceWrites::Atomic);

  // The device path of every image install writes, sorted; empty when the package is missing.
  static std::vector<std::string> paths();
};

}  // namespace vorlan
