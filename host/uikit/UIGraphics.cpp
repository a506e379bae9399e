#include "uikit/UIGraphics.h"

#include <cairo.h>

#include <cmath>
#include <utility>
#include <vector>

#include "uikit/CGContext.h"
#include "uikit/UIImage.h"

namespace host {

namespace {

// Cairo's largest image side.
constexpr double kMaxPixels = 32767;

struct Entry {
  std::shared_ptr<CGContext> context;
  bool image;
};

std::vector<Entry>& stack() {
  static std::vector<Entry> contexts;
  return contexts;
}

CGFloat& mainScreenScale() {
  static CGFloat scale = 2;
  return scale;
}

}  // namespace

std::shared_ptr<CGContext> UIGraphicsGetCurrentContext() {
  return stack().empty() ? nullptr : stack().back().context;
}

void UIGraphicsPushContext(std::shared_ptr<CGContext> context) {
  if (context) stack().push_back({std::move(context), false});
}

void UIGraphicsPopContext() {
  if (!stack().empty()) stack().pop_back();
}

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
  if (!(scale > 0) || !std::isfinite(scale)) scale = UIGraphicsMainScreenScale();
  const double width = std::ceil(size.width * scale);
  const double height = std::ceil(size.height * scale);
  if (!(width >= 1 && height >= 1 && width <= kMaxPixels && height <= kMaxPixels)) return;
  cairo_surface_t* surface =
      cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32,
                                 static_cast<int>(width), static_cast<int>(height));
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return;
  }
  auto context = std::make_shared<CGContext>(surface, scale);
  cairo_surface_destroy(surface);  // the context holds it
  stack().push_back({std::move(context), true});
}

void UIGraphicsBeginImageContext(CGSize size) {
  UIGraphicsBeginImageContextWithOptions(size, false, 1);
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext() {
  if (stack().empty() || !stack().back().image) return nullptr;
  const CGContext& context = *stack().back().context;
  return UIImage::imageWithCairoSurface(context.surface(), context.scale());
}

void UIGraphicsEndImageContext() {
  if (!stack().empty() && stack().back().image) stack().pop_back();
}

CGFloat UIGraphicsMainScreenScale() {
  return mainScreenScale();
}

void UIGraphicsSetMainScreenScale(CGFloat scale) {
  if (scale > 0 && std::isfinite(scale)) mainScreenScale() = scale;
}

}  // namespace host
