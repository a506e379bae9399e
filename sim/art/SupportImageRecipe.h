#pragma once

#include <functional>
#include <string>

namespace vorlan {

class GlyphPen;

// How one support image is made: its path below the support directory, its drawing area in
// points, how many pixels a point gets in the file, and the drawing itself (in points, origin at
// the top left, on a transparent canvas).
struct SupportImageRecipe {
  std::string path;
  double width = 0;
  double height = 0;
  double scale = 1;
  std::function<void(GlyphPen&)> draw;
};

}  // namespace vorlan
