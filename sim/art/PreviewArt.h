#pragma once

#include <vector>

#include "SupportImageRecipe.h"

namespace vorlan {

// The pictures in "specifier_settings/preview": small sketches of the screens the help texts of
// the cell action menu talk about (enabled and disabled rows, the keypad, the tag panel, the
// folder strip, a moved row), drawn at double resolution because the help popup scales them to
// its width, and the swipe hint at the top of an empty folder page ("preview.png").
class PreviewArt {
 public:
  static std::vector<SupportImageRecipe> recipes();
};

}  // namespace vorlan
