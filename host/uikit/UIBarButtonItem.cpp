#include "uikit/UIBarButtonItem.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationButton.h"

namespace host {

namespace {

// The title a system item is shown with (the symbol items use a short stand-in).
std::string systemTitle(UIBarButtonSystemItem item) {
  switch (item) {
    case UIBarButtonSystemItemDone:
      return "Done";
    case UIBarButtonSystemItemCancel:
      return "Cancel";
    case UIBarButtonSystemItemEdit:
      return "Edit";
    case UIBarButtonSystemItemSave:
      return "Save";
    case UIBarButtonSystemItemUndo:
      return "Undo";
    case UIBarButtonSystemItemRedo:
      return "Redo";
    case UIBarButtonSystemItemAdd:
      return "+";
    case UIBarButtonSystemItemTrash:
      return "Trash";
    case UIBarButtonSystemItemSearch:
      return "Search";
    case UIBarButtonSystemItemRefresh:
      return "Refresh";
    default:
      return {};
  }
}

}  // namespace

HOST_CLASS(UIBarButtonItem, Object)

UIBarButtonItem::UIBarButtonItem(Class* cls) : Object(cls) {}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::withTitle(std::string title,
                                                            UIBarButtonItemStyle style,
                                                            Action action) {
  auto item = std::make_shared<UIBarButtonItem>();
  item->title_ = std::move(title);
  item->style_ = style;
  item->action_ = std::move(action);
  return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::withImage(std::shared_ptr<UIImage> image,
                                                            UIBarButtonItemStyle style,
                                                            Action action) {
  auto item = std::make_shared<UIBarButtonItem>();
  item->image_ = std::move(image);
  item->style_ = style;
  item->action_ = std::move(action);
  return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::withBarButtonSystemItem(
    UIBarButtonSystemItem systemItem, Action action) {
  auto item = std::make_shared<UIBarButtonItem>();
  item->systemItem_ = systemItem;
  item->style_ = systemItem == UIBarButtonSystemItemDone ? UIBarButtonItemStyleDone
                                                         : UIBarButtonItemStylePlain;
  item->action_ = std::move(action);
  return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::withCustomView(std::shared_ptr<UIView> view) {
  auto item = std::make_shared<UIBarButtonItem>();
  item->customView_ = std::move(view);
  return item;
}

std::string UIBarButtonItem::title() const {
  if (title_.empty() && systemItem_) return systemTitle(*systemItem_);
  return title_;
}

void UIBarButtonItem::setTitle(std::string title) {
  title_ = std::move(title);
  refreshButton();
}

void UIBarButtonItem::setImage(std::shared_ptr<UIImage> image) {
  image_ = std::move(image);
  refreshButton();
}

void UIBarButtonItem::setCustomView(std::shared_ptr<UIView> view) {
  if (customView_ == view) return;
  customView_ = std::move(view);
  if (auto bar = bar_.lock()) bar->itemsDidChange();
}

void UIBarButtonItem::setTintColor(std::shared_ptr<UIColor> color) {
  tintColor_ = std::move(color);
  if (button_) button_->setTintColor(tintColor_);
}

void UIBarButtonItem::setAction(Action action) {
  action_ = std::move(action);
  target_.reset();
  hasTarget_ = false;
}

void UIBarButtonItem::setTarget(const std::shared_ptr<Object>& target, Action action) {
  action_ = std::move(action);
  target_ = target;
  hasTarget_ = target != nullptr;
}

void UIBarButtonItem::sendAction() {
  if (!enabled_ || !action_) return;
  const auto target = target_.lock();  // kept alive while its action runs
  if (hasTarget_ && !target) return;
  auto action = action_;
  action(std::static_pointer_cast<UIBarButtonItem>(shared_from_this()));
}

std::shared_ptr<UIView> UIBarButtonItem::view() {
  if (customView_) return customView_;
  if (!button_) {
    auto button = std::make_shared<UINavigationButton>();
    button->setTapAction([weak = std::weak_ptr<Object>(shared_from_this())] {
      if (auto item = std::static_pointer_cast<UIBarButtonItem>(weak.lock())) {
        item->sendAction();
      }
    });
    button_ = std::move(button);
    button_->setTintColor(tintColor_);
    refreshButton();
  }
  return button_;
}

void UIBarButtonItem::refreshButton() {
  auto* button = dynamic_cast<UINavigationButton*>(button_.get());
  if (!button) return;
  button->setTitle(image_ ? std::string() : title());
  button->setImage(image_);
  button->setBold(style_ == UIBarButtonItemStyleDone);
  button->sizeToFit();
  if (auto bar = bar_.lock()) bar->setNeedsLayout();
}

}  // namespace host
