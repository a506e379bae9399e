#include "uikit/UIControl.h"

#include <utility>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UITouch.h"

namespace host {

HOST_CLASS(UIControl, UIView)

UIControl::UIControl(Class* cls) : UIView(cls) {}

UIControl::~UIControl() = default;

// State.

void UIControl::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled) highlighted_ = false;
  controlStateDidChange();
}

void UIControl::setSelected(bool selected) {
  if (selected == selected_) return;
  selected_ = selected;
  controlStateDidChange();
}

void UIControl::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  controlStateDidChange();
}

UIControlState UIControl::state() const {
  UIControlState state = UIControlStateNormal;
  if (highlighted_) state |= UIControlStateHighlighted;
  if (!enabled_) state |= UIControlStateDisabled;
  if (selected_) state |= UIControlStateSelected;
  return state;
}

// Targets and actions.

void UIControl::addTarget(const std::shared_ptr<Object>& target, Action action,
                          UIControlEvents events) {
  if (!action || events == 0) return;
  targets_.push_back({target, target != nullptr, std::move(action), events});
}

void UIControl::addTarget(const std::shared_ptr<Object>& target, std::function<void()> action,
                          UIControlEvents events) {
  if (!action) return;
  addTarget(
      target,
      [action = std::move(action)](const std::shared_ptr<UIControl>&, UIEvent*) { action(); },
      events);
}

void UIControl::addAction(Action action, UIControlEvents events) {
  addTarget(nullptr, std::move(action), events);
}

void UIControl::removeTarget(const Object* target, UIControlEvents events) {
  for (auto& entry : targets_) {
    if (target == nullptr || entry.object.lock().get() == target) entry.events &= ~events;
  }
  std::erase_if(targets_, [](const Target& t) { return t.events == 0; });
}

UIControlEvents UIControl::allControlEvents() const {
  UIControlEvents all = 0;
  for (const auto& entry : targets_) {
    if (!entry.hasObject || !entry.object.expired()) all |= entry.events;
  }
  return all;
}

void UIControl::sendActionsForControlEvents(UIControlEvents events, UIEvent* event) {
  const auto self = std::static_pointer_cast<UIControl>(shared_from_this());
  std::erase_if(targets_, [](const Target& t) { return t.hasObject && t.object.expired(); });
  const auto targets = targets_;
  for (const auto& entry : targets) {
    if ((entry.events & events) == 0) continue;
    auto object = entry.object.lock();  // kept alive while its action runs
    if (entry.hasObject && !object) continue;
    entry.action(self, event);
  }
}

// Tracking.

bool UIControl::beginTrackingWithTouch(UITouch&, UIEvent*) {
  return true;
}

bool UIControl::continueTrackingWithTouch(UITouch&, UIEvent*) {
  return true;
}

void UIControl::endTrackingWithTouch(UITouch*, UIEvent*) {}

void UIControl::cancelTrackingWithEvent(UIEvent*) {}

bool UIControl::gestureRecognizerShouldBegin(const UIGestureRecognizer&) const {
  return true;
}

bool UIControl::keepsSingleTapFrom(const UIGestureRecognizer& recognizer) const {
  return enabled_ && recognizer.isSingleTap() && recognizer.view().get() != this;
}

bool UIControl::isInsideTrackingArea(const UITouch& touch) const {
  const CGRect area = bounds().insetBy(-kTrackingSlop, -kTrackingSlop);
  return area.containsPoint(touch.locationInView(this));
}

void UIControl::touchesBegan(const UITouchSet& touches, UIEvent* event) {
  if (!enabled_) {
    UIView::touchesBegan(touches, event);
    return;
  }
  const auto keepAlive = shared_from_this();
  UITouch& touch = *touches.front();
  touchDown_ = true;
  touchInside_ = true;
  tracking_ = beginTrackingWithTouch(touch, event);
  setHighlighted(true);
  sendActionsForControlEvents(touch.tapCount() > 1
                                  ? UIControlEventTouchDown | UIControlEventTouchDownRepeat
                                  : UIControlEventTouchDown,
                              event);
}

void UIControl::touchesMoved(const UITouchSet& touches, UIEvent* event) {
  if (!touchDown_) {
    UIView::touchesMoved(touches, event);
    return;
  }
  if (!enabled_) return;
  const auto keepAlive = shared_from_this();
  UITouch& touch = *touches.front();
  const bool inside = isInsideTrackingArea(touch);
  const bool crossed = inside != touchInside_;
  touchInside_ = inside;
  if (tracking_) tracking_ = continueTrackingWithTouch(touch, event);
  setHighlighted(inside);
  if (crossed) {
    sendActionsForControlEvents(inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit,
                                event);
  }
  sendActionsForControlEvents(
      inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside, event);
}

void UIControl::touchesEnded(const UITouchSet& touches, UIEvent* event) {
  if (!touchDown_) {
    UIView::touchesEnded(touches, event);
    return;
  }
  touchDown_ = false;
  if (!enabled_) {
    tracking_ = false;
    return;
  }
  const auto keepAlive = shared_from_this();
  UITouch& touch = *touches.front();
  touchInside_ = isInsideTrackingArea(touch);
  tracking_ = false;
  endTrackingWithTouch(&touch, event);
  setHighlighted(false);
  sendActionsForControlEvents(
      touchInside_ ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside, event);
}

void UIControl::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
  if (!touchDown_) {
    UIView::touchesCancelled(touches, event);
    return;
  }
  touchDown_ = false;
  tracking_ = false;
  if (!enabled_) return;
  const auto keepAlive = shared_from_this();
  cancelTrackingWithEvent(event);
  setHighlighted(false);
  sendActionsForControlEvents(UIControlEventTouchCancel, event);
}

}  // namespace host
