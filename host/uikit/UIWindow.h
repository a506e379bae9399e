#pragma once

#include <memory>

#include "uikit/UIView.h"

namespace host {

// The top of a view tree shown on the screen. Like every window it starts hidden; the
// application lists it once it was made key (see UIApplication).
class UIWindow : public UIView {
 public:
  static Class* objcClass();
  explicit UIWindow(Class* cls = objcClass());

  // Shows the window and makes it the application's key window.
  void makeKeyAndVisible();
  void makeKeyWindow();
  bool isKeyWindow() const;

  // The view controller whose view fills the window (held strongly, as UIKit does). Setting a
  // UIViewController puts its view into the window in place of the old one's; while the window is
  // visible both get their appearance calls, as does the root when the window is first shown.
  const std::shared_ptr<Object>& rootViewController() const { return rootViewController_; }
  void setRootViewController(std::shared_ptr<Object> controller);

 private:
  std::shared_ptr<Object> rootViewController_;
};

}  // namespace host
