#include "uikit/FontLibrary.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "foundation/Log.h"
#include "uikit/UIFont.h"

namespace host {

namespace {

constexpr const char* kFamily = "Liberation Sans";

std::vector<std::string>& configuredFiles() {
  static std::vector<std::string> files{
      "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
      "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
  };
  return files;
}

}  // namespace

std::string FontLibrary::missingFontMessage(const std::vector<std::string>& files) {
  std::string list;
  for (const std::string& file : files)
    list += (list.empty() ? "" : ", ") + file;
  return "The system font could not be loaded from " + list +
         ": text is measured and drawn with a fallback font, so sizes and line breaks will not "
         "match a device";
}

FontLibrary& FontLibrary::shared() {
  static FontLibrary library;
  return library;
}

std::vector<std::string> FontLibrary::fontFiles() {
  return configuredFiles();
}

void FontLibrary::setFontFiles(std::vector<std::string> files) {
  configuredFiles() = std::move(files);
}

std::vector<std::string> FontLibrary::missingFontFiles() {
  std::vector<std::string> missing;
  for (const std::string& file : configuredFiles()) {
    if (::access(file.c_str(), R_OK) != 0) missing.push_back(file);
  }
  return missing;
}

FontLibrary::FontLibrary() {
  // Pango loads fontconfig's default configuration on a thread of its own; loading it here first
  // leaves that thread nothing to do, so it cannot still be at work when FcFini runs at exit.
  FcInit();
  // A configuration of our own, without the system's files: only the two faces are known.
  FcConfig* config = FcConfigCreate();
  loaded_ = true;
  std::vector<std::string> failed;
  for (const std::string& file : configuredFiles()) {
    if (!FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.c_str()))) {
      failed.push_back(file);
    }
  }
  loaded_ = failed.empty();
  if (!loaded_) NSLog(missingFontMessage(failed));
  PangoFontMap* fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(fontMap), config);
  FcConfigDestroy(config);  // the font map keeps its own reference

  fontMap_ = fontMap;
  context_ = pango_font_map_create_context(fontMap);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(context_, 72);  // a point is a pixel
  pango_context_set_round_glyph_positions(context_, FALSE);
  pango_context_set_language(context_, pango_language_from_string("en-us"));
  pango_context_set_base_dir(context_, PANGO_DIRECTION_LTR);
}

FontLibrary::~FontLibrary() {
  // Everything is released so that the process ends holding no font data (leak checks). The font
  // map lets go of its configuration only when it is detached first, and Pango's fontconfig
  // thread may still hold the map for lookups it runs ahead of need: wait (briefly) for those
  // to finish, which they have once the map is gone.
  g_object_unref(context_);
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(fontMap_), nullptr);
  pango_fc_font_map_shutdown(PANGO_FC_FONT_MAP(fontMap_));
  GWeakRef fontMap;
  g_weak_ref_init(&fontMap, fontMap_);
  g_object_unref(fontMap_);
  for (int waited = 0; waited < 2000; ++waited) {
    gpointer alive = g_weak_ref_get(&fontMap);
    if (!alive) break;
    g_object_unref(alive);
    g_usleep(1000);
  }
  g_weak_ref_clear(&fontMap);
  FcFini();
}

PangoFontDescription* FontLibrary::describe(const UIFont& font) const {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family_static(description, kFamily);
  pango_font_description_set_weight(description,
                                    font.isBold() ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  // Pango wants a positive size; a zero-sized font lays out as (almost) nothing.
  const double points = std::max(font.pointSize(), 1.0 / 1024);
  pango_font_description_set_absolute_size(description, points * PANGO_SCALE);
  return description;
}

}  // namespace host
