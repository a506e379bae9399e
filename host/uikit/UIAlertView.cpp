#include "uikit/UIAlertView.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UITextField.h"

namespace host {

namespace {
std::vector<std::shared_ptr<UIAlertView>>& shown() {
  static std::vector<std::shared_ptr<UIAlertView>> alerts;
  return alerts;
}
}  // namespace

HOST_CLASS(UIAlertView, Object)

UIAlertView::UIAlertView(Class* cls) : Object(cls) {}

std::shared_ptr<UIAlertView> UIAlertView::alert(std::string title, std::string message,
                                                std::string cancelButtonTitle,
                                                std::vector<std::string> otherButtonTitles) {
  auto view = std::make_shared<UIAlertView>();
  view->title_ = std::move(title);
  view->message_ = std::move(message);
  view->cancelButtonTitle_ = std::move(cancelButtonTitle);
  if (!view->cancelButtonTitle_.empty()) view->buttonTitles_.push_back(view->cancelButtonTitle_);
  for (auto& other : otherButtonTitles)
    view->buttonTitles_.push_back(std::move(other));
  return view;
}

bool UIAlertView::isVisible() const {
  const auto& list = shown();
  return std::any_of(list.begin(), list.end(), [this](const auto& a) { return a.get() == this; });
}

long UIAlertView::addButtonWithTitle(std::string title) {
  buttonTitles_.push_back(std::move(title));
  return numberOfButtons() - 1;
}

std::string UIAlertView::buttonTitleAtIndex(long index) const {
  if (index < 0 || index >= numberOfButtons()) return {};
  return buttonTitles_[static_cast<std::size_t>(index)];
}

long UIAlertView::firstOtherButtonIndex() const {
  const long first = cancelButtonIndex() + 1;
  return first < numberOfButtons() ? first : -1;
}

void UIAlertView::setAlertViewStyle(UIAlertViewStyle style) {
  style_ = style;
  textFields_.clear();
  const auto field = [](bool secure) {
    auto textField = std::make_shared<UITextField>();
    textField->setSecureTextEntry(secure);
    return textField;
  };
  switch (style) {
    case UIAlertViewStyleDefault:
      break;
    case UIAlertViewStyleSecureTextInput:
      textFields_.push_back(field(true));
      break;
    case UIAlertViewStylePlainTextInput:
      textFields_.push_back(field(false));
      break;
    case UIAlertViewStyleLoginAndPasswordInput:
      textFields_.push_back(field(false));
      textFields_.push_back(field(true));
      break;
  }
}

std::shared_ptr<UITextField> UIAlertView::textFieldAtIndex(long index) const {
  if (index < 0 || index >= static_cast<long>(textFields_.size())) return nullptr;
  return textFields_[static_cast<std::size_t>(index)];
}

void UIAlertView::show() {
  if (!isVisible()) {
    shown().push_back(std::static_pointer_cast<UIAlertView>(shared_from_this()));
    // The keyboard comes up with the alert, in its first field.
    if (!textFields_.empty()) textFields_.front()->becomeFirstResponder();
  }
}

void UIAlertView::dismissWithClickedButtonIndex(int index) {
  const auto keepAlive = std::static_pointer_cast<UIAlertView>(shared_from_this());
  if (!isVisible()) return;
  auto& list = shown();
  list.erase(
      std::remove_if(list.begin(), list.end(), [this](const auto& a) { return a.get() == this; }),
      list.end());
  for (const auto& field : textFields_)
    field->resignFirstResponder();
  if (didDismiss_) {
    auto callback = didDismiss_;
    callback(keepAlive, index);
  }
}

bool UIAlertView::pressButtonAtIndex(long index) {
  if (!isVisible() || index < 0 || index >= numberOfButtons()) return false;
  const auto keepAlive = std::static_pointer_cast<UIAlertView>(shared_from_this());
  if (clicked_) {
    auto callback = clicked_;
    callback(keepAlive, index);
  }
  dismissWithClickedButtonIndex(static_cast<int>(index));
  return true;
}

bool UIAlertView::pressButton(const std::string& title) {
  const auto it = std::find(buttonTitles_.begin(), buttonTitles_.end(), title);
  if (it == buttonTitles_.end()) return false;
  return pressButtonAtIndex(it - buttonTitles_.begin());
}

const std::vector<std::shared_ptr<UIAlertView>>& UIAlertView::visibleAlerts() {
  return shown();
}

}  // namespace host
