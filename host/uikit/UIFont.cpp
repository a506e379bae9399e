#include "uikit/UIFont.h"

#include <pango/pango.h>

#include <cmath>
#include <utility>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/FontLibrary.h"

namespace host {

namespace {

// Sizes that are not a positive number count as 0.
double sanitized(double pointSize) {
  return std::isfinite(pointSize) && pointSize > 0 ? pointSize : 0;
}

bool namesBoldFace(std::string_view name) {
  for (std::size_t at = 0; at + 4 <= name.size(); ++at) {
    std::string_view word = name.substr(at, 4);
    if ((word[0] == 'B' || word[0] == 'b') && word.substr(1) == "old") return true;
  }
  return false;
}

}  // namespace

HOST_CLASS(UIFont, Object)

UIFont::UIFont(Class* cls) : Object(cls) {}

std::shared_ptr<UIFont> UIFont::make(std::string name, bool bold, double pointSize) {
  auto font = std::make_shared<UIFont>();
  font->name_ = std::move(name);
  font->bold_ = bold;
  font->pointSize_ = sanitized(pointSize);
  return font;
}

std::shared_ptr<UIFont> UIFont::systemFontOfSize(double pointSize) {
  return make(std::string(kSystemFontName), false, pointSize);
}

std::shared_ptr<UIFont> UIFont::boldSystemFontOfSize(double pointSize) {
  return make(std::string(kBoldSystemFontName), true, pointSize);
}

std::shared_ptr<UIFont> UIFont::fontWithName(std::string_view name, double pointSize) {
  if (name.empty()) return systemFontOfSize(pointSize);
  return make(std::string(name), namesBoldFace(name), pointSize);
}

std::shared_ptr<UIFont> UIFont::fontWithSize(double pointSize) const {
  return make(name_, bold_, pointSize);
}

void UIFont::loadMetrics() const {
  if (measured_) return;
  FontLibrary& library = FontLibrary::shared();
  PangoFontDescription* description = library.describe(*this);
  PangoFontMetrics* metrics = pango_context_get_metrics(library.context(), description, nullptr);
  const double scale = pointSize_ > 0 ? 1.0 : 0.0;
  ascender_ = scale * pango_font_metrics_get_ascent(metrics) / PANGO_SCALE;
  descender_ = -scale * pango_font_metrics_get_descent(metrics) / PANGO_SCALE;
  pango_font_metrics_unref(metrics);
  pango_font_description_free(description);
  measured_ = true;
}

double UIFont::ascender() const {
  loadMetrics();
  return ascender_;
}

double UIFont::descender() const {
  loadMetrics();
  return descender_;
}

double UIFont::lineHeight() const {
  loadMetrics();
  return ascender_ - descender_;
}

}  // namespace host
