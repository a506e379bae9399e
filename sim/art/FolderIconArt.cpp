#include "FolderIconArt.h"

#include <string>

#include "GlyphPen.h"
#include "GlyphSymbols.h"

namespace vorlan {

namespace {

using Symbol = void (*)(GlyphPen&);

struct Icon {
  const char* name;
  int color[3];
  Symbol symbol;
};

// The six default folders first, then the extra icons offered when personalizing a folder.
const Icon kIcons[] = {
    {"settings", {142, 142, 147}, GlyphSymbols::gear},
    {"cydia", {176, 112, 58}, GlyphSymbols::package},
    {"apps", {0, 122, 255}, GlyphSymbols::appGrid},
    {"connectivity", {52, 199, 89}, GlyphSymbols::waves},
    {"accessibility", {10, 132, 220}, GlyphSymbols::person},
    {"protected", {255, 59, 48}, [](GlyphPen& pen) { GlyphSymbols::lock(pen, false); }},
    {"star", {255, 184, 0}, GlyphSymbols::star},
    {"heart", {255, 45, 85}, GlyphSymbols::heart},
    {"bookmark", {175, 82, 222}, GlyphSymbols::bookmark},
    {"cloud", {90, 190, 250}, GlyphSymbols::cloud},
};

// A rounded square in the icon's colour, a little lighter at the top, with the symbol in white.
void drawBadge(GlyphPen& pen, const Icon& icon, double x, double side, double radius,
               double inset) {
  int top[3];
  for (int i = 0; i < 3; ++i)
    top[i] = icon.color[i] + (255 - icon.color[i]) / 4;
  pen.fillRoundedRectGradient(x, x, side, side, radius, top, icon.color);
  pen.color(255, 255, 255);
  pen.inBox(x + inset, x + inset, side - 2 * inset, [&] { icon.symbol(pen); });
}

// The strip's special tiles show their symbol alone on the tile's white. The picker offers them
// like any other icon, so they get list icons too.
const Icon kTileIcons[] = {
    {"default", {142, 142, 147}, GlyphSymbols::folder},
    {"add", {52, 199, 89}, GlyphSymbols::plus},
    {"reset", {255, 100, 100}, GlyphSymbols::resetArrow},
};

void drawTileGlyph(GlyphPen& pen, const Icon& icon) {
  pen.color(icon.color[0], icon.color[1], icon.color[2]);
  pen.inBox(14, 14, 72, [&] { icon.symbol(pen); });
}

void addListIcons(std::vector<SupportImageRecipe>& recipes, const Icon& icon,
                  const std::string& name) {
  const auto small = [&icon](GlyphPen& pen) { drawBadge(pen, icon, 0, 29, 6.5, 5.5); };
  recipes.push_back({name + "_icon.png", 29, 29, 1, small});
  recipes.push_back({name + "_icon@2x.png", 29, 29, 2, small});
}

}  // namespace

std::vector<SupportImageRecipe> FolderIconArt::recipes() {
  std::vector<SupportImageRecipe> recipes;
  for (const Icon& icon : kIcons) {
    const std::string name = std::string("folder_icons/") + icon.name;
    recipes.push_back({name + ".png", 100, 100, 1,
                       [&icon](GlyphPen& pen) { drawBadge(pen, icon, 10, 80, 18, 16); }});
    addListIcons(recipes, icon, name);
  }
  for (const Icon& icon : kTileIcons) {
    const std::string name = std::string("folder_icons/") + icon.name;
    recipes.push_back(
        {name + ".png", 100, 100, 1, [&icon](GlyphPen& pen) { drawTileGlyph(pen, icon); }});
    addListIcons(recipes, icon, name);
  }
  return recipes;
}

}  // namespace vorlan
