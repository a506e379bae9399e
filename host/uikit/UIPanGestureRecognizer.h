#pragma once

#include <cstddef>
#include <limits>
#include <vector>

#include "uikit/UIGestureRecognizer.h"

namespace host {

// A continuous drag: begins once the finger has moved kHysteresis points from where it came
// down, changes with every move, ends when it lifts. Translation and velocity are measured in
// the window and converted into the view asked for (nullptr: the window). The translation counts
// from touch-down (the hysteresis included) unless reset with setTranslation. The velocity, in
// points per second on the main run loop's clock, is the movement over the last
// kVelocityWindow seconds (or since the move before the latest, if that was longer ago).
class UIPanGestureRecognizer : public UIGestureRecognizer {
 public:
  static constexpr double kHysteresis = 10;       // points
  static constexpr double kVelocityWindow = 0.1;  // seconds

  static Class* objcClass();
  explicit UIPanGestureRecognizer(Class* cls = objcClass());

  // The pipeline delivers one finger: a minimum above one keeps the pan from beginning.
  std::size_t minimumNumberOfTouches() const { return minimumTouches_; }
  void setMinimumNumberOfTouches(std::size_t touches) { minimumTouches_ = touches; }
  std::size_t maximumNumberOfTouches() const { return maximumTouches_; }
  void setMaximumNumberOfTouches(std::size_t touches) { maximumTouches_ = touches; }

  CGPoint translationInView(const UIView* view) const;
  void setTranslation(const CGPoint& translation, const UIView* view);
  CGPoint velocityInView(const UIView* view) const;

 protected:
  void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
  void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
  void reset() override;

 private:
  struct Sample {
    CGPoint location;  // in the window
    double time = 0;
  };

  void addSample(const UITouch& touch);
  // A vector in the window as seen in `view`, and back.
  CGPoint vectorToView(const CGPoint& vector, const UIView* view) const;
  CGPoint vectorFromView(const CGPoint& vector, const UIView* view) const;

  std::size_t minimumTouches_ = 1;
  std::size_t maximumTouches_ = std::numeric_limits<std::size_t>::max();
  CGPoint start_;
  CGPoint translationOrigin_;
  std::vector<Sample> samples_;
};

}  // namespace host
