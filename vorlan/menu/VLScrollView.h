#pragma once

#include <memory>

#include "uikit/CGGeometry.h"
#include "uikit/UIScrollView.h"
#include "uikit/UIScrollViewDelegate.h"

namespace vorlan {

// A vertical scroll view whose subviews fade in one after another. It always scrolls a little
// (its content is at least one point taller than the view), and its content height follows the
// last subview added. It is its own delegate, so that subclasses can react to scrolling.
//
// A fade-in runs once: after it, another one does nothing until resetViewsForAnimation has made
// every subview transparent again. A subview whose layer is named "error" (a message shown in
// place of the content) is left as it is and takes no step of the fade-in.
class VLScrollView : public host::UIScrollView, public host::UIScrollViewDelegate {
 public:
  static host::Class* objcClass();
  explicit VLScrollView(host::Class* cls = objcClass());

  static std::shared_ptr<VLScrollView> make(const host::CGRect& frame);

  // Makes every subview transparent and allows the next fade-in.
  void resetViewsForAnimation();
  // Fades the subviews in, in order: the k-th one taken starts after delay + 0.05 * k seconds and
  // takes `duration`. Does nothing unless a fade-in may run.
  virtual void animatedViewsForAnimationWithDuration(float duration, float delay);
  bool canAnimate() const { return canAnimate_; }

  void didAddSubview(host::UIView* subview) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  bool canAnimate_ = true;
};

}  // namespace vorlan
