#include "config/vorlanConfiguarationScrollView.h"

#include "runtime/HostClass.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace vorlan {

HOST_CLASS(vorlanConfiguarationScrollView, VLScrollView)

vorlanConfiguarationScrollView::vorlanConfiguarationScrollView(host::Class* cls)
    : VLScrollView(cls) {}

std::shared_ptr<vorlanConfiguarationScrollView> vorlanConfiguarationScrollView::make(
    const host::CGRect& frame) {
  auto page = std::make_shared<vorlanConfiguarationScrollView>();
  page->initWithFrame(frame);
  return page;
}

void vorlanConfiguarationScrollView::initWithFrame(const host::CGRect& frame) {
  VLScrollView::initWithFrame(frame);
  const double width = frame.size.width;
  title_ = std::make_shared<host::UILabel>();
  title_->setFrame(host::CGRectMake(5, 20, width - 10, 60));
  title_->setText(kTitle);
  title_->setFont(host::UIFont::systemFontOfSize(42));
  // A narrow screen shrinks the title rather than cutting it.
  title_->setAdjustsFontSizeToFitWidth(true);
  title_->setMinimumScaleFactor(0.2);
  title_->setTextColor(host::UIColor::colorWithWhite(1, 0.8));
  title_->setTextAlignment(host::NSTextAlignment::Center);
  addSubview(title_);
  // Everything starts transparent; showing the page fades it in.
  resetViewsForAnimation();
}

}  // namespace vorlan
