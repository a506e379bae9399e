#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"
#include "uikit/UIGestureRecognizerDelegate.h"
#include "uikit/UIResponder.h"
#include "uikit/UITouch.h"

namespace host {

class UIView;
class UIWindow;

enum UIGestureRecognizerState {
  UIGestureRecognizerStatePossible,
  UIGestureRecognizerStateBegan,
  UIGestureRecognizerStateChanged,
  UIGestureRecognizerStateEnded,
  UIGestureRecognizerStateCancelled,
  UIGestureRecognizerStateFailed,
  UIGestureRecognizerStateRecognized = UIGestureRecognizerStateEnded,
};

// Turns the touches on its view (and the view's subviews) into a gesture. A discrete gesture
// goes from possible to recognized or failed; a continuous one from possible to began, changed
// and then ended or cancelled, or it fails. Actions run on every state change but to failed.
//
// The touches reach the recognisers of the touched view and of its ancestors (innermost first)
// before the view. When one recogniser begins or recognises, every other one on the same touches
// fails unless a delegate of either lets the two recognise simultaneously; one that would begin
// while another is already running fails instead. With cancelsTouchesInView (the default) a
// recognised gesture takes the touches from the view, which gets touchesCancelled.
//
// After a touch sequence ends, a recogniser that finished goes back to possible on the next turn
// of the main run loop (or at the next touch-down, whichever comes first).
class UIGestureRecognizer : public Object {
 public:
  using Action = std::function<void(const std::shared_ptr<UIGestureRecognizer>&)>;

  static Class* objcClass();
  explicit UIGestureRecognizer(Class* cls = objcClass());
  ~UIGestureRecognizer() override;

  // Actions run in the order added. The target is held weakly: its actions stop once it is gone,
  // so an action should capture its target weakly too.
  void addTarget(const std::shared_ptr<Object>& target, Action action);
  void addTarget(Action action);  // an action with no target object
  // Removes the actions of `target`; nullptr removes every action.
  void removeTarget(const Object* target);

  UIGestureRecognizerState state() const { return state_; }
  std::shared_ptr<UIView> view() const { return view_.lock(); }

  // Turning a recogniser off mid-gesture cancels the gesture (or fails it before it began); it
  // then ignores touches until turned on again.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);

  std::shared_ptr<UIGestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(const std::shared_ptr<UIGestureRecognizerDelegate>& delegate) {
    delegate_ = delegate;
  }

  bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
  void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }
  // Holds touchesBegan back from the view until this recogniser fails.
  bool delaysTouchesBegan() const { return delaysTouchesBegan_; }
  void setDelaysTouchesBegan(bool delays) { delaysTouchesBegan_ = delays; }

  // This recogniser does not begin or recognise before `other` has failed on the same touches,
  // and fails if `other` recognises. Held weakly. Settled within one touch sequence: a recogniser
  // still possible when its touches end counts as failed.
  void requireGestureRecognizerToFail(const std::shared_ptr<UIGestureRecognizer>& other);

  // The centroid of its touches (where they ended, once they have); `view` nullptr stands for
  // the window. The origin while it has none.
  CGPoint locationInView(const UIView* view) const;
  // The touches still down.
  std::size_t numberOfTouches() const;

  // A single-finger single tap: the standard controls keep such taps for themselves.
  virtual bool isSingleTap() const { return false; }

  // Driven by the touch pipeline (TouchDispatcher) and by UIView.
  bool shouldReceiveTouch(UITouch& touch);
  bool isReceivingTouches() const;
  void handleTouches(UITouchPhase phase, const UITouchSet& touches, UIEvent* event);
  // After the last touch of the sequence, to every recogniser of the touch: first
  // touchSequenceDidEnd (an undecided recogniser fails, which may settle those waiting for it),
  // then scheduleReset (back to possible on the next turn of the run loop, or at once with
  // resetIfFinished, which the next touch-down calls).
  void touchSequenceDidEnd();
  void scheduleReset();
  void resetIfFinished();
  bool hasRecognized() const;  // began, changed or recognized in this sequence
  void attachToView(const std::shared_ptr<UIView>& view);

 protected:
  // Subclasses follow the touches here and move the state with setState.
  virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
  virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
  virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
  // By default a running gesture is cancelled and a possible one fails.
  virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);
  // Back to possible: subclasses clear what they tracked.
  virtual void reset() {}

  // Invalid transitions (out of failed, back to possible, ...) are ignored.
  void setState(UIGestureRecognizerState state);
  // The touches of the current sequence still alive, ended ones included.
  UITouchSet touches() const;

 private:
  struct Target {
    std::weak_ptr<Object> object;
    bool hasObject = false;
    Action action;
  };

  std::vector<std::shared_ptr<UIGestureRecognizer>> peers() const;
  bool mayBegin();
  bool recognizesSimultaneouslyWith(UIGestureRecognizer& other);
  // 1: a required recogniser recognised; 0: one is still undecided; -1: none stands in the way.
  int failureRequirementStatus() const;
  void applyState(UIGestureRecognizerState state);
  void retryPending();
  void sendActions();

  UIGestureRecognizerState state_ = UIGestureRecognizerStatePossible;
  std::optional<UIGestureRecognizerState> pendingState_;
  bool enabled_ = true;
  bool cancelsTouchesInView_ = true;
  bool delaysTouchesBegan_ = false;
  bool awaitingReset_ = false;
  bool recognized_ = false;
  std::weak_ptr<UIView> view_;
  std::weak_ptr<UIGestureRecognizerDelegate> delegate_;
  std::vector<Target> targets_;
  std::vector<std::weak_ptr<UIGestureRecognizer>> failureRequirements_;
  // Held weakly (a touch holds its view, which holds this recogniser); where they were last is
  // kept for locationInView.
  std::vector<std::weak_ptr<UITouch>> touches_;
  std::weak_ptr<UIWindow> window_;
  CGPoint lastLocation_;  // in the window
};

}  // namespace host
