#include "GlyphSymbols.h"

#include <cairo.h>

#include <cmath>

#include "GlyphPen.h"

namespace vorlan {

void GlyphSymbols::gear(GlyphPen& pen) {
  // Eight teeth around a ring, with the axle hole knocked out by the even-odd rule.
  cairo_t* cr = pen.cairo();
  constexpr int kTeeth = 8;
  constexpr double kOuter = 47, kInner = 36, kHole = 15;
  cairo_new_path(cr);
  for (int i = 0; i < kTeeth; ++i) {
    const double centre = -M_PI / 2 + i * 2 * M_PI / kTeeth;
    const double half = M_PI / kTeeth;
    const double tip = half * 0.45, root = half * 0.62;
    const double angles[4] = {centre - root, centre - tip, centre + tip, centre + root};
    const double radii[4] = {kInner, kOuter, kOuter, kInner};
    for (int k = 0; k < 4; ++k)
      cairo_line_to(cr, 50 + radii[k] * std::cos(angles[k]), 50 + radii[k] * std::sin(angles[k]));
    cairo_arc(cr, 50, 50, kInner, centre + root, centre + 2 * half - root);
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 50, 50, kHole, 0, 2 * M_PI);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void GlyphSymbols::lock(GlyphPen& pen, bool open) {
  if (open) {
    // The shackle swung up and out of its left hole.
    pen.strokeArc(62, 28, 16, M_PI, 2 * M_PI, 9);
    pen.line(78, 28, 78, 46, 9);
    pen.line(46, 28, 46, 34, 9);
  } else {
    pen.strokeArc(50, 34, 17, M_PI, 2 * M_PI, 9);
    pen.line(33, 34, 33, 48, 9);
    pen.line(67, 34, 67, 48, 9);
  }
  pen.fillRoundedRect(20, 44, 60, 48, 9);
  pen.setErasing(true);
  pen.fillCircle(50, 62, 7);
  pen.fillRect(47, 62, 6, 16);
  pen.setErasing(false);
}

void GlyphSymbols::tag(GlyphPen& pen) {
  pen.fillPolygon({{6, 50}, {32, 20}, {92, 20}, {92, 80}, {32, 80}});
  pen.setErasing(true);
  pen.fillCircle(32, 50, 8);
  pen.setErasing(false);
}

void GlyphSymbols::folder(GlyphPen& pen) {
  pen.fillRoundedRect(8, 18, 38, 20, 6);
  pen.fillPolygon({{34, 18}, {48, 30}, {34, 30}});
  pen.fillRoundedRect(8, 28, 84, 56, 7);
}

void GlyphSymbols::eye(GlyphPen& pen) {
  cairo_t* cr = pen.cairo();
  cairo_new_path(cr);
  cairo_move_to(cr, 4, 50);
  cairo_curve_to(cr, 24, 18, 76, 18, 96, 50);
  cairo_curve_to(cr, 76, 82, 24, 82, 4, 50);
  cairo_close_path(cr);
  cairo_fill(cr);
  pen.setErasing(true);
  pen.fillCircle(50, 50, 19);
  pen.setErasing(false);
  pen.fillCircle(50, 50, 11);
}

void GlyphSymbols::checkRing(GlyphPen& pen) {
  pen.strokeCircle(50, 50, 42, 8);
  pen.polyline({{29, 52}, {44, 67}, {71, 36}}, 9);
}

void GlyphSymbols::slashedRing(GlyphPen& pen) {
  pen.strokeCircle(50, 50, 42, 8);
  pen.line(21, 21, 79, 79, 8);
}

void GlyphSymbols::minusRing(GlyphPen& pen) {
  pen.strokeCircle(50, 50, 42, 8);
  pen.line(29, 50, 71, 50, 9);
}

void GlyphSymbols::upDownArrows(GlyphPen& pen) {
  pen.line(50, 10, 50, 90, 9);
  pen.polyline({{28, 32}, {50, 10}, {72, 32}}, 9);
  pen.polyline({{28, 68}, {50, 90}, {72, 68}}, 9);
}

void GlyphSymbols::appGrid(GlyphPen& pen) {
  for (double y : {10.0, 54.0})
    for (double x : {10.0, 54.0})
      pen.fillRoundedRect(x, y, 36, 36, 9);
}

void GlyphSymbols::waves(GlyphPen& pen) {
  // The wireless symbol: three arcs over a dot.
  const double from = -3 * M_PI / 4, to = -M_PI / 4;
  pen.fillCircle(50, 80, 8);
  pen.strokeArc(50, 80, 24, from, to, 9);
  pen.strokeArc(50, 80, 44, from, to, 9);
  pen.strokeArc(50, 80, 64, from + 0.12, to - 0.12, 9);
}

void GlyphSymbols::person(GlyphPen& pen) {
  pen.fillCircle(50, 17, 10);
  pen.line(16, 36, 84, 36, 9);
  pen.line(50, 36, 50, 60, 12);
  pen.line(50, 58, 34, 90, 9);
  pen.line(50, 58, 66, 90, 9);
}

void GlyphSymbols::package(GlyphPen& pen) {
  pen.fillPolygon({{50, 6}, {90, 27}, {90, 73}, {50, 94}, {10, 73}, {10, 27}});
  pen.setErasing(true);
  pen.polyline({{10, 27}, {50, 48}, {90, 27}}, 5);
  pen.line(50, 48, 50, 96, 5);
  pen.polyline({{30, 16.5}, {70, 37.5}, {70, 56}}, 4);
  pen.setErasing(false);
}

void GlyphSymbols::star(GlyphPen& pen) {
  cairo_t* cr = pen.cairo();
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 == 0 ? 47 : 19;
    cairo_line_to(cr, 50 + r * std::cos(angle), 54 + r * std::sin(angle));
  }
  cairo_close_path(cr);
  cairo_fill(cr);
}

void GlyphSymbols::heart(GlyphPen& pen) {
  cairo_t* cr = pen.cairo();
  cairo_new_path(cr);
  cairo_move_to(cr, 50, 90);
  cairo_curve_to(cr, 20, 68, 4, 50, 4, 33);
  cairo_curve_to(cr, 4, 12, 36, 4, 50, 26);
  cairo_curve_to(cr, 64, 4, 96, 12, 96, 33);
  cairo_curve_to(cr, 96, 50, 80, 68, 50, 90);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void GlyphSymbols::bookmark(GlyphPen& pen) {
  pen.fillPolygon({{24, 6}, {76, 6}, {76, 94}, {50, 72}, {24, 94}});
}

void GlyphSymbols::cloud(GlyphPen& pen) {
  pen.fillCircle(32, 60, 20);
  pen.fillCircle(54, 46, 27);
  pen.fillCircle(75, 62, 18);
  pen.fillRoundedRect(12, 56, 81, 24, 12);
}

void GlyphSymbols::plus(GlyphPen& pen) {
  pen.line(50, 16, 50, 84, 12);
  pen.line(16, 50, 84, 50, 12);
}

void GlyphSymbols::resetArrow(GlyphPen& pen) {
  // An almost closed circle running clockwise, its arrowhead at the open end.
  const double r = 34, end = -M_PI / 2 - 0.55;
  pen.strokeArc(50, 54, r, -M_PI / 2 + 0.05, end + 2 * M_PI, 10);
  const double x = 50 + r * std::cos(end), y = 54 + r * std::sin(end);
  pen.fillPolygon({{x + 16, y - 2}, {x - 6, y - 16}, {x - 4, y + 14}});
}

void GlyphSymbols::crossDisc(GlyphPen& pen) {
  pen.fillCircle(50, 50, 48);
  pen.setErasing(true);
  pen.line(32, 32, 68, 68, 10);
  pen.line(68, 32, 32, 68, 10);
  pen.setErasing(false);
}

void GlyphSymbols::trash(GlyphPen& pen) {
  pen.fillRoundedRect(38, 4, 24, 12, 4);
  pen.fillRoundedRect(10, 14, 80, 10, 4);
  pen.fillPolygon({{18, 28}, {82, 28}, {76, 96}, {24, 96}});
  pen.setErasing(true);
  pen.fillRoundedRect(42, 9, 16, 5, 1);
  for (double x : {36.0, 50.0, 64.0})
    pen.line(x, 40, x, 84, 5);
  pen.setErasing(false);
}

void GlyphSymbols::backspace(GlyphPen& pen) {
  cairo_t* cr = pen.cairo();
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  pen.fillPolygon({{4, 50}, {32, 18}, {96, 18}, {96, 82}, {32, 82}});
  pen.setErasing(true);
  pen.line(50, 36, 78, 64, 8);
  pen.line(78, 36, 50, 64, 8);
  pen.setErasing(false);
}

}  // namespace vorlan
