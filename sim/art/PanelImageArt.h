#pragma once

#include <vector>

#include "SupportImageRecipe.h"

namespace vorlan {

// The images of "main_images": the gear of the navigation bar, the keypad's delete key, the
// close mark of the round tag chips, the folder tile's trash can, the configuration page's entry
// dot and the maker's picture on the info page.
class PanelImageArt {
 public:
  static std::vector<SupportImageRecipe> recipes();
};

}  // namespace vorlan
