#include "uikit/UIAlertView.h"

#include <algorithm>

#include "runtime/Runtime.h"

namespace host {

namespace {
std::vector<std::shared_ptr<UIAlertView>>& shown() {
  static std::vector<std::shared_ptr<UIAlertView>> alerts;
  return alerts;
}
}  // namespace

Class* UIAlertView::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("UIAlertView", Object::objcClass(), factoryFor<UIAlertView>());
  return cls;
}

UIAlertView::UIAlertView(Class* cls) : Object(cls) {}

std::shared_ptr<UIAlertView> UIAlertView::alert(std::string title, std::string message,
                                                std::string cancelButtonTitle) {
  auto view = std::make_shared<UIAlertView>();
  view->title_ = std::move(title);
  view->message_ = std::move(message);
  view->cancelButtonTitle_ = std::move(cancelButtonTitle);
  return view;
}

bool UIAlertView::isVisible() const {
  const auto& list = shown();
  return std::any_of(list.begin(), list.end(), [this](const auto& a) { return a.get() == this; });
}

void UIAlertView::show() {
  if (!isVisible()) {
    shown().push_back(std::static_pointer_cast<UIAlertView>(shared_from_this()));
  }
}

void UIAlertView::dismissWithClickedButtonIndex(int /*index*/) {
  auto keepAlive = shared_from_this();  // the list may hold the last reference
  auto& list = shown();
  list.erase(
      std::remove_if(list.begin(), list.end(), [this](const auto& a) { return a.get() == this; }),
      list.end());
}

const std::vector<std::shared_ptr<UIAlertView>>& UIAlertView::visibleAlerts() {
  return shown();
}

}  // namespace host
