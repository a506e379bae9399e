#pragma once

#include <filesystem>
#include <string>

namespace vorlan {

// The main job's tour of the product on a fresh device, as a script: the Settings app as it
// comes, then every feature a user reaches by touch (the cell action menu, the configuration
// page, the passcode, tags and the tag filter, folders, positions, the info page), each shown in
// a screenshot written into `shots` as 0-welcome.png, 1-main-list.png, ...
class Tour {
 public:
  static std::string script(const std::filesystem::path& shots);
  // The screenshots' names, in the order the tour takes them.
  static const char* const kShots[];
  static const std::size_t kShotCount;
};

}  // namespace vorlan
