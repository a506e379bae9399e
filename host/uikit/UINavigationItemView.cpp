#include "uikit/UINavigationItemView.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace host {

HOST_CLASS_WITH(UINavigationItemView, UIView,
                [](Class* c) { registerIvar(c, "_label", &UINavigationItemView::label_); })

UINavigationItemView::UINavigationItemView(Class* cls)
    : UIView(cls), label_(std::make_shared<UILabel>()) {
  label_->setFont(UIFont::boldSystemFontOfSize(17));
  label_->setTextColor(UIColor::blackColor());
}

// Subviews cannot be added while the view is being made (it is not shared yet): the label joins
// the view when first needed.
void UINavigationItemView::installLabel() {
  if (label_->superview().get() != this) addSubview(label_);
}

void UINavigationItemView::didMoveToSuperview() {
  UIView::didMoveToSuperview();
  installLabel();
}

void UINavigationItemView::setTitle(const std::string& title) {
  label_->setText(title);
  installLabel();
  setNeedsLayout();
}

CGSize UINavigationItemView::sizeThatFits(const CGSize& size) const {
  return label_->sizeThatFits(size);
}

void UINavigationItemView::layoutSubviewsImpl() {
  installLabel();
  label_->setFrame(bounds());
}

}  // namespace host
