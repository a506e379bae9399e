#include "uikit/TouchDispatcher.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "uikit/UIEvent.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UITouch.h"
#include "uikit/UIWindow.h"

namespace host {

void TouchDispatcher::attach(UITouch& touch, UIWindow& window) {
  std::shared_ptr<UIView> hit = window.hitTest(touch.locationInWindow(), nullptr);
  touch.setView(hit);
  std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers;
  for (auto view = hit; view; view = view->superview()) {
    const auto own = view->gestureRecognizers();
    for (const auto& recognizer : own) {
      recognizer->resetIfFinished();
      if (recognizer->shouldReceiveTouch(touch)) recognizers.push_back(recognizer);
    }
  }
  touch.setGestureRecognizers(recognizers);
}

void TouchDispatcher::dispatch(UITouch& touch, UIEvent& event) {
  const auto self = std::static_pointer_cast<UITouch>(touch.shared_from_this());
  const UITouchSet touches{self};
  const UITouchPhase phase = touch.phase();
  const bool lastPhase = phase == UITouchPhaseEnded || phase == UITouchPhaseCancelled;

  const auto recognizers = touch.gestureRecognizers();
  for (const auto& recognizer : recognizers)
    recognizer->handleTouches(phase, touches, &event);
  if (lastPhase) {
    for (const auto& recognizer : recognizers)
      recognizer->touchSequenceDidEnd();
  }

  if (!touch.isCancelledForView() &&
      std::any_of(recognizers.begin(), recognizers.end(),
                  [](const auto& r) { return r->hasRecognized() && r->cancelsTouchesInView(); })) {
    cancelForView(touch, event);
  }

  const std::shared_ptr<UIView> view = touch.view();
  if (view && !touch.isCancelledForView()) {
    if (!touch.viewReceivedBegan()) {
      const bool delayed = std::any_of(recognizers.begin(), recognizers.end(), [](const auto& r) {
        return r->delaysTouchesBegan() && r->isEnabled() &&
               r->state() == UIGestureRecognizerStatePossible;
      });
      if (!delayed) {
        touch.setViewReceivedBegan();
        view->touchesBegan(touches, &event);
      }
    }
    if (touch.viewReceivedBegan() && !touch.isCancelledForView()) {
      switch (phase) {
        case UITouchPhaseBegan:
          break;
        case UITouchPhaseMoved:
        case UITouchPhaseStationary:
          view->touchesMoved(touches, &event);
          break;
        case UITouchPhaseEnded:
          view->touchesEnded(touches, &event);
          break;
        case UITouchPhaseCancelled:
          view->touchesCancelled(touches, &event);
          break;
      }
    }
  }

  if (lastPhase) {
    for (const auto& recognizer : recognizers)
      recognizer->scheduleReset();
  }
}

void TouchDispatcher::cancelForView(UITouch& touch, UIEvent& event) {
  touch.setCancelledForView();
  if (!touch.viewReceivedBegan() || !touch.view()) return;
  const auto self = std::static_pointer_cast<UITouch>(touch.shared_from_this());
  const std::shared_ptr<UIView> view = touch.view();
  view->touchesCancelled({self}, &event);
}

}  // namespace host
