#include "uikit/UIWindow.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIApplication.h"
#include "uikit/UIViewController.h"

namespace host {

HOST_CLASS(UIWindow, UIView)

UIWindow::UIWindow(Class* cls) : UIView(cls) {
  setHidden(true);
}

void UIWindow::makeKeyAndVisible() {
  const bool appears = isHidden();
  setHidden(false);
  makeKeyWindow();
  if (auto root = std::dynamic_pointer_cast<UIViewController>(rootViewController_);
      root && appears) {
    root->beginAppearanceTransition(true, false);
    root->endAppearanceTransition();
  }
}

void UIWindow::setRootViewController(std::shared_ptr<Object> controller) {
  if (controller == rootViewController_) return;
  const bool visible = !isHidden();
  const auto old = std::dynamic_pointer_cast<UIViewController>(rootViewController_);
  const auto root = std::dynamic_pointer_cast<UIViewController>(controller);
  rootViewController_ = std::move(controller);
  if (old && old->isViewLoaded()) {
    if (visible) old->beginAppearanceTransition(false, false);
    old->view()->removeFromSuperview();
    if (visible) old->endAppearanceTransition();
  }
  if (!root) return;
  const auto view = root->view();
  view->setFrame(bounds());
  addSubview(view);
  if (visible) {
    root->beginAppearanceTransition(true, false);
    root->endAppearanceTransition();
  }
}

void UIWindow::makeKeyWindow() {
  UIApplication::sharedApplication()->setKeyWindow(
      std::static_pointer_cast<UIWindow>(shared_from_this()));
}

bool UIWindow::isKeyWindow() const {
  return UIApplication::sharedApplication()->keyWindow().get() == this;
}

}  // namespace host
