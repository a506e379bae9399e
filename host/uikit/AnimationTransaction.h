#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "uikit/UIViewAnimation.h"

namespace host {

class CALayer;

// The animations started by one animation block, and its completion: called once, when they
// end or once all of them were cut short.
class AnimationTransaction : public std::enable_shared_from_this<AnimationTransaction> {
 public:
  AnimationTransaction(UIViewAnimationOptions options, std::function<void(bool)> completion);
  AnimationTransaction(const AnimationTransaction&) = delete;
  AnimationTransaction& operator=(const AnimationTransaction&) = delete;

  UIViewAnimationOptions options() const { return options_; }
  bool allowsUserInteraction() const {
    return (options_ & UIViewAnimationOptionAllowUserInteraction) != 0;
  }
  bool repeats() const { return (options_ & UIViewAnimationOptionRepeat) != 0; }
  bool isComplete() const { return complete_; }

  // An animation of this block started on `layer`.
  void animationAdded(const std::shared_ptr<CALayer>& layer);
  // One of its animations was removed or replaced before its end.
  void animationInterrupted();
  // The block has run: schedules the completion `endsAfter` seconds from now, or for the next
  // turn of the run loop when nothing was animated.
  void commit(double endsAfter);
  // The layers whose animations this block started (some may be gone).
  std::vector<std::shared_ptr<CALayer>> layers() const;

 private:
  void finish(bool finished);

  UIViewAnimationOptions options_;
  std::function<void(bool)> completion_;
  std::vector<std::weak_ptr<CALayer>> layers_;
  int started_ = 0;
  int interrupted_ = 0;
  bool committed_ = false;
  bool complete_ = false;
};

}  // namespace host
