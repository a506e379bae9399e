#include "uikit/CGContext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "uikit/UIBezierPath.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"

namespace host {

namespace {

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

// One pass of a box filter of radius r over n values `step` bytes apart; outside is 0.
void boxPass(std::uint8_t* data, int n, std::ptrdiff_t step, int r, std::vector<int>& line) {
  line.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    line[static_cast<std::size_t>(i)] = data[i * step];
  const int window = 2 * r + 1;
  int sum = 0;
  for (int i = 0; i <= r && i < n; ++i)
    sum += line[static_cast<std::size_t>(i)];
  for (int i = 0; i < n; ++i) {
    data[i * step] = static_cast<std::uint8_t>((sum + window / 2) / window);
    if (i + r + 1 < n) sum += line[static_cast<std::size_t>(i + r + 1)];
    if (i - r >= 0) sum -= line[static_cast<std::size_t>(i - r)];
  }
}

// Blurs an A8 surface within `box` (which must hold everything the blur reaches).
void blur(cairo_surface_t* mask, const Box& box, int radius) {
  cairo_surface_flush(mask);
  std::uint8_t* data = cairo_image_surface_get_data(mask);
  const std::ptrdiff_t stride = cairo_image_surface_get_stride(mask);
  std::vector<int> line;
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = box.top; y < box.bottom; ++y) {
      boxPass(data + y * stride + box.left, box.right - box.left, 1, radius, line);
    }
    for (int x = box.left; x < box.right; ++x) {
      boxPass(data + box.top * stride + x, box.bottom - box.top, stride, radius, line);
    }
  }
  cairo_surface_mark_dirty(mask);
}

// The box around the mask's covered pixels grown by `margin`; empty (right <= left) if none.
Box coverage(cairo_surface_t* mask, int margin) {
  cairo_surface_flush(mask);
  const std::uint8_t* data = cairo_image_surface_get_data(mask);
  const std::ptrdiff_t stride = cairo_image_surface_get_stride(mask);
  const int width = cairo_image_surface_get_width(mask);
  const int height = cairo_image_surface_get_height(mask);
  Box box{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data + y * stride;
    for (int x = 0; x < width; ++x) {
      if (row[x] == 0) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x + 1);
      box.top = std::min(box.top, y);
      box.bottom = y + 1;
    }
  }
  if (box.right <= box.left) return box;
  return {std::max(0, box.left - margin), std::max(0, box.top - margin),
          std::min(width, box.right + margin), std::min(height, box.bottom + margin)};
}

}  // namespace

CGContext::CGContext(cairo_surface_t* surface, CGFloat scale)
    : cr_(cairo_create(surface)), scale_(std::isfinite(scale) && scale > 0 ? scale : 1) {
  cairo_scale(cr_, scale_, scale_);
  cairo_set_line_width(cr_, 1);  // Core Graphics' default; Cairo's is 2
}

CGContext::~CGContext() {
  cairo_destroy(cr_);
}

cairo_surface_t* CGContext::surface() const {
  return cairo_get_target(cr_);
}

void CGContext::saveGState() {
  saved_.push_back(state_);
  cairo_save(cr_);
}

void CGContext::restoreGState() {
  if (saved_.empty()) return;
  state_ = saved_.back();
  saved_.pop_back();
  cairo_restore(cr_);
}

void CGContext::translateCTM(CGFloat tx, CGFloat ty) {
  cairo_translate(cr_, tx, ty);
}
void CGContext::rotateCTM(CGFloat radians) {
  cairo_rotate(cr_, radians);
}
void CGContext::scaleCTM(CGFloat sx, CGFloat sy) {
  cairo_scale(cr_, sx, sy);
}

void CGContext::concatCTM(const CGAffineTransform& t) {
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
  cairo_transform(cr_, &matrix);
}

void CGContext::setShadowWithColor(CGSize offset, CGFloat blur,
                                   const std::shared_ptr<UIColor>& color) {
  const bool moves = offset.width != 0 || offset.height != 0 || blur > 0;
  state_.shadow = color && color->alpha() > 0 && moves && std::isfinite(offset.width) &&
                  std::isfinite(offset.height) && std::isfinite(blur);
  if (!state_.shadow) return;
  state_.shadowOffset = offset;
  state_.shadowBlur = std::max<CGFloat>(0, blur);
  state_.shadowColor = {color->red(), color->green(), color->blue(), color->alpha()};
}

void CGContext::setFillColor(const UIColor& c) {
  state_.fill = {c.red(), c.green(), c.blue(), c.alpha()};
}

void CGContext::setStrokeColor(const UIColor& c) {
  state_.stroke = {c.red(), c.green(), c.blue(), c.alpha()};
}

void CGContext::setLineWidth(CGFloat width) {
  cairo_set_line_width(cr_, std::max<CGFloat>(0, width));
}

void CGContext::setAlpha(CGFloat alpha) {
  state_.alpha = std::clamp<CGFloat>(alpha, 0, 1);
}

void CGContext::setSource(cairo_t* cr, const Rgba& color) const {
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha * state_.alpha);
}

void CGContext::beginPath() {
  cairo_new_path(cr_);
}

void CGContext::addPath(const UIBezierPath& path) {
  path.appendTo(cr_);
}

void CGContext::addRect(CGRect rect) {
  cairo_rectangle(cr_, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

void CGContext::fillPath() {
  drawWithShadow([this](cairo_t* cr) {
    setSource(cr, state_.fill);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill_preserve(cr);
  });
  cairo_new_path(cr_);
}

void CGContext::eoFillPath() {
  drawWithShadow([this](cairo_t* cr) {
    setSource(cr, state_.fill);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill_preserve(cr);
  });
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
  cairo_new_path(cr_);
}

void CGContext::strokePath() {
  drawWithShadow([this](cairo_t* cr) {
    setSource(cr, state_.stroke);
    cairo_stroke_preserve(cr);
  });
  cairo_new_path(cr_);
}

void CGContext::clip() {
  cairo_clip(cr_);
}

void CGContext::fillRect(CGRect rect) {
  // Leaves the current path alone, as Core Graphics does.
  cairo_path_t* kept = cairo_copy_path(cr_);
  cairo_new_path(cr_);
  addRect(rect);
  fillPath();
  cairo_append_path(cr_, kept);
  cairo_path_destroy(kept);
}

void CGContext::strokeRect(CGRect rect) {
  cairo_path_t* kept = cairo_copy_path(cr_);
  cairo_new_path(cr_);
  addRect(rect);
  strokePath();
  cairo_append_path(cr_, kept);
  cairo_path_destroy(kept);
}

void CGContext::drawImage(CGRect rect, const UIImage& image) {
  cairo_surface_t* pixels = image.cairoSurface();
  if (!pixels || rect.isEmpty()) return;
  const bool asTemplate = image.renderingMode() == UIImageRenderingMode::AlwaysTemplate;
  drawWithShadow([&](cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, rect.minX(), rect.minY());
    cairo_scale(cr, rect.width() / image.pixelWidth(), rect.height() / image.pixelHeight());
    if (asTemplate) {
      setSource(cr, state_.fill);
      cairo_mask_surface(cr, pixels, 0, 0);
    } else {
      cairo_set_source_surface(cr, pixels, 0, 0);
      cairo_paint_with_alpha(cr, state_.alpha);
    }
    cairo_restore(cr);
  });
}

void CGContext::drawWithShadow(const std::function<void(cairo_t*)>& paint) {
  if (state_.shadow && state_.alpha > 0) paintShadow(paint);
  paint(cr_);
}

void CGContext::paintShadow(const std::function<void(cairo_t*)>& paint) {
  cairo_surface_t* target = surface();
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return;
  cairo_surface_t* mask =
      cairo_image_surface_create(CAIRO_FORMAT_A8, cairo_image_surface_get_width(target),
                                 cairo_image_surface_get_height(target));
  cairo_t* scratch = cairo_create(mask);
  cairo_matrix_t matrix;
  cairo_get_matrix(cr_, &matrix);
  cairo_set_matrix(scratch, &matrix);
  cairo_set_line_width(scratch, cairo_get_line_width(cr_));
  cairo_set_line_cap(scratch, cairo_get_line_cap(cr_));
  cairo_set_line_join(scratch, cairo_get_line_join(cr_));
  cairo_set_miter_limit(scratch, cairo_get_miter_limit(cr_));
  cairo_path_t* path = cairo_copy_path(cr_);
  cairo_append_path(scratch, path);
  cairo_path_destroy(path);
  paint(scratch);
  cairo_destroy(scratch);

  // A Gaussian of sigma = blur / 2 pixels; three box passes of radius r have variance r (r + 1).
  const double sigma = state_.shadowBlur * scale_ / 2;
  const int radius = static_cast<int>(std::lround((std::sqrt(1 + 4 * sigma * sigma) - 1) / 2));
  if (radius > 0) {
    const Box box = coverage(mask, 3 * radius);
    if (box.right > box.left) blur(mask, box, radius);
  }
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  const Rgba& color = state_.shadowColor;
  cairo_set_source_rgba(cr_, color.red, color.green, color.blue, color.alpha * state_.alpha);
  cairo_mask_surface(cr_, mask, state_.shadowOffset.width * scale_,
                     state_.shadowOffset.height * scale_);
  cairo_restore(cr_);
  cairo_surface_destroy(mask);
}

}  // namespace host
