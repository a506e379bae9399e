#include "uikit/UIViewAnimation.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "uikit/AnimationTransaction.h"
#include "uikit/CALayer.h"
#include "uikit/UIView.h"

namespace host {

namespace {

// The animation blocks running now, innermost last. Animation blocks belong to the main thread.
std::vector<UIViewAnimation::Context>& contexts() {
  static std::vector<UIViewAnimation::Context> stack;
  return stack;
}

}  // namespace

const UIViewAnimation::Context* UIViewAnimation::current() {
  const auto& stack = contexts();
  if (stack.empty() || !stack.back().animates) return nullptr;
  return &stack.back();
}

TimingCurve UIViewAnimation::curveForOptions(UIViewAnimationOptions options) {
  switch ((options >> 16) & 0xF) {
    case 1:
      return TimingCurve::easeIn();
    case 2:
      return TimingCurve::easeOut();
    case 3:
      return TimingCurve::linear();
    default:
      return TimingCurve::easeInOut();
  }
}

void UIViewAnimation::run(Context context, const std::function<void()>& actions) {
  contexts().push_back(std::move(context));
  struct Pop {
    ~Pop() { contexts().pop_back(); }
  } pop;
  if (actions) actions();
}

void UIViewAnimation::animate(double duration, double delay, UIViewAnimationOptions options,
                              const std::function<void()>& animations,
                              std::function<void(bool)> completion) {
  auto transaction = std::make_shared<AnimationTransaction>(options, std::move(completion));
  const bool animates = duration > 0;
  run(Context{duration, delay, options, transaction, animates}, [&] {
    if (animations) animations();
    if ((options & UIViewAnimationOptionLayoutSubviews) != 0) {
      // Lay out what the block changed now, so that the subviews move along.
      for (const auto& layer : transaction->layers()) {
        if (auto view = layer->delegate()) view->layoutIfNeeded();
      }
    }
  });
  const bool autoreverses = (options & UIViewAnimationOptionAutoreverse) != 0;
  transaction->commit(std::max(delay, 0.0) + std::max(duration, 0.0) * (autoreverses ? 2 : 1));
}

void UIViewAnimation::transition(UIView& view, double duration, UIViewAnimationOptions options,
                                 const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
  auto transaction = std::make_shared<AnimationTransaction>(options, std::move(completion));
  // The changes show at once; the old contents fade into the new ones.
  run(Context{duration, 0, options, transaction, false}, animations);
  if (duration > 0) {
    run(Context{duration, 0, options, transaction, true},
        [&] { view.layer()->addAnimation(AnimatedProperty::Contents, 0.0, 1.0); });
  }
  transaction->commit(std::max(duration, 0.0));
}

void UIViewAnimation::performWithoutAnimation(const std::function<void()>& actions) {
  run(Context{}, actions);
}

}  // namespace host
