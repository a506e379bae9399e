#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "uikit/CGGeometry.h"
#include "uikit/UIResponder.h"

namespace host {

class UIView;
class UIWindow;

enum UIInterfaceOrientation {
  UIInterfaceOrientationUnknown = 0,
  UIInterfaceOrientationPortrait = 1,
  UIInterfaceOrientationPortraitUpsideDown = 2,
  UIInterfaceOrientationLandscapeLeft = 4,
  UIInterfaceOrientationLandscapeRight = 3,
};

// The running application: its windows, the status bar, and opening URLs in other apps.
//
// Windows are held weakly: whoever made a window keeps it (an app delegate's `window`, the
// simulator, a test). A window joins `windows` when it is first made key.
class UIApplication : public UIResponder {
 public:
  static Class* objcClass();
  explicit UIApplication(Class* cls = objcClass());

  static const std::shared_ptr<UIApplication>& sharedApplication();
  // Makes `application` the process's shared application (SpringBoard is its own); nil is ignored.
  static void setSharedApplication(std::shared_ptr<UIApplication> application);

  std::shared_ptr<UIWindow> keyWindow() const { return keyWindow_.lock(); }
  void setKeyWindow(const std::shared_ptr<UIWindow>& window);
  // The windows still alive, in the order they were first made key.
  std::vector<std::shared_ptr<UIWindow>> windows() const;

  // The status bar across the top of the screen, 20 points high. An iPhone hides it in
  // landscape, as iOS does: its frame is then empty.
  const std::shared_ptr<UIView>& statusBar();
  CGRect statusBarFrame() const;
  bool isStatusBarHidden() const;
  UIInterfaceOrientation statusBarOrientation() const { return orientation_; }
  bool isLandscape() const {
    return orientation_ == UIInterfaceOrientationLandscapeLeft ||
           orientation_ == UIInterfaceOrientationLandscapeRight;
  }
  // The device turned (the simulator's rotate): the status bar takes the screen's new width.
  void setStatusBarOrientation(UIInterfaceOrientation orientation);

  // An URL can be opened when an installed app handles its scheme (case-insensitive); "http" and
  // "https" (the browser) are installed at first. Opened URLs are recorded in order.
  bool canOpenURL(std::string_view url) const;
  bool openURL(std::string_view url);
  void setInstalledURLSchemes(std::set<std::string> schemes);
  const std::vector<std::string>& openedURLs() const { return openedURLs_; }

 private:
  std::weak_ptr<UIWindow> keyWindow_;
  std::vector<std::weak_ptr<UIWindow>> windows_;
  std::shared_ptr<UIView> statusBar_;
  std::set<std::string> schemes_{"http", "https"};
  std::vector<std::string> openedURLs_;
  UIInterfaceOrientation orientation_ = UIInterfaceOrientationPortrait;
};

}  // namespace host
