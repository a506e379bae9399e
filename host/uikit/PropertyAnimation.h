#pragma once

#include <memory>
#include <variant>

#include "uikit/CGGeometry.h"
#include "uikit/TimingCurve.h"

namespace host {

class AnimationTransaction;
class UIColor;

// The layer properties that block animations change over time. Contents stands for a
// cross-dissolve transition: its value is the fraction of the new contents shown.
enum class AnimatedProperty { Position, Bounds, Transform, Opacity, BackgroundColor, Contents };

using AnimatedValue =
    std::variant<double, CGPoint, CGRect, CGAffineTransform, std::shared_ptr<UIColor>>;

// One running animation of one layer property: from a value to a value, from a begin time over
// a duration along a timing curve, possibly repeating and reversing.
class PropertyAnimation {
 public:
  struct Timing {
    double beginTime = 0;  // seconds on the main run loop's clock
    double duration = 0;
    TimingCurve curve = TimingCurve::easeInOut();
    bool repeats = false;
    bool autoreverses = false;
  };

  PropertyAnimation(AnimatedProperty property, AnimatedValue from, AnimatedValue to, Timing timing,
                    std::shared_ptr<AnimationTransaction> transaction);

  AnimatedProperty property() const { return property_; }
  const AnimatedValue& from() const { return from_; }
  const AnimatedValue& to() const { return to_; }
  const Timing& timing() const { return timing_; }
  const std::shared_ptr<AnimationTransaction>& transaction() const { return transaction_; }

  // Infinite for a repeating animation.
  double endTime() const;
  bool hasEnded(double now) const { return now >= endTime(); }
  // The fraction of the change shown at `now`: 0 before the begin time (the start value holds
  // through the delay), then along the curve.
  double fractionAt(double now) const;
  // The animated value at `now`; meaningful until the animation ends.
  AnimatedValue valueAt(double now) const;

  // Values of the same kind, `fraction` of the way; transforms are interpolated through their
  // scale, rotation (the short way round), shear and translation, as Core Animation does.
  static AnimatedValue interpolate(const AnimatedValue& from, const AnimatedValue& to,
                                   double fraction);

 private:
  AnimatedProperty property_;
  AnimatedValue from_;
  AnimatedValue to_;
  Timing timing_;
  std::shared_ptr<AnimationTransaction> transaction_;
};

}  // namespace host
