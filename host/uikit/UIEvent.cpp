#include "uikit/UIEvent.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UITouch.h"
#include "uikit/UIWindow.h"

namespace host {

HOST_CLASS(UIEvent, Object)

UIEvent::UIEvent(Class* cls) : Object(cls) {}

UITouchSet UIEvent::touchesForView(const UIView* view) const {
  UITouchSet result;
  for (const auto& touch : touches_) {
    if (view != nullptr && touch->view() && touch->view()->isDescendantOfView(view)) {
      result.push_back(touch);
    }
  }
  return result;
}

UITouchSet UIEvent::touchesForWindow(const UIWindow* window) const {
  UITouchSet result;
  for (const auto& touch : touches_) {
    if (window != nullptr && touch->window().get() == window) result.push_back(touch);
  }
  return result;
}

UITouchSet UIEvent::touchesForGestureRecognizer(const UIGestureRecognizer* recognizer) const {
  UITouchSet result;
  for (const auto& touch : touches_) {
    const auto& watching = touch->gestureRecognizers();
    if (std::any_of(watching.begin(), watching.end(),
                    [recognizer](const auto& r) { return r.get() == recognizer; })) {
      result.push_back(touch);
    }
  }
  return result;
}

}  // namespace host
