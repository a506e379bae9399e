#include "uikit/UISwipeGestureRecognizer.h"

#include <array>
#include <cmath>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

namespace {

struct Axis {
  UISwipeGestureRecognizerDirection direction;
  double x;
  double y;
};

constexpr std::array<Axis, 4> kAxes{{
    {UISwipeGestureRecognizerDirectionRight, 1, 0},
    {UISwipeGestureRecognizerDirectionLeft, -1, 0},
    {UISwipeGestureRecognizerDirectionUp, 0, -1},
    {UISwipeGestureRecognizerDirectionDown, 0, 1},
}};

}  // namespace

HOST_CLASS(UISwipeGestureRecognizer, UIGestureRecognizer)

UISwipeGestureRecognizer::UISwipeGestureRecognizer(Class* cls) : UIGestureRecognizer(cls) {}

void UISwipeGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
  start_ = touches.front()->locationInWindow();
  startTime_ = touches.front()->timestamp();
  if (touchesRequired_ != 1) setState(UIGestureRecognizerStateFailed);
}

void UISwipeGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
  evaluate(*touches.front(), false);
}

void UISwipeGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
  evaluate(*touches.front(), true);
}

void UISwipeGestureRecognizer::evaluate(const UITouch& touch, bool lifted) {
  if (touch.timestamp() - startTime_ > kMaximumDuration) {
    setState(UIGestureRecognizerStateFailed);
    return;
  }
  const CGPoint p = touch.locationInWindow();
  const double dx = p.x - start_.x;
  const double dy = p.y - start_.y;
  bool headingAllowed = false;
  for (const Axis& axis : kAxes) {
    if ((direction_ & axis.direction) == 0) continue;
    const double along = dx * axis.x + dy * axis.y;
    const double across = std::abs(dx * axis.y - dy * axis.x);
    if (along >= kMinimumDistance && across <= along / 2) {
      setState(UIGestureRecognizerStateRecognized);
      return;
    }
    if (along > across) headingAllowed = true;
  }
  if (lifted || (std::hypot(dx, dy) >= kDecisionDistance && !headingAllowed)) {
    setState(UIGestureRecognizerStateFailed);
  }
}

}  // namespace host
