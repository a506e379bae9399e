#pragma once

#include <vector>

#include "SupportImageRecipe.h"

namespace vorlan {

// The icons of the cell action menu's buttons in "specifier_settings" (26 x 26, white on
// transparent). The menu shows them as template images in its own tint.
class MenuIconArt {
 public:
  static std::vector<SupportImageRecipe> recipes();
};

}  // namespace vorlan
