#include "panels/KeypadAnimations.h"

#include "uikit/UIView.h"

namespace vorlan {

using host::CGAffineTransform;
using host::UIView;

// A key takes touches while it appears, so a digit typed before it settles is not lost.
constexpr auto kTouchable = host::UIViewAnimationOptionAllowUserInteraction;

void animateView(const std::shared_ptr<UIView>& view, double duration, double delay) {
  if (!view) return;
  UIView::animateWithDuration(duration / 5, delay,
                              host::UIViewAnimationOptionCurveEaseOut | kTouchable,
                              [&view] { view->setAlpha(1); });
  view->setTransform(CGAffineTransform::makeScale(0.1, 0.1));
  std::weak_ptr<UIView> weakView = view;
  UIView::animateWithDuration(
      duration, delay, host::UIViewAnimationOptionCurveEaseIn | kTouchable,
      [&view] { view->setTransform(CGAffineTransform::makeScale(1.2, 1.2)); },
      [weakView, duration](bool) {
        auto settled = weakView.lock();
        if (!settled) return;
        UIView::animateWithDuration(
            duration * 3 / 4, 0, host::UIViewAnimationOptionCurveEaseOut | kTouchable,
            [&settled] { settled->setTransform(host::CGAffineTransformIdentity); });
      });
}

void animateForClosingView(const std::shared_ptr<UIView>& view, double duration, double delay) {
  if (!view) return;
  UIView::animateWithDuration(duration, delay, host::UIViewAnimationOptionCurveEaseOut,
                              [&view] { view->setAlpha(0); });
  std::weak_ptr<UIView> weakView = view;
  UIView::animateWithDuration(
      duration, delay, host::UIViewAnimationOptionCurveEaseIn,
      [&view] { view->setTransform(CGAffineTransform::makeScale(0.1, 0.1)); },
      [weakView](bool) {
        if (auto closed = weakView.lock()) closed->setTransform(host::CGAffineTransformIdentity);
      });
}

}  // namespace vorlan
