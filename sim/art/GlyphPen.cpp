#include "GlyphPen.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace vorlan {

namespace {

double component(int value) {
  return std::clamp(value, 0, 255) / 255.0;
}

}  // namespace

void GlyphPen::color(int red, int green, int blue, double alpha) {
  cairo_set_source_rgba(cr_, component(red), component(green), component(blue), alpha);
}

void GlyphPen::setErasing(bool erasing) {
  cairo_set_operator(cr_, erasing ? CAIRO_OPERATOR_CLEAR : CAIRO_OPERATOR_OVER);
}

void GlyphPen::fillRect(double x, double y, double w, double h) {
  cairo_rectangle(cr_, x, y, w, h);
  cairo_fill(cr_);
}

void GlyphPen::roundedRectPath(double x, double y, double w, double h, double radius) {
  const double r = std::max(0.0, std::min(radius, std::min(w, h) / 2));
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
}

void GlyphPen::fillRoundedRect(double x, double y, double w, double h, double radius) {
  roundedRectPath(x, y, w, h, radius);
  cairo_fill(cr_);
}

void GlyphPen::strokeRoundedRect(double x, double y, double w, double h, double radius,
                                 double width) {
  roundedRectPath(x, y, w, h, radius);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void GlyphPen::fillCircle(double cx, double cy, double r) {
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr_);
}

void GlyphPen::strokeCircle(double cx, double cy, double r, double width) {
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, cx, cy, r, 0, 2 * M_PI);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void GlyphPen::strokeArc(double cx, double cy, double r, double from, double to, double width) {
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, cx, cy, r, from, to);
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr_);
}

void GlyphPen::line(double x1, double y1, double x2, double y2, double width) {
  polyline({{x1, y1}, {x2, y2}}, width);
}

void GlyphPen::polyline(std::initializer_list<Point> points, double width) {
  cairo_new_path(cr_);
  for (const auto& [x, y] : points)
    cairo_line_to(cr_, x, y);
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr_);
}

void GlyphPen::fillPolygon(std::initializer_list<Point> points) {
  cairo_new_path(cr_);
  for (const auto& [x, y] : points)
    cairo_line_to(cr_, x, y);
  cairo_close_path(cr_);
  cairo_fill(cr_);
}

void GlyphPen::fillRoundedRectGradient(double x, double y, double w, double h, double radius,
                                       const int (&top)[3], const int (&bottom)[3]) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(gradient, 0, component(top[0]), component(top[1]),
                                   component(top[2]));
  cairo_pattern_add_color_stop_rgb(gradient, 1, component(bottom[0]), component(bottom[1]),
                                   component(bottom[2]));
  cairo_save(cr_);
  cairo_set_source(cr_, gradient);
  fillRoundedRect(x, y, w, h, radius);
  cairo_restore(cr_);
  cairo_pattern_destroy(gradient);
}

void GlyphPen::inBox(double x, double y, double side, const std::function<void()>& design) {
  cairo_save(cr_);
  cairo_translate(cr_, x, y);
  cairo_scale(cr_, side / 100.0, side / 100.0);
  design();
  cairo_restore(cr_);
}

}  // namespace vorlan
