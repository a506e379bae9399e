#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"

namespace host {

class UIGestureRecognizer;
class UIView;
class UIWindow;

enum UITouchPhase {
  UITouchPhaseBegan,
  UITouchPhaseMoved,
  UITouchPhaseStationary,
  UITouchPhaseEnded,
  UITouchPhaseCancelled,
};

// One finger on the screen, from touch-down to lift-off (or cancellation). It stays with the view
// it first hit and carries the gesture recognisers that watch it, innermost view's first.
// Locations are kept in the window's coordinates; timestamps come from the main run loop's clock.
class UITouch : public Object {
 public:
  static Class* objcClass();
  explicit UITouch(Class* cls = objcClass());

  UITouchPhase phase() const { return phase_; }
  double timestamp() const { return timestamp_; }
  std::size_t tapCount() const { return tapCount_; }
  std::shared_ptr<UIWindow> window() const { return window_.lock(); }
  const std::shared_ptr<UIView>& view() const { return view_; }
  // Those still alive (the touch holds them weakly: their views own them).
  std::vector<std::shared_ptr<UIGestureRecognizer>> gestureRecognizers() const;

  // `view` nullptr stands for the window.
  CGPoint locationInView(const UIView* view) const;
  CGPoint previousLocationInView(const UIView* view) const;
  CGPoint locationInWindow() const { return location_; }

  // Set up by whoever injects touches (see TouchInjector).
  void begin(const std::shared_ptr<UIWindow>& window, const CGPoint& location, double timestamp,
             std::size_t tapCount);
  // Moves the touch (or keeps it where it is) into `phase`.
  void update(UITouchPhase phase, const CGPoint& location, double timestamp);
  void setView(std::shared_ptr<UIView> view) { view_ = std::move(view); }
  void setGestureRecognizers(const std::vector<std::shared_ptr<UIGestureRecognizer>>& recognizers);

  // Delivery bookkeeping of the touch's view: whether it was told the touch began (it may be
  // held back by a recogniser that delays it) and whether the touch was taken from it.
  bool viewReceivedBegan() const { return viewReceivedBegan_; }
  void setViewReceivedBegan() { viewReceivedBegan_ = true; }
  bool isCancelledForView() const { return cancelledForView_; }
  void setCancelledForView() { cancelledForView_ = true; }

 private:
  CGPoint convert(const CGPoint& point, const UIView* view) const;

  UITouchPhase phase_ = UITouchPhaseBegan;
  CGPoint location_;
  CGPoint previousLocation_;
  double timestamp_ = 0;
  std::size_t tapCount_ = 1;
  std::weak_ptr<UIWindow> window_;
  std::shared_ptr<UIView> view_;
  std::vector<std::weak_ptr<UIGestureRecognizer>> gestureRecognizers_;
  bool viewReceivedBegan_ = false;
  bool cancelledForView_ = false;
};

}  // namespace host
