#include "SupportImageArt.h"

#include <cairo.h>

#include <cmath>
#include <memory>

#include "FolderIconArt.h"
#include "GlyphPen.h"
#include "MenuIconArt.h"
#include "PanelImageArt.h"
#include "PreviewArt.h"
#include "SupportImageRecipe.h"
#include "uikit/CGContext.h"
#include "uikit/UIImage.h"

namespace vorlan {

namespace {

// The PNG encoding of one image; empty when its pixels cannot be allocated.
std::string render(const SupportImageRecipe& recipe) {
  const int width = static_cast<int>(std::lround(recipe.width * recipe.scale));
  const int height = static_cast<int>(std::lround(recipe.height * recipe.scale));
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
  {
    host::CGContext context(surface.get(), recipe.scale);
    GlyphPen pen(context.cairo());
    recipe.draw(pen);
  }
  auto image = host::UIImage::imageWithCairoSurface(surface.get(), 1);
  if (!image) return {};
  const auto& png = image->pngData();
  return std::string(png.begin(), png.end());
}

}  // namespace

std::vector<DevicePicture> SupportImageArt::pictures() {
  std::vector<DevicePicture> pictures;
  for (auto family : {FolderIconArt::recipes, PanelImageArt::recipes, MenuIconArt::recipes,
                      PreviewArt::recipes}) {
    for (const auto& recipe : family())
      pictures.push_back({std::string(kDirectory) + "/" + recipe.path, render(recipe)});
  }
  return pictures;
}

}  // namespace vorlan
