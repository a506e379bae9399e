#include "uikit/AnimationTransaction.h"

#include <utility>

#include "foundation/RunLoop.h"
#include "uikit/CALayer.h"

namespace host {

AnimationTransaction::AnimationTransaction(UIViewAnimationOptions options,
                                           std::function<void(bool)> completion)
    : options_(options), completion_(std::move(completion)) {}

void AnimationTransaction::animationAdded(const std::shared_ptr<CALayer>& layer) {
  ++started_;
  layers_.push_back(layer);
}

void AnimationTransaction::animationInterrupted() {
  ++interrupted_;
  if (committed_ && interrupted_ >= started_ && !complete_) {
    RunLoop::main().dispatchAsync([self = shared_from_this()] { self->finish(false); });
  }
}

void AnimationTransaction::commit(double endsAfter) {
  committed_ = true;
  if (started_ == 0) {
    RunLoop::main().dispatchAsync([self = shared_from_this()] { self->finish(true); });
  } else if (interrupted_ >= started_) {
    RunLoop::main().dispatchAsync([self = shared_from_this()] { self->finish(false); });
  } else if (!repeats()) {
    RunLoop::main().performAfter(
        endsAfter, [self = shared_from_this()] { self->finish(self->interrupted_ == 0); });
  }
}

std::vector<std::shared_ptr<CALayer>> AnimationTransaction::layers() const {
  std::vector<std::shared_ptr<CALayer>> out;
  for (const auto& weak : layers_) {
    if (auto layer = weak.lock()) out.push_back(std::move(layer));
  }
  return out;
}

void AnimationTransaction::finish(bool finished) {
  if (complete_) return;
  complete_ = true;
  // The animations that ran to their end leave the layers, so that the presentation is the model
  // again and nothing keeps the completion (or what it captured) alive.
  for (const auto& layer : layers()) {
    layer->forgetAnimationsOf(*this);
  }
  layers_.clear();
  auto completion = std::exchange(completion_, nullptr);
  if (completion) completion(finished);
}

}  // namespace host
