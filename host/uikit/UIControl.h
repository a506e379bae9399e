#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "uikit/UIView.h"

namespace host {

class UIGestureRecognizer;

// Control events, with UIKit's bit values.
using UIControlEvents = unsigned long;
inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventEditingDidBegin = 1 << 16;
inline constexpr UIControlEvents UIControlEventEditingChanged = 1 << 17;
inline constexpr UIControlEvents UIControlEventEditingDidEnd = 1 << 18;
inline constexpr UIControlEvents UIControlEventEditingDidEndOnExit = 1 << 19;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x0FFF;
inline constexpr UIControlEvents UIControlEventAllEditingEvents = 0x000F0000;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

using UIControlState = unsigned long;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;

// A view that turns touches into control events for its targets.
//
// A touch that comes down on an enabled control is tracked: touch-down (with touch-down-repeat
// for the second and later taps of a run), then on every move drag-inside or drag-outside
// (preceded by drag-enter or drag-exit when it crosses the edge), then touch-up-inside or
// touch-up-outside, or touch-cancel when the touch is taken away. "Inside" is the bounds grown by
// kTrackingSlop points on every side, as UIKit's controls allow the finger to stray. The control
// is highlighted while the finger is inside. A disabled control sends nothing and passes its
// touches up the responder chain.
class UIControl : public UIView {
 public:
  static constexpr double kTrackingSlop = 70;  // points

  using Action = std::function<void(const std::shared_ptr<UIControl>& sender, UIEvent* event)>;

  static Class* objcClass();
  explicit UIControl(Class* cls = objcClass());
  ~UIControl() override;

  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);  // turning it off ends the highlight
  bool isSelected() const { return selected_; }
  void setSelected(bool selected);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);
  UIControlState state() const;
  bool isTracking() const { return tracking_; }
  bool isTouchInside() const { return touchInside_; }

  // Targets and actions. The target is held weakly: its actions stop once it is gone, so an
  // action should capture its target weakly too. Actions run in the order added; one that matches
  // several of the events sent at once runs once.
  void addTarget(const std::shared_ptr<Object>& target, Action action, UIControlEvents events);
  void addTarget(const std::shared_ptr<Object>& target, std::function<void()> action,
                 UIControlEvents events);
  void addAction(Action action, UIControlEvents events);  // no target object
  // Stops `target`'s actions (nullptr: everyone's) for `events`.
  void removeTarget(const Object* target, UIControlEvents events);
  UIControlEvents allControlEvents() const;
  void sendActionsForControlEvents(UIControlEvents events, UIEvent* event = nullptr);

  // Tracking hooks for subclasses, with UIKit's names: returning false stops the continue calls.
  virtual bool beginTrackingWithTouch(UITouch& touch, UIEvent* event);
  virtual bool continueTrackingWithTouch(UITouch& touch, UIEvent* event);
  virtual void endTrackingWithTouch(UITouch* touch, UIEvent* event);
  virtual void cancelTrackingWithEvent(UIEvent* event);

  // Asked before a recogniser on another view begins on a touch of this control. Yes by default;
  // buttons, switches and page controls keep single taps for themselves while enabled, as
  // UIKit's do.
  virtual bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const;

  void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
  void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
  void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

 protected:
  // After enabled, selected or highlighted changed.
  virtual void controlStateDidChange() {}
  bool isInsideTrackingArea(const UITouch& touch) const;
  // The answer of the controls that keep single taps: no to an enabled one's single-tap
  // recogniser on another view.
  bool keepsSingleTapFrom(const UIGestureRecognizer& recognizer) const;

 private:
  struct Target {
    std::weak_ptr<Object> object;
    bool hasObject = false;
    Action action;
    UIControlEvents events = 0;
  };

  bool enabled_ = true;
  bool selected_ = false;
  bool highlighted_ = false;
  bool tracking_ = false;
  bool touchInside_ = false;
  bool touchDown_ = false;  // a touch came down on the enabled control and is not over
  std::vector<Target> targets_;
};

}  // namespace host
