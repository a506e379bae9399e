#include "uikit/UIGestureRecognizer.h"

#include <algorithm>
#include <utility>

#include "foundation/RunLoop.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIControl.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

bool isRunning(UIGestureRecognizerState state) {
  return state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateChanged;
}

bool isFinished(UIGestureRecognizerState state) {
  return state == UIGestureRecognizerStateEnded || state == UIGestureRecognizerStateCancelled ||
         state == UIGestureRecognizerStateFailed;
}

bool isValidTransition(UIGestureRecognizerState from, UIGestureRecognizerState to) {
  switch (from) {
    case UIGestureRecognizerStatePossible:
      return to == UIGestureRecognizerStateBegan || to == UIGestureRecognizerStateEnded ||
             to == UIGestureRecognizerStateFailed;
    case UIGestureRecognizerStateBegan:
    case UIGestureRecognizerStateChanged:
      return to == UIGestureRecognizerStateChanged || to == UIGestureRecognizerStateEnded ||
             to == UIGestureRecognizerStateCancelled;
    default:
      return false;
  }
}

}  // namespace

HOST_CLASS(UIGestureRecognizer, Object)

UIGestureRecognizer::UIGestureRecognizer(Class* cls) : Object(cls) {}

UIGestureRecognizer::~UIGestureRecognizer() = default;

// Targets.

void UIGestureRecognizer::addTarget(const std::shared_ptr<Object>& target, Action action) {
  if (!action) return;
  targets_.push_back({target, target != nullptr, std::move(action)});
}

void UIGestureRecognizer::addTarget(Action action) {
  addTarget(nullptr, std::move(action));
}

void UIGestureRecognizer::removeTarget(const Object* target) {
  std::erase_if(targets_, [target](const Target& t) {
    if (target == nullptr) return true;
    auto object = t.object.lock();
    return object.get() == target;
  });
}

void UIGestureRecognizer::sendActions() {
  const auto self = std::static_pointer_cast<UIGestureRecognizer>(shared_from_this());
  std::erase_if(targets_, [](const Target& t) { return t.hasObject && t.object.expired(); });
  const auto targets = targets_;
  for (const auto& target : targets) {
    auto object = target.object.lock();  // kept alive while its action runs
    if (target.hasObject && !object) continue;
    target.action(self);
  }
}

// Properties.

void UIGestureRecognizer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (!enabled) {
    if (isRunning(state_)) {
      applyState(UIGestureRecognizerStateCancelled);
    } else if (state_ == UIGestureRecognizerStatePossible && isReceivingTouches()) {
      applyState(UIGestureRecognizerStateFailed);
    }
  }
  enabled_ = enabled;
}

void UIGestureRecognizer::requireGestureRecognizerToFail(
    const std::shared_ptr<UIGestureRecognizer>& other) {
  if (other && other.get() != this) failureRequirements_.push_back(other);
}

void UIGestureRecognizer::attachToView(const std::shared_ptr<UIView>& view) {
  if (view.get() == view_.lock().get()) return;
  if (isRunning(state_)) {
    applyState(UIGestureRecognizerStateCancelled);
  } else if (state_ == UIGestureRecognizerStatePossible && isReceivingTouches()) {
    applyState(UIGestureRecognizerStateFailed);
  }
  view_ = view;
}

// Touches.

UITouchSet UIGestureRecognizer::touches() const {
  UITouchSet alive;
  for (const auto& weak : touches_) {
    if (auto touch = weak.lock()) alive.push_back(std::move(touch));
  }
  return alive;
}

CGPoint UIGestureRecognizer::locationInView(const UIView* view) const {
  const auto window = window_.lock();
  if (view == nullptr) return lastLocation_;
  return view->convertPointFromView(lastLocation_, window.get());
}

std::size_t UIGestureRecognizer::numberOfTouches() const {
  const UITouchSet alive = touches();
  return static_cast<std::size_t>(std::count_if(alive.begin(), alive.end(), [](const auto& t) {
    return t->phase() != UITouchPhaseEnded && t->phase() != UITouchPhaseCancelled;
  }));
}

bool UIGestureRecognizer::shouldReceiveTouch(UITouch& touch) {
  if (!enabled_ || view_.expired()) return false;
  auto delegate = delegate_.lock();
  return !delegate || delegate->gestureRecognizerShouldReceiveTouch(*this, touch);
}

bool UIGestureRecognizer::isReceivingTouches() const {
  return !touches_.empty() && !awaitingReset_;
}

void UIGestureRecognizer::handleTouches(UITouchPhase phase, const UITouchSet& touches,
                                        UIEvent* event) {
  if (!enabled_ || view_.expired() || touches.empty()) return;
  if (phase == UITouchPhaseBegan) {
    for (const auto& touch : touches)
      touches_.push_back(touch);
    window_ = touches.front()->window();
  }
  if (isFinished(state_)) return;
  // The centroid, before the subclass looks at it.
  const UITouchSet alive = this->touches();
  CGPoint sum;
  for (const auto& touch : alive) {
    sum.x += touch->locationInWindow().x;
    sum.y += touch->locationInWindow().y;
  }
  if (!alive.empty()) {
    lastLocation_ = {sum.x / static_cast<double>(alive.size()),
                     sum.y / static_cast<double>(alive.size())};
  }
  switch (phase) {
    case UITouchPhaseBegan:
      touchesBegan(touches, event);
      break;
    case UITouchPhaseMoved:
    case UITouchPhaseStationary:
      touchesMoved(touches, event);
      break;
    case UITouchPhaseEnded:
      touchesEnded(touches, event);
      break;
    case UITouchPhaseCancelled:
      touchesCancelled(touches, event);
      break;
  }
}

void UIGestureRecognizer::touchesBegan(const UITouchSet&, UIEvent*) {}
void UIGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {}
void UIGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {}

void UIGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
  setState(isRunning(state_) ? UIGestureRecognizerStateCancelled : UIGestureRecognizerStateFailed);
}

void UIGestureRecognizer::touchSequenceDidEnd() {
  if (touches_.empty() || awaitingReset_) return;
  if (state_ == UIGestureRecognizerStatePossible && !pendingState_) {
    applyState(UIGestureRecognizerStateFailed);
  }
}

void UIGestureRecognizer::scheduleReset() {
  if (touches_.empty() || awaitingReset_) return;
  if (state_ == UIGestureRecognizerStatePossible) applyState(UIGestureRecognizerStateFailed);
  awaitingReset_ = true;
  RunLoop::main().dispatchAsync(
      [weak = std::weak_ptr<UIGestureRecognizer>(
           std::static_pointer_cast<UIGestureRecognizer>(shared_from_this()))] {
        if (auto self = weak.lock()) self->resetIfFinished();
      });
}

void UIGestureRecognizer::resetIfFinished() {
  if (!awaitingReset_) return;
  touches_.clear();
  pendingState_.reset();
  awaitingReset_ = false;
  recognized_ = false;
  state_ = UIGestureRecognizerStatePossible;
  reset();
}

bool UIGestureRecognizer::hasRecognized() const {
  return recognized_;
}

// States.

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
  if (pendingState_ && state_ == UIGestureRecognizerStatePossible &&
      state != UIGestureRecognizerStateFailed) {
    pendingState_ =
        state == UIGestureRecognizerStateChanged ? UIGestureRecognizerStateBegan : state;
    retryPending();
    return;
  }
  if (!isValidTransition(state_, state)) return;
  if (state_ == UIGestureRecognizerStatePossible && state != UIGestureRecognizerStateFailed) {
    // Beginning or recognising: the delegate, the touched controls, the recognisers this one
    // waits for and those already running may stand in the way.
    if (!mayBegin()) {
      applyState(UIGestureRecognizerStateFailed);
      return;
    }
    const int requirement = failureRequirementStatus();
    if (requirement > 0) {
      applyState(UIGestureRecognizerStateFailed);
      return;
    }
    if (requirement == 0) {
      pendingState_ = state;
      return;
    }
    for (const auto& peer : peers()) {
      if ((isRunning(peer->state_) || peer->state_ == UIGestureRecognizerStateEnded) &&
          peer->recognized_ && !recognizesSimultaneouslyWith(*peer)) {
        applyState(UIGestureRecognizerStateFailed);
        return;
      }
    }
  }
  applyState(state);
}

void UIGestureRecognizer::applyState(UIGestureRecognizerState state) {
  const auto keepAlive = shared_from_this();
  const bool leavingPossible = state_ == UIGestureRecognizerStatePossible;
  state_ = state;
  pendingState_.reset();
  if (leavingPossible && state != UIGestureRecognizerStateFailed) {
    recognized_ = true;
    for (const auto& peer : peers()) {
      if (peer->state_ == UIGestureRecognizerStatePossible &&
          !recognizesSimultaneouslyWith(*peer)) {
        peer->applyState(UIGestureRecognizerStateFailed);
      }
    }
  }
  if (state != UIGestureRecognizerStateFailed) sendActions();
  if (leavingPossible) {
    // Recognisers waiting for this one to fail can now decide.
    for (const auto& peer : peers()) {
      if (peer->pendingState_) peer->retryPending();
    }
  }
}

void UIGestureRecognizer::retryPending() {
  if (!pendingState_ || state_ != UIGestureRecognizerStatePossible) return;
  if (failureRequirementStatus() == 0) return;
  const UIGestureRecognizerState state = *pendingState_;
  pendingState_.reset();
  setState(state);
}

std::vector<std::shared_ptr<UIGestureRecognizer>> UIGestureRecognizer::peers() const {
  std::vector<std::shared_ptr<UIGestureRecognizer>> result;
  for (const auto& touch : touches()) {
    for (auto& recognizer : touch->gestureRecognizers()) {
      if (recognizer.get() == this || !recognizer->isReceivingTouches()) continue;
      if (std::find(result.begin(), result.end(), recognizer) == result.end()) {
        result.push_back(std::move(recognizer));
      }
    }
  }
  return result;
}

bool UIGestureRecognizer::mayBegin() {
  const auto view = view_.lock();
  for (const auto& touch : touches()) {
    auto* control = dynamic_cast<UIControl*>(touch->view().get());
    if (control != nullptr && control != view.get() &&
        !control->gestureRecognizerShouldBegin(*this)) {
      return false;
    }
  }
  auto delegate = delegate_.lock();
  return !delegate || delegate->gestureRecognizerShouldBegin(*this);
}

bool UIGestureRecognizer::recognizesSimultaneouslyWith(UIGestureRecognizer& other) {
  if (auto delegate = delegate_.lock();
      delegate &&
      delegate->gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(*this, other)) {
    return true;
  }
  auto otherDelegate = other.delegate_.lock();
  return otherDelegate &&
         otherDelegate->gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(other,
                                                                                            *this);
}

int UIGestureRecognizer::failureRequirementStatus() const {
  int status = -1;
  for (const auto& weak : failureRequirements_) {
    auto other = weak.lock();
    if (!other || !other->isReceivingTouches()) continue;
    if (other->recognized_) return 1;
    if (other->state_ == UIGestureRecognizerStatePossible) status = 0;
  }
  return status;
}

}  // namespace host
