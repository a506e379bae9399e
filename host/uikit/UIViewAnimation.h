#pragma once

#include <functional>
#include <memory>

#include "uikit/TimingCurve.h"

namespace host {

class AnimationTransaction;
class UIView;

// Options of block animations, with UIKit's bit values.
using UIViewAnimationOptions = unsigned long;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionLayoutSubviews = 1 << 0;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowUserInteraction = 1 << 1;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionBeginFromCurrentState = 1 << 2;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionRepeat = 1 << 3;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAutoreverse = 1 << 4;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseIn = 1 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseOut = 2 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionNone = 0 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionCrossDissolve = 5 << 20;

// The block-animation machinery behind UIView's animation class methods.
//
// As in UIKit, the animations block runs at once and the model values change at once. Every
// animatable property (position, bounds, transform, opacity, background colour) that a block sets
// on a view's layer gets an animation from its presentation value at that moment to the new model
// value, starting after the delay. Setting a property again, even to the value it has, animates
// again. One animation per property and layer runs at a time: a newer one replaces the running
// one and starts from the value on screen (UIKit would add the two; replacing is what the user
// sees, and makes every animation begin from the current state). A property set outside any
// animation block jumps, ending its running animation.
//
// Completions run on the main run loop: when the animations end, with finished = true; with
// false when any of them was removed or replaced before its end (on the next turn when all of
// them were). A block that animates nothing, or has a duration of zero or less, completes on the
// next turn of the run loop with finished = true. Completions due at the same time run in the
// order their blocks ran. A repeating animation never completes unless removed.
class UIViewAnimation {
 public:
  // The parameters of the innermost animation block running now.
  struct Context {
    double duration = 0;
    double delay = 0;
    UIViewAnimationOptions options = 0;
    std::shared_ptr<AnimationTransaction> transaction;
    bool animates = false;  // false inside performWithoutAnimation and transition blocks
  };

  static void animate(double duration, double delay, UIViewAnimationOptions options,
                      const std::function<void()>& animations,
                      std::function<void(bool)> completion);
  // Changes made by `animations` apply at once; the view's contents cross-dissolve (recorded as
  // a running "transition" animation on its layer) over the duration.
  static void transition(UIView& view, double duration, UIViewAnimationOptions options,
                         const std::function<void()>& animations,
                         std::function<void(bool)> completion);
  static void performWithoutAnimation(const std::function<void()>& actions);

  // The block whose changes are being animated now, or nullptr when changes apply at once.
  static const Context* current();
  static TimingCurve curveForOptions(UIViewAnimationOptions options);

 private:
  static void run(Context context, const std::function<void()>& actions);
};

}  // namespace host
