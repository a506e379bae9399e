#pragma once

namespace vorlan {

class GlyphPen;

// The package's symbols, each drawn in the current colour inside the 100 x 100 design square
// (use GlyphPen::inBox to place one). Holes are knocked out to transparent, so a symbol reads the
// same as a plain image and as a template image tinted by its view.
class GlyphSymbols {
 public:
  static void gear(GlyphPen& pen);
  static void lock(GlyphPen& pen, bool open);
  static void tag(GlyphPen& pen);
  static void folder(GlyphPen& pen);
  static void eye(GlyphPen& pen);
  static void checkRing(GlyphPen& pen);
  static void slashedRing(GlyphPen& pen);
  static void minusRing(GlyphPen& pen);
  static void upDownArrows(GlyphPen& pen);
  static void appGrid(GlyphPen& pen);
  static void waves(GlyphPen& pen);
  static void person(GlyphPen& pen);
  static void package(GlyphPen& pen);
  static void star(GlyphPen& pen);
  static void heart(GlyphPen& pen);
  static void bookmark(GlyphPen& pen);
  static void cloud(GlyphPen& pen);
  static void plus(GlyphPen& pen);
  static void resetArrow(GlyphPen& pen);
  static void crossDisc(GlyphPen& pen);
  static void trash(GlyphPen& pen);
  static void backspace(GlyphPen& pen);
};

}  // namespace vorlan
