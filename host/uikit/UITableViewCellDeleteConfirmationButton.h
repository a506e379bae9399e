#pragma once

#include "uikit/UIControl.h"

namespace host {

// The button a row shows after a swipe to delete. Like every button it keeps single taps from
// tap recognisers on the views above it (a popup that closes on a tap, say), so a tap on it
// always reaches it.
class UITableViewCellDeleteConfirmationButton : public UIControl {
 public:
  static Class* objcClass();
  explicit UITableViewCellDeleteConfirmationButton(Class* cls = objcClass());

  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override {
    return !keepsSingleTapFrom(recognizer);
  }
};

}  // namespace host
