#include "uikit/TouchInjector.h"

#include <cmath>

#include "foundation/RunLoop.h"
#include "uikit/TouchDispatcher.h"
#include "uikit/UIEvent.h"
#include "uikit/UITouch.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

double distance(const CGPoint& a, const CGPoint& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

TouchInjector::TouchInjector(const std::shared_ptr<UIWindow>& window)
    : window_(window), event_(std::make_shared<UIEvent>()) {}

TouchInjector::~TouchInjector() {
  if (touch_) touchCancel();
}

bool TouchInjector::touchDown(const CGPoint& point) {
  auto window = window_.lock();
  if (touch_ || !window) return false;
  const double now = RunLoop::main().now();
  const bool repeat = now - lastTapTime_ <= kMultiTapInterval &&
                      distance(point, lastTapLocation_) <= kMultiTapDistance;
  touch_ = std::make_shared<UITouch>();
  touch_->begin(window, point, now, repeat ? lastTapCount_ + 1 : 1);
  downLocation_ = point;
  TouchDispatcher::attach(*touch_, *window);
  event_->setTouches({touch_}, now);
  TouchDispatcher::dispatch(*touch_, *event_);
  return true;
}

bool TouchInjector::touchMove(const CGPoint& point) {
  if (!touch_) return false;
  return send(point,
              point == touch_->locationInWindow() ? UITouchPhaseStationary : UITouchPhaseMoved);
}

bool TouchInjector::touchUp(const CGPoint& point) {
  if (!touch_) return false;
  if (distance(point, downLocation_) <= 10) {
    lastTapLocation_ = point;
    lastTapTime_ = RunLoop::main().now();
    lastTapCount_ = touch_->tapCount();
  } else {
    lastTapCount_ = 0;
    lastTapTime_ = -std::numeric_limits<double>::infinity();
  }
  return send(point, UITouchPhaseEnded);
}

bool TouchInjector::touchCancel() {
  if (!touch_) return false;
  lastTapCount_ = 0;
  lastTapTime_ = -std::numeric_limits<double>::infinity();
  return send(touch_->locationInWindow(), UITouchPhaseCancelled);
}

bool TouchInjector::send(const CGPoint& point, UITouchPhase touchPhase) {
  if (!touch_) return false;
  const double now = RunLoop::main().now();
  touch_->update(touchPhase, point, now);
  event_->setTouches({touch_}, now);
  // The touch stays ours until delivery is over, even if a callback lifts another finger.
  const std::shared_ptr<UITouch> touch = touch_;
  if (touchPhase == UITouchPhaseEnded || touchPhase == UITouchPhaseCancelled) touch_.reset();
  TouchDispatcher::dispatch(*touch, *event_);
  if (!touch_) event_->setTouches({}, now);
  return true;
}

void TouchInjector::tap(const CGPoint& point) {
  touchDown(point);
  touchUp(point);
}

void TouchInjector::drag(const CGPoint& from, const CGPoint& to, double duration, int steps) {
  if (!touchDown(from)) return;
  const int count = steps < 1 ? 1 : steps;
  for (int i = 1; i <= count; ++i) {
    RunLoop::main().advance(duration / count);
    const double f = static_cast<double>(i) / count;
    touchMove({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
  }
  touchUp(to);
}

}  // namespace host
