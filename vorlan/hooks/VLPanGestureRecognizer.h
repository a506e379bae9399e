#pragma once

#include <memory>

#include "runtime/Selector.h"
#include "uikit/UIGestureRecognizerDelegate.h"
#include "uikit/UIPanGestureRecognizer.h"

namespace vorlan {

// The swipe recogniser every list cell carries. It is its own delegate: it recognises together
// with any other recogniser (so the table keeps scrolling) except one on the app's root view,
// so that a cell swipe and the root-view pan never run at once.
class VLPanGestureRecognizer : public host::UIPanGestureRecognizer,
                               public host::UIGestureRecognizerDelegate {
 public:
  static host::Class* objcClass();
  explicit VLPanGestureRecognizer(host::Class* cls = objcClass());

  // initWithTarget:action: sends `action` (void(std::shared_ptr<UIGestureRecognizer>)) to the
  // target, held weakly, on every state change.
  static std::shared_ptr<VLPanGestureRecognizer> initWithTarget(
      const std::shared_ptr<host::Object>& target, host::Selector action);

  bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
      host::UIGestureRecognizer& recognizer, host::UIGestureRecognizer& other) override;
};

}  // namespace vorlan
