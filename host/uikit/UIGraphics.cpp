#include "uikit/UIGraphics.h"

#include <cairo.h>

#include <cmath>
#include <memory>
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

void UIGraphicsDrawAsLayerContents(CGContext& context, const CGRect& rect,
                                   const std::function<void()>& draw) {
  const double scale = context.scale();
  const double width = std::ceil(rect.width() * scale - 1e-9);
  const double height = std::ceil(rect.height() * scale - 1e-9);
  if (!(width >= 1 && height >= 1 && width <= kMaxPixels && height <= kMaxPixels)) return;
  const std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> backing(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                 static_cast<int>(height)),
      cairo_surface_destroy);
  if (cairo_surface_status(backing.get()) != CAIRO_STATUS_SUCCESS) return;
  {
    // Popped however `draw` ends.
    struct Current {
      explicit Current(std::shared_ptr<CGContext> c) { UIGraphicsPushContext(std::move(c)); }
      ~Current() { UIGraphicsPopContext(); }
      Current(const Current&) = delete;
      Current& operator=(const Current&) = delete;
    };
    auto layerContext = std::make_shared<CGContext>(backing.get(), scale);
    layerContext->translateCTM(-rect.origin.x, -rect.origin.y);
    const Current current(std::move(layerContext));
    draw();
  }
  cairo_surface_flush(backing.get());
  cairo_t* cr = context.cairo();
  cairo_save(cr);
  cairo_translate(cr, rect.origin.x, rect.origin.y);
  cairo_scale(cr, 1 / scale, 1 / scale);
  cairo_set_source_surface(cr, backing.get(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace host
