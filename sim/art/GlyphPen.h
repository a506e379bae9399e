#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

typedef struct _cairo cairo_t;

namespace vorlan {

// A thin drawing helper over a Cairo context for the package's flat glyphs. Coordinates are in
// the context's user space; `inBox` maps a 100 x 100 design square onto any square, so that
// every symbol is written once and drawn at any size. Colours are 0-255 components.
class GlyphPen {
 public:
  using Point = std::pair<double, double>;

  explicit GlyphPen(cairo_t* cr) : cr_(cr) {}
  cairo_t* cairo() const { return cr_; }

  void color(int red, int green, int blue, double alpha = 1.0);
  // While erasing, everything drawn clears pixels to transparent (knock-outs in a glyph).
  void setErasing(bool erasing);

  void fillRect(double x, double y, double w, double h);
  void fillRoundedRect(double x, double y, double w, double h, double radius);
  void strokeRoundedRect(double x, double y, double w, double h, double radius, double width);
  void fillCircle(double cx, double cy, double r);
  void strokeCircle(double cx, double cy, double r, double width);
  // Angles in radians, clockwise on screen from the x axis; round caps.
  void strokeArc(double cx, double cy, double r, double from, double to, double width);
  // Round caps and joins.
  void line(double x1, double y1, double x2, double y2, double width);
  void polyline(std::initializer_list<Point> points, double width);
  void fillPolygon(std::initializer_list<Point> points);
  // A vertical gradient from `top` to `bottom` (RGB) filling a rounded rectangle.
  void fillRoundedRectGradient(double x, double y, double w, double h, double radius,
                               const int (&top)[3], const int (&bottom)[3]);

  // Draws `design` with the 100 x 100 design square mapped onto the square (x, y, side).
  void inBox(double x, double y, double side, const std::function<void()>& design);

 private:
  void roundedRectPath(double x, double y, double w, double h, double radius);

  cairo_t* cr_;
};

}  // namespace vorlan
