#pragma once

#include <vector>

#include "SupportImageRecipe.h"

namespace vorlan {

// The images of "folder_icons": for every icon a large tile picture ("name.png", 100 x 100) and
// a small list icon ("name_icon.png", 29 x 29, also at double resolution). The icons are the six
// default folders', four more to choose from, and the strip's special tiles ("default", "add",
// "reset"), which the icon picker offers too. Large pictures have no double-resolution twin,
// because the picker would then offer each of them twice.
class FolderIconArt {
 public:
  static std::vector<SupportImageRecipe> recipes();
};

}  // namespace vorlan
