#pragma once

#include <memory>

#include "runtime/Object.h"
#include "uikit/UIResponder.h"

namespace host {

class UIGestureRecognizer;
class UIView;
class UIWindow;

enum UIEventType {
  UIEventTypeTouches,
};

// The touches of one moment, as delivered to recognisers and views.
class UIEvent : public Object {
 public:
  static Class* objcClass();
  explicit UIEvent(Class* cls = objcClass());

  UIEventType type() const { return UIEventTypeTouches; }
  double timestamp() const { return timestamp_; }
  const UITouchSet& allTouches() const { return touches_; }
  // The touches that started on `view` (or one of its subviews), or that go to `window`, or
  // that `recognizer` watches.
  UITouchSet touchesForView(const UIView* view) const;
  UITouchSet touchesForWindow(const UIWindow* window) const;
  UITouchSet touchesForGestureRecognizer(const UIGestureRecognizer* recognizer) const;

  void setTouches(UITouchSet touches, double timestamp) {
    touches_ = std::move(touches);
    timestamp_ = timestamp;
  }

 private:
  UITouchSet touches_;
  double timestamp_ = 0;
};

}  // namespace host
