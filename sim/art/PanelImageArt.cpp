#include "PanelImageArt.h"

#include <cairo.h>

#include <cmath>

#include "GlyphPen.h"
#include "GlyphSymbols.h"

namespace vorlan {

namespace {

void gearButton(GlyphPen& pen) {
  pen.color(0, 122, 255);
  pen.inBox(2, 2, 26, [&] { GlyphSymbols::gear(pen); });
}

// A portrait placeholder: a head and shoulders over a teal-to-indigo background. Opaque, since
// the info page clips it to a circle itself.
void creator(GlyphPen& pen) {
  cairo_t* cr = pen.cairo();
  cairo_pattern_t* background = cairo_pattern_create_linear(0, 0, 100, 100);
  cairo_pattern_add_color_stop_rgb(background, 0, 48 / 255.0, 176 / 255.0, 199 / 255.0);
  cairo_pattern_add_color_stop_rgb(background, 1, 88 / 255.0, 86 / 255.0, 214 / 255.0);
  cairo_set_source(cr, background);
  cairo_paint(cr);
  cairo_pattern_destroy(background);
  pen.color(255, 255, 255, 0.92);
  pen.fillCircle(50, 40, 18);
  cairo_save(cr);
  cairo_translate(cr, 50, 100);
  cairo_scale(cr, 36, 34);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
}

}  // namespace

std::vector<SupportImageRecipe> PanelImageArt::recipes() {
  return {
      {"main_images/settings_icon.png", 30, 30, 1, gearButton},
      {"main_images/settings_icon@2x.png", 30, 30, 2, gearButton},
      {"main_images/cancel.png", 44, 30, 1,
       [](GlyphPen& pen) {
         pen.color(0, 0, 0);
         pen.inBox(0, -7, 44, [&] { GlyphSymbols::backspace(pen); });
       }},
      {"main_images/close_button.png", 20, 20, 1,
       [](GlyphPen& pen) {
         pen.color(0, 0, 0);
         pen.inBox(0, 0, 20, [&] { GlyphSymbols::crossDisc(pen); });
       }},
      {"main_images/trash.png", 36, 36, 1,
       [](GlyphPen& pen) {
         pen.color(255, 100, 100);
         pen.inBox(2, 2, 32, [&] { GlyphSymbols::trash(pen); });
       }},
      {"main_images/dot.png", 12, 12, 1,
       [](GlyphPen& pen) {
         pen.color(0, 0, 0);
         pen.fillCircle(6, 6, 5);
       }},
      {"main_images/creator.png", 100, 100, 2, creator},
  };
}

}  // namespace vorlan
