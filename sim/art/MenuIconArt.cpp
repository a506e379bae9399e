#include "MenuIconArt.h"

#include "GlyphPen.h"
#include "GlyphSymbols.h"

namespace vorlan {

namespace {

using Symbol = void (*)(GlyphPen&);

SupportImageRecipe menuIcon(const char* file, Symbol symbol) {
  return {std::string("specifier_settings/") + file, 26, 26, 1, [symbol](GlyphPen& pen) {
            pen.color(255, 255, 255);
            pen.inBox(1, 1, 24, [&] { symbol(pen); });
          }};
}

}  // namespace

std::vector<SupportImageRecipe> MenuIconArt::recipes() {
  return {
      menuIcon("enable_icon.png", GlyphSymbols::checkRing),
      menuIcon("disable_icon.png", GlyphSymbols::slashedRing),
      menuIcon("passcode_locked_icon.png", [](GlyphPen& pen) { GlyphSymbols::lock(pen, false); }),
      menuIcon("passcode_unlocked_icon.png", [](GlyphPen& pen) { GlyphSymbols::lock(pen, true); }),
      menuIcon("tag_icon.png", GlyphSymbols::tag),
      menuIcon("folder_icon.png", GlyphSymbols::folder),
      menuIcon("visibility_icon.png", GlyphSymbols::eye),
      menuIcon("remove_icon.png", GlyphSymbols::minusRing),
      menuIcon("position_icon.png", GlyphSymbols::upDownArrows),
  };
}

}  // namespace vorlan
