#include "uikit/ViewRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include "uikit/BackdropBlur.h"
#include "uikit/CAGradientLayer.h"
#include "uikit/CALayer.h"
#include "uikit/CGContext.h"
#include "uikit/PngWriter.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIBlurEffect.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"
#include "uikit/UIVisualEffectView.h"

namespace host {

namespace {

// Cairo's largest image side.
constexpr double kMaxPixels = 32767;

bool finite(const CGRect& r) {
  return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
         std::isfinite(r.size.height);
}

// Cairo refuses (and stops drawing after) a transform that collapses the plane; such a view
// shows nothing anyway.
bool drawable(const CGAffineTransform& t) {
  const double det = t.a * t.d - t.b * t.c;
  return std::isfinite(t.tx) && std::isfinite(t.ty) && std::isfinite(det) && std::abs(det) > 1e-12;
}

std::shared_ptr<UIBezierPath> roundedRect(const CGRect& rect, double radius) {
  return radius > 0 ? UIBezierPath::bezierPathWithRoundedRect(rect, radius)
                    : UIBezierPath::bezierPathWithRect(rect);
}

void fill(CGContext& context, const UIBezierPath& path, const UIColor& color) {
  context.setFillColor(color);
  context.beginPath();
  context.addPath(path);
  if (path.usesEvenOddFillRule()) {
    context.eoFillPath();
  } else {
    context.fillPath();
  }
}

// The border: the ring between the rounded bounds and the same inset by the border's width.
void drawBorder(CGContext& context, const CALayer& layer, const CGRect& bounds) {
  const double width = layer.borderWidth();
  const auto& color = layer.borderColor();
  if (!(width > 0) || !color || color->alpha() <= 0) return;
  const double radius = layer.cornerRadius();
  auto ring = roundedRect(bounds, radius);
  const CGRect inner = bounds.insetBy(width, width);
  if (!inner.isEmpty()) ring->appendPath(*roundedRect(inner, radius - width));
  ring->setUsesEvenOddFillRule(true);
  fill(context, *ring, *color);
}

std::vector<std::shared_ptr<UIView>> backToFront(const UIView& view) {
  std::vector<std::shared_ptr<UIView>> ordered = view.subviews();
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
    return a->layer()->zPosition() < b->layer()->zPosition();
  });
  return ordered;
}

// A mask layer's coverage, in the masked layer's coordinates: its background colour over its
// rounded bounds and, for a gradient layer, the gradient's alpha.
void drawMaskLayer(CGContext& context, const CALayer& mask) {
  if (mask.isHidden()) return;
  const CGRect bounds = mask.bounds();
  const CGAffineTransform t = CALayer::layerToSuperlayer(
      bounds, mask.position(), mask.anchorPoint(), mask.affineTransform());
  if (!finite(bounds) || bounds.isEmpty() || !drawable(t)) return;
  const double opacity = std::clamp(mask.opacity(), 0.0, 1.0);
  context.saveGState();
  context.concatCTM(t);
  if (const auto& background = mask.backgroundColor()) {
    fill(context, *roundedRect(bounds, mask.cornerRadius()),
         *UIColor::colorWithRed(0, 0, 0, std::clamp(background->alpha(), 0.0, 1.0) * opacity));
  }
  const auto* gradient = dynamic_cast<const CAGradientLayer*>(&mask);
  if (gradient && !gradient->colors().empty()) {
    const auto locate = [&](const CGPoint& unit) {
      return CGPoint{bounds.minX() + unit.x * bounds.width(),
                     bounds.minY() + unit.y * bounds.height()};
    };
    const CGPoint start = locate(gradient->startPoint());
    const CGPoint end = locate(gradient->endPoint());
    cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
    const std::vector<double> locations = gradient->effectiveLocations();
    for (std::size_t i = 0; i < gradient->colors().size(); ++i) {
      const auto& color = gradient->colors()[i];
      const double alpha = color ? std::clamp(color->alpha(), 0.0, 1.0) : 0.0;
      cairo_pattern_add_color_stop_rgba(pattern, std::clamp(locations[i], 0.0, 1.0), 0, 0, 0,
                                        alpha * opacity);
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_t* cr = context.cairo();
    cairo_new_path(cr);
    cairo_rectangle(cr, bounds.minX(), bounds.minY(), bounds.width(), bounds.height());
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
  }
  context.restoreGState();
}

// The content drawn so far (a popped group) masked by the alpha of a mask layer.
cairo_pattern_t* applyMask(CGContext& context, cairo_pattern_t* content, const CALayer& mask) {
  cairo_t* cr = context.cairo();
  cairo_push_group(cr);
  drawMaskLayer(context, mask);
  cairo_pattern_t* coverage = cairo_pop_group(cr);
  cairo_push_group(cr);
  cairo_set_source(cr, content);
  cairo_mask(cr, coverage);
  cairo_pattern_t* masked = cairo_pop_group(cr);
  cairo_pattern_destroy(coverage);
  cairo_pattern_destroy(content);
  return masked;
}

// Paints a group at the view's opacity, with the layer's shadow under it when it casts one.
void composite(CGContext& context, cairo_pattern_t* content, double alpha, const CALayer* shadow) {
  cairo_t* cr = context.cairo();
  context.saveGState();
  context.setAlpha(alpha);
  if (shadow) {
    const UIColor& c = *shadow->shadowColor();
    const double opacity = std::clamp(shadow->shadowOpacity(), 0.0, 1.0);
    const auto color = UIColor::colorWithRed(c.red(), c.green(), c.blue(), c.alpha() * opacity);
    context.setShadowWithColor(shadow->shadowOffset(), shadow->shadowRadius(), color);
    const auto& path = shadow->shadowPath();
    if (path && shadow->shadowOffset() == CGSizeZero && !(shadow->shadowRadius() > 0)) {
      fill(context, *path, *color);  // a shadow right under its path, unblurred: the path itself
    } else if (path) {
      // The shadow of the path alone, then the content without a shadow.
      context.beginPath();
      context.addPath(*path);
      context.drawWithShadow([cr](cairo_t* target) {
        if (target == cr) return;
        cairo_set_source_rgb(target, 0, 0, 0);
        cairo_fill_preserve(target);
      });
      context.beginPath();
      context.setShadowWithColor({0, 0}, 0, nullptr);
    }
  }
  context.drawWithShadow([&](cairo_t* target) {
    cairo_set_source(target, content);
    if (target == cr) {
      cairo_paint_with_alpha(target, alpha);
    } else {
      cairo_paint(target);  // the shadow's coverage; the context applies the alpha to its colour
    }
  });
  context.restoreGState();
}

bool castsShadow(const CALayer& layer) {
  const auto& color = layer.shadowColor();
  return !layer.masksToBounds() && layer.shadowOpacity() > 0 && color && color->alpha() > 0;
}

}  // namespace

ViewRenderer::ViewRenderer(CGFloat scale)
    : scale_(std::isfinite(scale) && scale > 0 ? scale : UIScreen::mainScreen()->scale()) {}

std::shared_ptr<cairo_surface_t> ViewRenderer::renderToSurface(
    const std::shared_ptr<UIView>& view,
    const std::vector<std::shared_ptr<UIView>>& overlays) const {
  if (!view) return nullptr;
  view->layoutIfNeeded();
  const CGRect bounds = view->presentationBounds();
  if (!finite(bounds)) return nullptr;
  const double width = std::ceil(bounds.width() * scale_ - 1e-9);
  const double height = std::ceil(bounds.height() * scale_ - 1e-9);
  if (!(width >= 1 && height >= 1 && width <= kMaxPixels && height <= kMaxPixels)) return nullptr;
  std::shared_ptr<cairo_surface_t> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                 static_cast<int>(height)),
      cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  {
    CGContext context(surface.get(), scale_);
    drawTree(context, *view);
    for (const auto& overlay : overlays) {
      if (!overlay) continue;
      overlay->layoutIfNeeded();
      const CGRect frame = overlay->frame();
      context.saveGState();
      context.translateCTM(frame.origin.x - bounds.origin.x, frame.origin.y - bounds.origin.y);
      drawTree(context, *overlay);
      context.restoreGState();
    }
  }
  cairo_surface_flush(surface.get());
  return surface;
}

std::shared_ptr<UIImage> ViewRenderer::renderToImage(
    const std::shared_ptr<UIView>& view,
    const std::vector<std::shared_ptr<UIView>>& overlays) const {
  const auto surface = renderToSurface(view, overlays);
  return surface ? UIImage::imageWithCairoSurface(surface.get(), scale_) : nullptr;
}

bool ViewRenderer::writePng(const std::shared_ptr<UIView>& view, const std::string& hostPath,
                            const std::vector<std::shared_ptr<UIView>>& overlays) const {
  // Encoded straight from the drawing: an image of it would only copy the pixels first.
  const auto surface = renderToSurface(view, overlays);
  if (!surface) return false;
  const std::string png = PngWriter::encode(surface.get());
  std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  out.close();
  return !png.empty() && out.good();
}

void ViewRenderer::drawTree(CGContext& context, UIView& view) const {
  drawView(context, view, true);
}

void ViewRenderer::drawView(CGContext& context, UIView& view, bool root) const {
  const double alpha = std::min(1.0, view.presentationAlpha());
  if (view.isHidden() || !(alpha >= 0.01)) return;
  const CGRect bounds = view.presentationBounds();
  const CALayer& layer = *view.layer();
  const CGAffineTransform t =
      root ? CGAffineTransform::makeTranslation(-bounds.origin.x, -bounds.origin.y)
           : CALayer::layerToSuperlayer(bounds, view.presentationCenter(), layer.anchorPoint(),
                                        view.presentationTransform());
  if (!finite(bounds) || !drawable(t)) return;
  cairo_t* cr = context.cairo();
  context.saveGState();
  context.concatCTM(t);

  // What lies beneath a visual effect view is taken before anything of the view is drawn.
  std::optional<BackdropBlur> backdrop;
  std::shared_ptr<UIColor> tint;
  if (auto* effectView = dynamic_cast<UIVisualEffectView*>(&view)) {
    if (auto blur = std::dynamic_pointer_cast<UIBlurEffect>(effectView->effect())) {
      backdrop.emplace(cr, bounds, blur->blurRadius() / 2 * scale_);
      tint = blur->tintColor();
    }
  }

  const bool shadow = castsShadow(layer);
  const auto& mask = layer.mask();
  const bool grouped = alpha < 1 || shadow || mask;
  if (grouped) cairo_push_group(cr);
  if (backdrop) {
    const auto shape = roundedRect(bounds, layer.cornerRadius());
    context.saveGState();
    context.beginPath();
    context.addPath(*shape);
    context.clip();
    backdrop->paint(cr);
    context.restoreGState();
    fill(context, *shape, *tint);
  }
  drawLayerContents(context, view, bounds);
  if (grouped) {
    cairo_pattern_t* content = cairo_pop_group(cr);
    if (mask) content = applyMask(context, content, *mask);
    composite(context, content, alpha, shadow ? &layer : nullptr);
    cairo_pattern_destroy(content);
  }
  context.restoreGState();
}

void ViewRenderer::drawLayerContents(CGContext& context, UIView& view, const CGRect& bounds) const {
  const CALayer& layer = *view.layer();
  const auto shape = roundedRect(bounds, layer.cornerRadius());
  if (const auto background = view.presentationBackgroundColor();
      background && background->alpha() > 0) {
    fill(context, *shape, *background);
  }
  context.saveGState();
  if (layer.masksToBounds()) {
    context.beginPath();
    context.addPath(*shape);
    context.clip();
  }
  view.draw(context, bounds);
  view.clearNeedsDisplay();
  for (const auto& subview : backToFront(view))
    drawView(context, *subview, false);
  context.restoreGState();
  drawBorder(context, layer, bounds);
}

}  // namespace host
