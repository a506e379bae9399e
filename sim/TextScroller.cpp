#include "TextScroller.h"

#include <cmath>
#include <memory>
#include <optional>

#include "ScreenReader.h"
#include "TouchDriver.h"
#include "VisibleViews.h"
#include "runtime/Runtime.h"
#include "uikit/UIScrollView.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

using host::CGPoint;

// How long the content may take to come to rest after the finger lifts (a bounce back).
constexpr double kSettleLimit = 2.0;

struct Track {
  std::shared_ptr<host::UIScrollView> view;
  CGPoint upper;  // where a drag towards the start begins, and one towards the end stops
  CGPoint lower;
};

bool holds(const host::UIView& ancestor, std::shared_ptr<host::UIView> view) {
  for (; view; view = view->superview()) {
    if (view.get() == &ancestor) return true;
  }
  return false;
}

// The front-most visible scroll view with content taller than it, and the finger's track on it.
std::optional<Track> scrollableTrack(host::UIWindow& window) {
  for (const auto& entry : VisibleViews::of(window)) {
    auto view = std::dynamic_pointer_cast<host::UIScrollView>(entry.view);
    if (!view || !view->isScrollEnabled()) continue;
    const auto inset = view->contentInset();
    if (view->contentSize().height + inset.top + inset.bottom <= view->bounds().size.height)
      continue;
    const auto& shown = entry.shown;
    const double x = shown.midX();
    const CGPoint upper{x, shown.minY() + shown.height() * (1 - TextScroller::kSpan) / 2};
    const CGPoint lower{x, shown.maxY() - shown.height() * (1 - TextScroller::kSpan) / 2};
    // A view laid over it (a dimming layer, a panel) takes the finger instead.
    if (holds(*view, window.hitTest(upper)) && holds(*view, window.hitTest(lower)))
      return Track{view, upper, lower};
  }
  return std::nullopt;
}

}  // namespace

bool TextScroller::scrollTo(const std::string& text, std::string& error) {
  const auto window = finger_.window();
  if (!window) {
    error = "the app has no window";
    return false;
  }
  if (ScreenReader::find(*window, text)) return true;
  const auto track = scrollableTrack(*window);
  if (!track) {
    error = "nothing on screen shows \"" + text + "\", and nothing on screen scrolls";
    return false;
  }
  const auto& view = track->view;
  for (const bool down : {true, false}) {
    for (int i = 0; i < kMaxDrags; ++i) {
      const double before = view->contentOffset().y;
      finger_.drag(down ? track->lower : track->upper, down ? track->upper : track->lower,
                   kDragSeconds, kRestSeconds);
      TouchDriver::runUntil(
          [&] {
            return !view->isDragging() && !view->isDecelerating() && !view->isScrollingAnimated();
          },
          kSettleLimit);
      TouchDriver::run(TextScroller::kPauseSeconds);
      if (ScreenReader::find(*window, text)) return true;
      // The content no longer moves: this end is reached.
      if (std::fabs(view->contentOffset().y - before) < 0.5) break;
    }
  }
  error = "\"" + text + "\" never showed: scrolled " + view->getClass()->name() +
          " to its end and back to its start";
  return false;
}

}  // namespace vorlan
