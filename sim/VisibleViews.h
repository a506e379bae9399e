#pragma once

#include <memory>
#include <vector>

#include "uikit/CGGeometry.h"

namespace host {
class UIView;
}  // namespace host

namespace vorlan {

// The views a screen shows, front-most first, with where they show: what a person sees, so it
// reads the presentation values (where running animations have the views now).
//
// A view is visible when it is not hidden, it and every view above it have an alpha of at least
// 0.01, and some of it lies on the screen inside every ancestor that clips to its bounds.
// Front-most first is the reverse of the drawing order (each view after its superview, siblings
// by their layers' zPosition, then in order).
class VisibleViews {
 public:
  struct Entry {
    std::shared_ptr<host::UIView> view;
    host::CGRect frame;    // the bounding box of its bounds on screen
    host::CGRect shown;    // the part of `frame` on screen inside every clipping ancestor
    host::CGPoint centre;  // the centre of its bounds on screen
    bool centreShown;      // the centre lies on screen and inside every clipping ancestor
  };

  // `screen` is the root (a window, whose coordinates are the screen's); `overlays` are drawn
  // over it at their frames (the status bar).
  static std::vector<Entry> of(host::UIView& screen,
                               const std::vector<std::shared_ptr<host::UIView>>& overlays = {});

  // The entry of `view`, nullptr when it is not visible.
  static const Entry* entryOf(const std::vector<Entry>& entries, const host::UIView* view);
};

}  // namespace vorlan
