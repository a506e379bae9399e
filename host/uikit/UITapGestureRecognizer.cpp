#include "uikit/UITapGestureRecognizer.h"

#include <cmath>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(UITapGestureRecognizer, UIGestureRecognizer)

UITapGestureRecognizer::UITapGestureRecognizer(Class* cls) : UIGestureRecognizer(cls) {}

bool UITapGestureRecognizer::strayed(const UITouch& touch) const {
  const CGPoint p = touch.locationInWindow();
  return std::hypot(p.x - start_.x, p.y - start_.y) > kAllowableMovement ||
         touch.timestamp() - startTime_ > kMaximumTapDuration;
}

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
  start_ = touches.front()->locationInWindow();
  startTime_ = touches.front()->timestamp();
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
  if (strayed(*touches.front())) setState(UIGestureRecognizerStateFailed);
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
  const UITouch& touch = *touches.front();
  if (strayed(touch) || touchesRequired_ != 1 || touch.tapCount() % tapsRequired_ != 0) {
    setState(UIGestureRecognizerStateFailed);
  } else {
    setState(UIGestureRecognizerStateRecognized);
  }
}

}  // namespace host
