#include "uikit/UIWindow.h"

#include "runtime/Runtime.h"
#include "uikit/UIApplication.h"

namespace host {

Class* UIWindow::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("UIWindow", UIView::objcClass(), factoryFor<UIWindow>());
  return cls;
}

UIWindow::UIWindow(Class* cls) : UIView(cls) {
  setHidden(true);
}

void UIWindow::makeKeyAndVisible() {
  setHidden(false);
  makeKeyWindow();
}

void UIWindow::makeKeyWindow() {
  UIApplication::sharedApplication()->setKeyWindow(
      std::static_pointer_cast<UIWindow>(shared_from_this()));
}

bool UIWindow::isKeyWindow() const {
  return UIApplication::sharedApplication()->keyWindow().get() == this;
}

}  // namespace host
