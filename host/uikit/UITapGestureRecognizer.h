#pragma once

#include <cstddef>

#include "uikit/UIGestureRecognizer.h"

namespace host {

// A discrete tap: recognised when the finger lifts having stayed within kAllowableMovement points
// of where it came down and within kMaximumTapDuration seconds. Taps in quick succession count
// up the touch's tapCount (see TouchInjector); with numberOfTapsRequired n the recogniser
// recognises the n-th, 2n-th, ... tap of a run and fails the others.
class UITapGestureRecognizer : public UIGestureRecognizer {
 public:
  static constexpr double kAllowableMovement = 10;     // points
  static constexpr double kMaximumTapDuration = 0.75;  // seconds

  static Class* objcClass();
  explicit UITapGestureRecognizer(Class* cls = objcClass());

  std::size_t numberOfTapsRequired() const { return tapsRequired_; }
  void setNumberOfTapsRequired(std::size_t taps) { tapsRequired_ = taps == 0 ? 1 : taps; }
  // One finger is all the pipeline delivers; more makes the recogniser fail.
  std::size_t numberOfTouchesRequired() const { return touchesRequired_; }
  void setNumberOfTouchesRequired(std::size_t touches) {
    touchesRequired_ = touches == 0 ? 1 : touches;
  }

  bool isSingleTap() const override { return tapsRequired_ == 1 && touchesRequired_ == 1; }

 protected:
  void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
  void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

 private:
  bool strayed(const UITouch& touch) const;

  std::size_t tapsRequired_ = 1;
  std::size_t touchesRequired_ = 1;
  CGPoint start_;
  double startTime_ = 0;
};

}  // namespace host
