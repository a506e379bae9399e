#pragma once

#include <cstddef>
#include <limits>
#include <memory>

#include "uikit/CGGeometry.h"
#include "uikit/UITouch.h"

namespace host {

class UIEvent;
class UIWindow;

// One finger on a window, for the simulator and tests: points are in the window's coordinates,
// timestamps the main run loop's clock. A touch-down while the finger is already down, or a move
// or lift without one, is ignored (answers false).
//
// Taps in quick succession count up: a touch-down within kMultiTapInterval seconds of the last
// tap's lift and within kMultiTapDistance points of it gets the next tapCount. A touch counts as
// a tap when it lifted within 10 points of where it came down.
class TouchInjector {
 public:
  static constexpr double kMultiTapInterval = 0.35;  // seconds
  static constexpr double kMultiTapDistance = 45;    // points

  explicit TouchInjector(const std::shared_ptr<UIWindow>& window);
  ~TouchInjector();
  TouchInjector(const TouchInjector&) = delete;
  TouchInjector& operator=(const TouchInjector&) = delete;

  bool touchDown(const CGPoint& point);
  bool touchMove(const CGPoint& point);
  bool touchUp(const CGPoint& point);
  // The system takes the touch away (an alert, a call): everything tracking it is cancelled.
  bool touchCancel();

  bool isTouching() const { return touch_ != nullptr; }
  // The finger's touch while it is down.
  const std::shared_ptr<UITouch>& currentTouch() const { return touch_; }

  // Down and up at `point` without the clock moving.
  void tap(const CGPoint& point);
  // Down at `from`, `steps` moves evenly spread over `duration` seconds of the clock (which
  // advances, running the run loop), up at `to`.
  void drag(const CGPoint& from, const CGPoint& to, double duration, int steps = 10);

 private:
  bool send(const CGPoint& point, UITouchPhase phase);

  std::weak_ptr<UIWindow> window_;
  std::shared_ptr<UITouch> touch_;
  std::shared_ptr<UIEvent> event_;
  CGPoint downLocation_;
  CGPoint lastTapLocation_;
  double lastTapTime_ = -std::numeric_limits<double>::infinity();
  std::size_t lastTapCount_ = 0;
};

}  // namespace host
