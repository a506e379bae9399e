#include "springboard/SBIconView.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/NSParagraphStyle.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"

namespace host {

HOST_CLASS(SBIconView, UIControl)

SBIconView::SBIconView(Class* cls)
    : UIControl(cls), image_(std::make_shared<UIImageView>()), label_(std::make_shared<UILabel>()) {
  setBounds({CGPointZero, {kWidth, kHeight}});
  image_->setUserInteractionEnabled(false);
  image_->setBackgroundColor(UIColor::whiteColor());
  image_->layer()->setCornerRadius(13.5);
  image_->layer()->setMasksToBounds(true);
  label_->setUserInteractionEnabled(false);
  label_->setFont(UIFont::systemFontOfSize(12));
  label_->setTextColor(UIColor::whiteColor());
  label_->setTextAlignment(NSTextAlignment::Center);
  addAction(
      [](const std::shared_ptr<UIControl>& sender, UIEvent*) {
        const auto icon = std::dynamic_pointer_cast<SBIconView>(sender);
        if (icon && icon->openAction_) {
          auto action = icon->openAction_;
          action(icon->bundleIdentifier_);
        }
      },
      UIControlEventTouchUpInside);
}

std::shared_ptr<SBIconView> SBIconView::make(std::string bundleIdentifier, std::string name,
                                             std::shared_ptr<UIImage> icon) {
  auto view = std::make_shared<SBIconView>();
  view->bundleIdentifier_ = std::move(bundleIdentifier);
  view->label_->setText(std::move(name));
  view->image_->setImage(std::move(icon));
  view->addSubview(view->image_);
  view->addSubview(view->label_);
  return view;
}

void SBIconView::layoutSubviewsImpl() {
  const CGSize size = bounds().size;
  image_->setFrame(CGRectMake((size.width - kIconSize) / 2, 0, kIconSize, kIconSize));
  label_->setFrame(CGRectMake(0, kIconSize + 4, size.width, 16));
}

}  // namespace host
