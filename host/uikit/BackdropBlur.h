#pragma once

#include <memory>

#include "uikit/CGGeometry.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace host {

// A blurred copy of what has been drawn so far under a rectangle, for visual effect views: the
// pixels of the context's current target around the rectangle (the group being drawn, if one is
// pushed), blurred with three box passes per channel approximating a Gaussian. Pixels past the
// target's edges repeat its edge, so the copy does not darken towards the screen's sides.
class BackdropBlur {
 public:
  // Copies and blurs the target's pixels under `rect` (in the context's user space). `sigma` is
  // the Gaussian's standard deviation in pixels. An empty backdrop when the target is not an
  // image surface or the rectangle covers no pixel of it.
  BackdropBlur(cairo_t* cr, const CGRect& rect, double sigma);
  ~BackdropBlur();
  BackdropBlur(const BackdropBlur&) = delete;
  BackdropBlur& operator=(const BackdropBlur&) = delete;

  bool isEmpty() const { return pixels_ == nullptr; }
  // Paints the blurred pixels back where they came from, within the context's current clip.
  void paint(cairo_t* cr) const;

 private:
  cairo_surface_t* pixels_ = nullptr;
  double deviceX_ = 0;  // where the copy's top left lies in device space
  double deviceY_ = 0;
};

}  // namespace host
