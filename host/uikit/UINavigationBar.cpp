#include "uikit/UINavigationBar.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UIColor.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIScreen.h"

namespace host {

HOST_CLASS(UINavigationBar, UIView)

UINavigationBar::UINavigationBar(Class* cls)
    : UIView(cls), backButton_(std::make_shared<UINavigationButton>()) {
  setFrame(CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, kHeight));
}

void UINavigationBar::goBack() {
  if (backAction_) {
    auto action = backAction_;
    action();
  } else {
    popNavigationItemAnimated(true);
  }
}

std::shared_ptr<UINavigationItem> UINavigationBar::topItem() const {
  return items_.empty() ? nullptr : items_.back();
}

std::shared_ptr<UINavigationItem> UINavigationBar::backItem() const {
  return items_.size() < 2 ? nullptr : items_[items_.size() - 2];
}

void UINavigationBar::attach(const std::shared_ptr<UINavigationItem>& item) {
  item->setNavigationBar(std::static_pointer_cast<UINavigationBar>(shared_from_this()));
}

void UINavigationBar::detach(const std::shared_ptr<UINavigationItem>& item) {
  if (item->navigationBar().get() == this) item->setNavigationBar(nullptr);
}

void UINavigationBar::setItems(std::vector<std::shared_ptr<UINavigationItem>> items,
                               bool /*animated*/) {
  std::erase(items, nullptr);
  for (const auto& item : items_)
    detach(item);
  items_ = std::move(items);
  for (const auto& item : items_)
    attach(item);
  itemsDidChange();
}

void UINavigationBar::pushNavigationItem(const std::shared_ptr<UINavigationItem>& item,
                                         bool /*animated*/) {
  if (!item || std::find(items_.begin(), items_.end(), item) != items_.end()) return;
  items_.push_back(item);
  attach(item);
  itemsDidChange();
}

std::shared_ptr<UINavigationItem> UINavigationBar::popNavigationItemAnimated(bool /*animated*/) {
  if (items_.empty()) return nullptr;
  auto item = items_.back();
  items_.pop_back();
  detach(item);
  itemsDidChange();
  return item;
}

std::shared_ptr<UINavigationButton> UINavigationBar::backButton() const {
  return showsBackButton_ ? backButton_ : nullptr;
}

void UINavigationBar::itemsDidChange() {
  const auto top = topItem();
  const auto back = backItem();
  showsBackButton_ = top && back && !top->hidesBackButton() && !top->leftBarButtonItem();
  if (showsBackButton_) {
    backButton_->setTitle(back->title().empty() ? "Back" : back->title());
    backButton_->setShowsBackIndicator(true);
    backButton_->setTapAction([weak = std::weak_ptr<Object>(shared_from_this())] {
      if (auto bar = std::static_pointer_cast<UINavigationBar>(weak.lock())) bar->goBack();
    });
  }

  std::shared_ptr<UIView> left;
  if (showsBackButton_) {
    left = backButton_;
  } else if (top && top->leftBarButtonItem()) {
    left = top->leftBarButtonItem()->view();
  }
  std::shared_ptr<UIView> title = top ? top->displayedTitleView() : nullptr;
  std::shared_ptr<UIView> right =
      top && top->rightBarButtonItem() ? top->rightBarButtonItem()->view() : nullptr;

  // Take away the views no longer shown (if they are still ours), then show the new ones.
  const std::vector<std::shared_ptr<UIView>> wanted{left, title, right};
  for (const auto& old : {leftView_, titleView_, rightView_}) {
    if (!old || std::find(wanted.begin(), wanted.end(), old) != wanted.end()) continue;
    if (old->superview().get() == this) old->removeFromSuperview();
  }
  leftView_ = std::move(left);
  titleView_ = std::move(title);
  rightView_ = std::move(right);
  for (const auto& view : wanted) {
    if (view && view->superview().get() != this) addSubview(view);
  }
  setNeedsLayout();
}

CGSize UINavigationBar::sizeThatFits(const CGSize& size) const {
  return CGSizeMake(size.width, kHeight);
}

void UINavigationBar::layoutSubviewsImpl() {
  const CGSize size = bounds().size;
  // A frame is set only when it changes, so that layout does not end the items' animations.
  const auto setFrame = [](const std::shared_ptr<UIView>& view, const CGRect& frame) {
    if (view->frame() != frame) view->setFrame(frame);
  };
  if (!background_) {
    background_ = std::make_shared<UIView>();
    background_->layer()->setName("_UIBarBackground");
    background_->setBackgroundColor(UIColor::colorWithRed(0.97, 0.97, 0.97, 1));
    background_->setUserInteractionEnabled(false);
    hairline_ = std::make_shared<UIView>();
    hairline_->setBackgroundColor(UIColor::colorWithWhite(0, 0.3));
    background_->addSubview(hairline_);
    insertSubview(background_, 0);
  }
  const double above = std::max(0.0, frame().origin.y);
  setFrame(background_, CGRectMake(0, -above, size.width, size.height + above));
  setFrame(hairline_, CGRectMake(0, size.height + above, size.width, 0.5));
  const auto place = [&](const std::shared_ptr<UIView>& view, CGFloat x, CGFloat width) {
    const CGFloat height = view->bounds().size.height;
    setFrame(view, CGRectMake(x, (size.height - height) / 2, width, height));
  };
  CGFloat leftEdge = kMargin;
  CGFloat rightEdge = size.width - kMargin;
  if (leftView_) {
    if (leftView_ == backButton_) backButton_->sizeToFit();
    const CGFloat width = leftView_->bounds().size.width;
    place(leftView_, kMargin, width);
    leftEdge = kMargin + width + kMargin;
  }
  if (rightView_) {
    const CGFloat width = rightView_->bounds().size.width;
    place(rightView_, size.width - kMargin - width, width);
    rightEdge = size.width - kMargin - width - kMargin;
  }
  if (titleView_) {
    const CGFloat room = std::max<CGFloat>(rightEdge - leftEdge, 0);
    CGSize wanted = titleView_->bounds().size;
    if (titleView_->isMemberOfClass(NSClassFromString("UINavigationItemView"))) {
      wanted = titleView_->sizeThatFits(CGSizeMake(room, size.height));
    }
    const CGFloat width = std::min(wanted.width, room);
    // Centred on the bar, moved only as far as needed to stay between the side items.
    const CGFloat x = std::max(leftEdge, std::min((size.width - width) / 2, rightEdge - width));
    setFrame(titleView_, CGRectMake(x, (size.height - wanted.height) / 2, width, wanted.height));
  }
}

}  // namespace host
