#include "uikit/UITouch.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UIWindow.h"

namespace host {

HOST_CLASS(UITouch, Object)

UITouch::UITouch(Class* cls) : Object(cls) {}

void UITouch::begin(const std::shared_ptr<UIWindow>& window, const CGPoint& location,
                    double timestamp, std::size_t tapCount) {
  window_ = window;
  phase_ = UITouchPhaseBegan;
  location_ = previousLocation_ = location;
  timestamp_ = timestamp;
  tapCount_ = tapCount;
}

void UITouch::update(UITouchPhase phase, const CGPoint& location, double timestamp) {
  phase_ = phase;
  previousLocation_ = location_;
  location_ = location;
  timestamp_ = timestamp;
}

std::vector<std::shared_ptr<UIGestureRecognizer>> UITouch::gestureRecognizers() const {
  std::vector<std::shared_ptr<UIGestureRecognizer>> alive;
  for (const auto& weak : gestureRecognizers_) {
    if (auto recognizer = weak.lock()) alive.push_back(std::move(recognizer));
  }
  return alive;
}

void UITouch::setGestureRecognizers(
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& recognizers) {
  gestureRecognizers_.assign(recognizers.begin(), recognizers.end());
}

CGPoint UITouch::convert(const CGPoint& point, const UIView* view) const {
  if (view == nullptr) return point;
  auto window = window_.lock();
  return view->convertPointFromView(point, window.get());
}

CGPoint UITouch::locationInView(const UIView* view) const {
  return convert(location_, view);
}

CGPoint UITouch::previousLocationInView(const UIView* view) const {
  return convert(previousLocation_, view);
}

}  // namespace host
