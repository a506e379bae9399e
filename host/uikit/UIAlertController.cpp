#include "uikit/UIAlertController.h"

#include <algorithm>

#include "foundation/Log.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UIScreen.h"
#include "uikit/UITextField.h"
#include "uikit/UIView.h"

namespace host {

namespace {

constexpr double kSheetButtonHeight = 57;
constexpr double kInset = 16;
constexpr double kHeaderMargin = 20;
constexpr double kTextFieldHeight = 24;
constexpr double kSheetMargin = 8;

}  // namespace

HOST_CLASS(UIAlertController, UIViewController)

UIAlertController::UIAlertController(Class* cls) : UIViewController(cls) {
  setModalPresentationStyle(UIModalPresentationCustom);
}

std::shared_ptr<UIAlertController> UIAlertController::alertControllerWithTitle(
    std::string title, std::string message, UIAlertControllerStyle style) {
  auto alert = std::make_shared<UIAlertController>();
  alert->setTitle(std::move(title));
  alert->message_ = std::move(message);
  alert->style_ = style;
  return alert;
}

void UIAlertController::setMessage(std::string message) {
  message_ = std::move(message);
  rebuildContent();
}

void UIAlertController::addAction(std::shared_ptr<UIAlertAction> action) {
  if (!action) return;
  if (action->style() == UIAlertActionStyleCancel &&
      std::any_of(actions_.begin(), actions_.end(),
                  [](const auto& a) { return a->style() == UIAlertActionStyleCancel; })) {
    NSLog("Warning: " + describe() +
          " can only have one action with a style of UIAlertActionStyleCancel");
    return;
  }
  actions_.push_back(std::move(action));
  rebuildContent();
}

void UIAlertController::addTextFieldWithConfigurationHandler(
    const TextFieldConfiguration& configuration) {
  if (style_ != UIAlertControllerStyleAlert) {
    NSLog(
        "Warning: Text fields can only be added to an alert controller of style "
        "UIAlertControllerStyleAlert");
    return;
  }
  auto field = std::make_shared<UITextField>();
  field->setFont(UIFont::systemFontOfSize(13));
  textFields_.push_back(field);
  if (configuration) configuration(field);
  rebuildContent();
}

std::vector<std::shared_ptr<UIAlertAction>> UIAlertController::displayOrder() const {
  std::vector<std::shared_ptr<UIAlertAction>> order;
  std::shared_ptr<UIAlertAction> cancel;
  for (const auto& action : actions_) {
    if (action->style() == UIAlertActionStyleCancel) {
      cancel = action;
    } else {
      order.push_back(action);
    }
  }
  if (cancel) {
    const bool sideBySide = style_ == UIAlertControllerStyleAlert && actions_.size() == 2;
    order.insert(sideBySide ? order.begin() : order.end(), cancel);
  }
  return order;
}

void UIAlertController::loadViewImpl() {
  auto view = std::make_shared<UIView>();
  view->setFrame(UIScreen::mainScreen()->bounds());
  view->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
  box_ = std::make_shared<UIView>();
  box_->setBackgroundColor(UIColor::colorWithWhite(0.97, 1));
  box_->layer()->setCornerRadius(13);
  box_->setClipsToBounds(true);
  view->addSubview(box_);
  titleLabel_ = std::make_shared<UILabel>();
  messageLabel_ = std::make_shared<UILabel>();
  for (const auto& label : {titleLabel_, messageLabel_}) {
    label->setTextAlignment(NSTextAlignment::Center);
    label->setNumberOfLines(0);
  }
  setView(std::move(view));
  rebuildContent();
}

void UIAlertController::rebuildContent() {
  if (!isViewLoaded() || !box_) return;
  for (const auto& subview : std::vector(box_->subviews()))
    subview->removeFromSuperview();
  const bool sheet = style_ == UIAlertControllerStyleActionSheet;
  titleLabel_->setText(title());
  titleLabel_->setFont(sheet ? UIFont::boldSystemFontOfSize(13) : UIFont::boldSystemFontOfSize(17));
  titleLabel_->setTextColor(sheet ? UIColor::colorWithWhite(0.55, 1) : UIColor::blackColor());
  messageLabel_->setText(message_);
  messageLabel_->setFont(UIFont::systemFontOfSize(13));
  messageLabel_->setTextColor(sheet ? UIColor::colorWithWhite(0.55, 1) : UIColor::blackColor());
  if (!title().empty()) box_->addSubview(titleLabel_);
  if (!message_.empty()) box_->addSubview(messageLabel_);
  for (const auto& field : textFields_)
    box_->addSubview(field);

  buttons_.clear();
  const std::weak_ptr<Object> weakSelf = weak_from_this();
  for (const auto& action : displayOrder()) {
    auto button = std::make_shared<UINavigationButton>();
    button->setTitle(action->title());
    button->setBold(action->style() == UIAlertActionStyleCancel);
    if (action->style() == UIAlertActionStyleDestructive) {
      button->setTintColor(UIColor::colorWithRed(1, 0.23, 0.19, 1));
    }
    button->setEnabled(action->isEnabled());
    button->setTapAction([weakSelf, weakAction = std::weak_ptr<UIAlertAction>(action)] {
      const auto self = std::static_pointer_cast<UIAlertController>(weakSelf.lock());
      if (const auto pressed = weakAction.lock(); self && pressed) self->press(pressed);
    });
    box_->addSubview(button);
    buttons_.push_back(std::move(button));
  }
  view()->setNeedsLayout();
}

void UIAlertController::viewWillAppearImpl(bool /*animated*/) {
  if (!textFields_.empty()) textFields_.front()->becomeFirstResponder();
}

void UIAlertController::viewWillDisappearImpl(bool /*animated*/) {
  for (const auto& field : textFields_)
    field->resignFirstResponder();
}

std::shared_ptr<UINavigationButton> UIAlertController::buttonForAction(
    const UIAlertAction& action) const {
  const auto order = displayOrder();
  for (std::size_t i = 0; i < order.size() && i < buttons_.size(); ++i) {
    if (order[i].get() == &action) return buttons_[i];
  }
  return nullptr;
}

void UIAlertController::viewWillLayoutSubviews() {
  if (!box_) return;
  const CGSize size = view()->bounds().size;
  const bool sheet = style_ == UIAlertControllerStyleActionSheet;
  const CGFloat width = sheet ? std::min(size.width, size.height) - 2 * kSheetMargin : kAlertWidth;
  const CGFloat textWidth = width - 2 * kInset;
  CGFloat y = 0;
  const bool header = !title().empty() || !message_.empty() || !textFields_.empty();
  if (header) y += kHeaderMargin;
  for (const auto& label : {titleLabel_, messageLabel_}) {
    if (label->superview() != box_) continue;
    const CGFloat height = label->sizeThatFits(CGSizeMake(textWidth, 0)).height;
    label->setFrame(CGRectMake(kInset, y, textWidth, height));
    y += height + 4;
  }
  for (const auto& field : textFields_) {
    y += 4;
    field->setFrame(CGRectMake(kInset, y, textWidth, kTextFieldHeight));
    y += kTextFieldHeight;
  }
  if (header) y += kHeaderMargin;
  const CGFloat buttonHeight = sheet ? kSheetButtonHeight : kButtonHeight;
  const bool sideBySide = !sheet && buttons_.size() == 2;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (sideBySide) {
      buttons_[i]->setFrame(
          CGRectMake(width / 2 * static_cast<CGFloat>(i), y, width / 2, buttonHeight));
    } else {
      buttons_[i]->setFrame(CGRectMake(0, y, width, buttonHeight));
      y += buttonHeight;
    }
  }
  if (sideBySide) y += buttonHeight;
  const CGFloat x = (size.width - width) / 2;
  box_->setFrame(sheet ? CGRectMake(x, size.height - kSheetMargin - y, width, y)
                       : CGRectMake(x, (size.height - y) / 2, width, y));
}

bool UIAlertController::pressButton(const std::string& title) {
  const auto it = std::find_if(actions_.begin(), actions_.end(), [&](const auto& action) {
    return action->title() == title && action->isEnabled();
  });
  if (it == actions_.end()) return false;
  return press(*it);
}

bool UIAlertController::press(const std::shared_ptr<UIAlertAction>& action) {
  if (pressing_ || !action->isEnabled() || !presentingViewController() || isBeingPresented() ||
      isBeingDismissed()) {
    return false;
  }
  pressing_ = true;
  const auto self = std::static_pointer_cast<UIAlertController>(shared_from_this());
  dismissViewControllerAnimated(true, [self, action] {
    self->pressing_ = false;
    action->runHandler();
  });
  // A dismissal refused (another transition runs) leaves the alert as it was.
  if (!isBeingDismissed()) pressing_ = false;
  return pressing_;
}

std::vector<std::shared_ptr<UIAlertController>> UIAlertController::presented() {
  std::vector<std::shared_ptr<UIAlertController>> out;
  for (const auto& controller : presentedControllers()) {
    if (auto alert = std::dynamic_pointer_cast<UIAlertController>(controller)) {
      out.push_back(std::move(alert));
    }
  }
  return out;
}

}  // namespace host
