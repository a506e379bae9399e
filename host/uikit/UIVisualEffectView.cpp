#include "uikit/UIVisualEffectView.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIVisualEffect.h"

namespace host {

HOST_CLASS(UIVisualEffectView, UIView)

UIVisualEffectView::UIVisualEffectView(Class* cls)
    : UIVisualEffectView(std::shared_ptr<UIVisualEffect>(), cls) {}

UIVisualEffectView::UIVisualEffectView(std::shared_ptr<UIVisualEffect> effect, Class* cls)
    : UIView(cls), effect_(std::move(effect)), contentView_(std::make_shared<UIView>()) {}

UIVisualEffectView::~UIVisualEffectView() = default;

void UIVisualEffectView::setEffect(std::shared_ptr<UIVisualEffect> effect) {
  effect_ = std::move(effect);
  setNeedsDisplay();
}

const std::shared_ptr<UIView>& UIVisualEffectView::contentView() {
  attachContentView();
  return contentView_;
}

void UIVisualEffectView::didMoveToSuperview() {
  attachContentView();
}

void UIVisualEffectView::layoutSubviewsImpl() {
  attachContentView();
  contentView_->setFrame(bounds());
}

// The content view cannot be added while the constructor runs (the view is not shared yet).
void UIVisualEffectView::attachContentView() {
  if (contentView_->superview().get() == this || weak_from_this().expired()) return;
  contentView_->setFrame(bounds());
  insertSubview(contentView_, 0);
}

}  // namespace host
