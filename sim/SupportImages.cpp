#include "SupportImages.h"

#include <cairo.h>

#include <cmath>
#include <memory>
#include <optional>

#include "FolderIconArt.h"
#include "GlyphPen.h"
#include "MenuIconArt.h"
#include "PanelImageArt.h"
#include "PreviewArt.h"
#include "SupportImageRecipe.h"
#include "foundation/DeviceFileSystem.h"
#include "uikit/CGContext.h"
#include "uikit/UIImage.h"

namespace vorlan {

namespace {

std::vector<SupportImageRecipe> allRecipes() {
  std::vector<SupportImageRecipe> all;
  for (auto family : {FolderIconArt::recipes, PanelImageArt::recipes, MenuIconArt::recipes,
                      PreviewArt::recipes}) {
    for (auto& recipe : family())
      all.push_back(std::move(recipe));
  }
  return all;
}

std::string devicePath(const SupportImageRecipe& recipe) {
  return std::string(SupportImages::kDirectory) + "/" + recipe.path;
}

// The PNG encoding of one image; nothing when its pixels cannot be allocated. Cairo's PNG writer
// stores no time or other varying data, so the bytes depend on the drawing alone.
std::optional<std::string> render(const SupportImageRecipe& recipe) {
  const int width = static_cast<int>(std::lround(recipe.width * recipe.scale));
  const int height = static_cast<int>(std::lround(recipe.height * recipe.scale));
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  {
    host::CGContext context(surface.get(), recipe.scale);
    GlyphPen pen(context.cairo());
    recipe.draw(pen);
  }
  auto image = host::UIImage::imageWithCairoSurface(surface.get(), 1);
  if (!image) return std::nullopt;
  const auto& png = image->pngData();
  if (png.empty()) return std::nullopt;
  return std::string(png.begin(), png.end());
}

}  // namespace

bool SupportImages::install(host::DeviceFileSystem& device, std::string* error,
                            DeviceWrites writes) {
  std::string madeDirectory;
  for (const auto& recipe : allRecipes()) {
    const std::string path = devicePath(recipe);
    const auto png = render(recipe);
    if (!png) {
      if (error) *error = "cannot draw " + path;
      return false;
    }
    const std::string directory = path.substr(0, path.rfind('/'));
    if (directory != madeDirectory) {
      if (!device.createDirectory(directory, true, error)) return false;
      madeDirectory = directory;
    }
    // Reinstalling over an identical file would only cost a flush to disk.
    const auto existing = device.readFile(path, png->size());
    if (existing && *existing == *png) continue;
    if (!writeDeviceFile(device, writes, path, *png, error, 0644)) return false;
  }
  return true;
}

std::vector<std::string> SupportImages::paths() {
  std::vector<std::string> paths;
  for (const auto& recipe : allRecipes())
    paths.push_back(devicePath(recipe));
  return paths;
}

}  // namespace vorlan
