#pragma once

namespace host {

class UIGestureRecognizer;
class UITouch;

// What a gesture recogniser asks its delegate. Every method is optional: the defaults answer as
// UIKit does when the delegate does not implement it.
class UIGestureRecognizerDelegate {
 public:
  virtual ~UIGestureRecognizerDelegate() = default;

  // gestureRecognizerShouldBegin: asked when the recogniser leaves the possible state; false
  // makes it fail.
  virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer& /*recognizer*/) { return true; }
  // gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer: either recogniser's
  // delegate answering true lets both recognise on the same touches.
  virtual bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
      UIGestureRecognizer& /*recognizer*/, UIGestureRecognizer& /*other*/) {
    return false;
  }
  // gestureRecognizer:shouldReceiveTouch: asked at touch-down; false keeps the touch from it.
  virtual bool gestureRecognizerShouldReceiveTouch(UIGestureRecognizer& /*recognizer*/,
                                                   UITouch& /*touch*/) {
    return true;
  }
};

}  // namespace host
