#pragma once

#include <cstddef>

#include "uikit/UIGestureRecognizer.h"

namespace host {

using UISwipeGestureRecognizerDirection = unsigned long;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionRight = 1 << 0;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionLeft = 1 << 1;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionUp = 1 << 2;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionDown = 1 << 3;

// A discrete, quick stroke in one of the allowed directions (right by default). It recognises as
// soon as the finger has gone kMinimumDistance points that way, within kMaximumDuration seconds
// of touching down, keeping within about 27 degrees of the direction (sideways at most half the
// distance). It fails when the time runs out, when the first kDecisionDistance points of
// movement head mostly in a direction not allowed, or when the finger lifts first.
class UISwipeGestureRecognizer : public UIGestureRecognizer {
 public:
  static constexpr double kMinimumDistance = 50;   // points
  static constexpr double kMaximumDuration = 0.5;  // seconds
  static constexpr double kDecisionDistance = 10;  // points

  static Class* objcClass();
  explicit UISwipeGestureRecognizer(Class* cls = objcClass());

  UISwipeGestureRecognizerDirection direction() const { return direction_; }
  void setDirection(UISwipeGestureRecognizerDirection direction) { direction_ = direction; }
  // One finger is all the pipeline delivers; more makes the recogniser fail.
  std::size_t numberOfTouchesRequired() const { return touchesRequired_; }
  void setNumberOfTouchesRequired(std::size_t touches) { touchesRequired_ = touches; }

 protected:
  void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
  void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

 private:
  void evaluate(const UITouch& touch, bool lifted);

  UISwipeGestureRecognizerDirection direction_ = UISwipeGestureRecognizerDirectionRight;
  std::size_t touchesRequired_ = 1;
  CGPoint start_;
  double startTime_ = 0;
};

}  // namespace host
