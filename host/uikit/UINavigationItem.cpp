#include "uikit/UINavigationItem.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationItemView.h"

namespace host {

namespace {
constexpr double kFadeDuration = 0.25;
}  // namespace

HOST_CLASS_WITH(UINavigationItem, Object, [](Class* c) {
  registerIvar(c, "_defaultTitleView", &UINavigationItem::defaultTitleView_);
})

UINavigationItem::UINavigationItem(Class* cls)
    : Object(cls), defaultTitleView_(std::make_shared<UINavigationItemView>()) {}

std::shared_ptr<UINavigationItem> UINavigationItem::withTitle(std::string title) {
  auto item = std::make_shared<UINavigationItem>();
  item->setTitle(std::move(title));
  return item;
}

void UINavigationItem::setTitle(std::string title) {
  title_ = std::move(title);
  if (auto* view = dynamic_cast<UINavigationItemView*>(defaultTitleView_.get())) {
    view->setTitle(title_);
    view->sizeToFit();
  }
  changed(nullptr, false);
}

void UINavigationItem::setTitleView(std::shared_ptr<UIView> view) {
  if (titleView_ == view) return;
  titleView_ = std::move(view);
  changed(nullptr, false);
}

const std::shared_ptr<UIView>& UINavigationItem::displayedTitleView() const {
  return titleView_ ? titleView_ : defaultTitleView_;
}

void UINavigationItem::setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated) {
  if (left_ == item) return;
  if (left_) left_->setNavigationBar(nullptr);
  left_ = std::move(item);
  if (left_) left_->setNavigationBar(bar_.lock());
  changed(left_, animated);
}

void UINavigationItem::setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated) {
  if (right_ == item) return;
  if (right_) right_->setNavigationBar(nullptr);
  right_ = std::move(item);
  if (right_) right_->setNavigationBar(bar_.lock());
  changed(right_, animated);
}

void UINavigationItem::setHidesBackButton(bool hides, bool /*animated*/) {
  if (hidesBackButton_ == hides) return;
  hidesBackButton_ = hides;
  changed(nullptr, false);
}

void UINavigationItem::setNavigationBar(const std::shared_ptr<UINavigationBar>& bar) {
  bar_ = bar;
  if (left_) left_->setNavigationBar(bar);
  if (right_) right_->setNavigationBar(bar);
}

void UINavigationItem::changed(const std::shared_ptr<UIBarButtonItem>& appearing, bool animated) {
  const auto bar = bar_.lock();
  if (!bar || bar->topItem().get() != this) return;
  bar->itemsDidChange();
  if (appearing && animated) {
    const auto view = appearing->view();
    UIView::performWithoutAnimation([&] { view->setAlpha(0); });
    UIView::animateWithDuration(kFadeDuration, [&] { view->setAlpha(1); });
  }
}

}  // namespace host
