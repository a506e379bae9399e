#include "uikit/BackdropBlur.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace host {

namespace {

// One box pass of radius r over n pixels `step` bytes apart, each channel on its own; samples
// past either end repeat the end pixel.
void boxPass(std::uint8_t* data, int n, std::ptrdiff_t step, int r,
             std::vector<std::uint8_t>& line) {
  line.resize(static_cast<std::size_t>(n) * 4);
  for (int i = 0; i < n; ++i)
    std::memcpy(&line[static_cast<std::size_t>(i) * 4], data + i * step, 4);
  const auto at = [&](int i, int channel) {
    return static_cast<int>(line[static_cast<std::size_t>(std::clamp(i, 0, n - 1)) * 4 +
                                 static_cast<std::size_t>(channel)]);
  };
  const int window = 2 * r + 1;
  for (int channel = 0; channel < 4; ++channel) {
    int sum = 0;
    for (int i = -r; i <= r; ++i)
      sum += at(i, channel);
    for (int i = 0; i < n; ++i) {
      data[i * step + channel] = static_cast<std::uint8_t>((sum + window / 2) / window);
      sum += at(i + r + 1, channel) - at(i - r, channel);
    }
  }
}

}  // namespace

BackdropBlur::BackdropBlur(cairo_t* cr, const CGRect& rect, double sigma) {
  cairo_surface_t* target = cairo_get_group_target(cr);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE || rect.isEmpty()) return;
  const cairo_format_t format = cairo_image_surface_get_format(target);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return;

  // The rectangle's box in the target's pixels, grown by what the blur reaches.
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const CGPoint corner :
       {CGPoint{rect.minX(), rect.minY()}, CGPoint{rect.maxX(), rect.minY()},
        CGPoint{rect.minX(), rect.maxY()}, CGPoint{rect.maxX(), rect.maxY()}}) {
    double x = corner.x;
    double y = corner.y;
    cairo_user_to_device(cr, &x, &y);
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  double offsetX = 0;
  double offsetY = 0;
  cairo_surface_get_device_offset(target, &offsetX, &offsetY);
  const int radius =
      sigma > 0 ? static_cast<int>(std::lround((std::sqrt(1 + 4 * sigma * sigma) - 1) / 2)) : 0;
  const int width = cairo_image_surface_get_width(target);
  const int height = cairo_image_surface_get_height(target);
  const auto pixel = [](double v, int margin, int limit) {
    if (!std::isfinite(v)) return v > 0 ? limit : 0;
    return static_cast<int>(std::clamp(v + margin, 0.0, static_cast<double>(limit)));
  };
  const int x0 = pixel(std::floor(left + offsetX), -3 * radius, width);
  const int y0 = pixel(std::floor(top + offsetY), -3 * radius, height);
  const int x1 = pixel(std::ceil(right + offsetX), 3 * radius, width);
  const int y1 = pixel(std::ceil(bottom + offsetY), 3 * radius, height);
  if (x1 <= x0 || y1 <= y0) return;

  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, x1 - x0, y1 - y0);
  if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(copy);
    return;
  }
  cairo_surface_flush(target);
  cairo_surface_flush(copy);
  const std::uint8_t* source = cairo_image_surface_get_data(target);
  const std::ptrdiff_t sourceStride = cairo_image_surface_get_stride(target);
  std::uint8_t* data = cairo_image_surface_get_data(copy);
  const std::ptrdiff_t stride = cairo_image_surface_get_stride(copy);
  for (int y = y0; y < y1; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + (y - y0) * stride);
    std::memcpy(row, source + y * sourceStride + x0 * 4, static_cast<std::size_t>(x1 - x0) * 4);
    if (format == CAIRO_FORMAT_RGB24) {
      for (int x = 0; x < x1 - x0; ++x)
        row[x] |= 0xFF000000u;  // opaque
    }
  }
  if (radius > 0) {
    std::vector<std::uint8_t> line;
    for (int pass = 0; pass < 3; ++pass) {
      for (int y = 0; y < y1 - y0; ++y)
        boxPass(data + y * stride, x1 - x0, 4, radius, line);
      for (int x = 0; x < x1 - x0; ++x)
        boxPass(data + x * 4, y1 - y0, stride, radius, line);
    }
  }
  cairo_surface_mark_dirty(copy);
  pixels_ = copy;
  deviceX_ = x0 - offsetX;
  deviceY_ = y0 - offsetY;
}

BackdropBlur::~BackdropBlur() {
  if (pixels_) cairo_surface_destroy(pixels_);
}

void BackdropBlur::paint(cairo_t* cr) const {
  if (!pixels_) return;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, pixels_, deviceX_, deviceY_);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace host
