#include "uikit/UINavigationButton.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIFont.h"
#include "uikit/UIGlyphView.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"

namespace host {

namespace {
constexpr double kFontSize = 17;
constexpr double kIndicatorWidth = 12.5;
constexpr double kIndicatorHeight = 21;
constexpr double kIndicatorGap = 6;
}  // namespace

HOST_CLASS(UINavigationButton, UIControl)

UINavigationButton::UINavigationButton(Class* cls)
    : UIControl(cls), titleLabel_(std::make_shared<UILabel>()) {
  titleLabel_->setFont(UIFont::systemFontOfSize(kFontSize));
  titleLabel_->setUserInteractionEnabled(false);
  addAction(
      [](const std::shared_ptr<UIControl>& sender, UIEvent*) {
        if (auto* button = dynamic_cast<UINavigationButton*>(sender.get())) button->tap();
      },
      UIControlEventTouchUpInside);
}

// Subviews cannot be added while the button is being made (it is not shared yet): the label joins
// it when first needed.
void UINavigationButton::installLabel() {
  if (titleLabel_->superview().get() != this) addSubview(titleLabel_);
}

void UINavigationButton::didMoveToSuperview() {
  UIControl::didMoveToSuperview();
  installLabel();
}

std::string UINavigationButton::title() const {
  return titleLabel_->text();
}

void UINavigationButton::setTitle(const std::string& title) {
  titleLabel_->setText(title);
  installLabel();
  setNeedsLayout();
}

void UINavigationButton::setImage(std::shared_ptr<UIImage> image) {
  image_ = std::move(image);
  setNeedsLayout();
}

void UINavigationButton::setBold(bool bold) {
  titleLabel_->setFont(bold ? UIFont::boldSystemFontOfSize(kFontSize)
                            : UIFont::systemFontOfSize(kFontSize));
  setNeedsLayout();
}

void UINavigationButton::setShowsBackIndicator(bool shows) {
  if (shows == showsBackIndicator()) return;
  if (shows) {
    backIndicator_ =
        UIGlyphView::make(UIGlyphView::Shape::BackChevron, "UINavigationBarBackIndicatorView",
                          CGRectMake(0, 0, kIndicatorWidth, kIndicatorHeight));
    backIndicator_->setUserInteractionEnabled(false);
    addSubview(backIndicator_);
  } else {
    backIndicator_->removeFromSuperview();
    backIndicator_.reset();
  }
  setNeedsLayout();
}

void UINavigationButton::tap() {
  // The action may release this button (a pop takes the bar's items away).
  const auto keep = shared_from_this();
  if (tapAction_) {
    auto action = tapAction_;
    action();
  }
}

CGSize UINavigationButton::sizeThatFits(const CGSize& size) const {
  CGSize content = titleLabel_->sizeThatFits(size);
  if (image_) {
    content.width = std::max<CGFloat>(content.width, image_->width());
    content.height = std::max<CGFloat>(content.height, image_->height());
  }
  if (backIndicator_) {
    content.width += kIndicatorWidth + kIndicatorGap;
    content.height = std::max<CGFloat>(content.height, kIndicatorHeight);
  }
  return CGSizeMake(content.width + 2 * kPadding, std::max<CGFloat>(content.height, 30));
}

void UINavigationButton::layoutSubviewsImpl() {
  installLabel();
  titleLabel_->setTextColor(tintColor());
  const CGSize size = bounds().size;
  const CGSize text = titleLabel_->sizeThatFits(size);
  if (backIndicator_) {
    // The chevron at the leading edge, the title right after it.
    backIndicator_->setFrame(CGRectMake(kPadding, (size.height - kIndicatorHeight) / 2,
                                        kIndicatorWidth, kIndicatorHeight));
    backIndicator_->setTintColor(tintColor());
    titleLabel_->setFrame(CGRectMake(kPadding + kIndicatorWidth + kIndicatorGap,
                                     (size.height - text.height) / 2, text.width, text.height));
    return;
  }
  titleLabel_->setFrame(CGRectMake((size.width - text.width) / 2, (size.height - text.height) / 2,
                                   text.width, text.height));
}

}  // namespace host
