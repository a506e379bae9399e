#include "uikit/UIPanGestureRecognizer.h"

#include <cmath>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {

HOST_CLASS(UIPanGestureRecognizer, UIGestureRecognizer)

UIPanGestureRecognizer::UIPanGestureRecognizer(Class* cls) : UIGestureRecognizer(cls) {}

void UIPanGestureRecognizer::addSample(const UITouch& touch) {
  samples_.push_back({touch.locationInWindow(), touch.timestamp()});
  // Keep what the velocity needs: the samples of the window, and the one before them.
  const double cutoff = samples_.back().time - kVelocityWindow;
  std::size_t drop = 0;
  while (drop + 2 < samples_.size() && samples_[drop + 1].time < cutoff)
    ++drop;
  samples_.erase(samples_.begin(), samples_.begin() + static_cast<std::ptrdiff_t>(drop));
}

void UIPanGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
  samples_.clear();
  start_ = translationOrigin_ = touches.front()->locationInWindow();
  addSample(*touches.front());
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
  const UITouch& touch = *touches.front();
  addSample(touch);
  if (state() != UIGestureRecognizerStatePossible) {
    setState(UIGestureRecognizerStateChanged);
    return;
  }
  const CGPoint p = touch.locationInWindow();
  const std::size_t count = numberOfTouches();
  if (std::hypot(p.x - start_.x, p.y - start_.y) >= kHysteresis && count >= minimumTouches_ &&
      count <= maximumTouches_) {
    setState(UIGestureRecognizerStateBegan);
  }
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
  addSample(*touches.front());
  setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateFailed
                                                       : UIGestureRecognizerStateEnded);
}

void UIPanGestureRecognizer::reset() {
  samples_.clear();
}

CGPoint UIPanGestureRecognizer::vectorToView(const CGPoint& vector, const UIView* view) const {
  if (view == nullptr) return vector;
  const auto window = view->window();
  const CGPoint origin = view->convertPointFromView(CGPointZero, window.get());
  const CGPoint end = view->convertPointFromView(vector, window.get());
  return {end.x - origin.x, end.y - origin.y};
}

CGPoint UIPanGestureRecognizer::vectorFromView(const CGPoint& vector, const UIView* view) const {
  if (view == nullptr) return vector;
  const auto window = view->window();
  const CGPoint origin = view->convertPointToView(CGPointZero, window.get());
  const CGPoint end = view->convertPointToView(vector, window.get());
  return {end.x - origin.x, end.y - origin.y};
}

CGPoint UIPanGestureRecognizer::translationInView(const UIView* view) const {
  if (samples_.empty()) return CGPointZero;
  const CGPoint p = samples_.back().location;
  return vectorToView({p.x - translationOrigin_.x, p.y - translationOrigin_.y}, view);
}

void UIPanGestureRecognizer::setTranslation(const CGPoint& translation, const UIView* view) {
  const CGPoint current = samples_.empty() ? start_ : samples_.back().location;
  const CGPoint offset = vectorFromView(translation, view);
  translationOrigin_ = {current.x - offset.x, current.y - offset.y};
}

CGPoint UIPanGestureRecognizer::velocityInView(const UIView* view) const {
  if (samples_.size() < 2) return CGPointZero;
  const Sample& last = samples_.back();
  const Sample& first = samples_.front();
  const double dt = last.time - first.time;
  if (dt <= 0) return CGPointZero;
  return vectorToView(
      {(last.location.x - first.location.x) / dt, (last.location.y - first.location.y) / dt}, view);
}

}  // namespace host
