#include "menu/VLScrollView.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"

namespace vorlan {

namespace {
// The name of the layer of a subview that stays out of the fade-in.
constexpr std::string_view kErrorLayerName = "error";
// The pause between the starts of two subviews' fades.
constexpr double kFadeStep = 0.05;
}  // namespace

HOST_CLASS(VLScrollView, host::UIScrollView)

VLScrollView::VLScrollView(host::Class* cls) : host::UIScrollView(cls) {}

std::shared_ptr<VLScrollView> VLScrollView::make(const host::CGRect& frame) {
  auto view = std::make_shared<VLScrollView>();
  view->initWithFrame(frame);
  return view;
}

void VLScrollView::initWithFrame(const host::CGRect& frame) {
  setFrame(frame);
  canAnimate_ = true;
  setBackgroundColor(host::UIColor::clearColor());
  setUserInteractionEnabled(true);
  auto self = std::static_pointer_cast<VLScrollView>(shared_from_this());
  setDelegate(std::shared_ptr<host::UIScrollViewDelegate>(self, self.get()));
  setShowsHorizontalScrollIndicator(false);
  setShowsVerticalScrollIndicator(false);
  setClipsToBounds(true);
}

void VLScrollView::layoutSubviewsImpl() {
  host::UIScrollView::layoutSubviewsImpl();
  setContentSize({0, std::max(frame().size.height + 1, contentSize().height)});
}

void VLScrollView::didAddSubview(host::UIView* subview) {
  host::UIScrollView::didAddSubview(subview);
  const auto added = subview->frame();
  setContentSize({0, added.origin.y + added.size.height});
}

void VLScrollView::resetViewsForAnimation() {
  canAnimate_ = true;
  for (const auto& view : subviews())
    view->setAlpha(0);
}

void VLScrollView::animatedViewsForAnimationWithDuration(float duration, float delay) {
  if (!canAnimate_) return;
  canAnimate_ = false;
  int step = 0;
  for (const auto& view : subviews()) {
    if (view->layer()->name() == kErrorLayerName) continue;
    const double start = static_cast<double>(delay) + kFadeStep * step++;
    host::UIView::animateWithDuration(duration, start,
                                      host::UIViewAnimationOptionAllowUserInteraction,
                                      [&view] { view->setAlpha(1); });
  }
}

}  // namespace vorlan
