#pragma once

#include <memory>

namespace host {

class PSUIPrefsListController;
class PreferencesAppController;
class UINavigationController;
class UIWindow;

// The Settings app started in this process, as the system starts it: the main bundle is
// "/Applications/Preferences.app", the code-injection loader runs before any Preferences class is
// used, then the app delegate, a key window of the screen's size, and a navigation controller
// whose root is the main list come up, and the app becomes active.
//
// The device (DeviceFileSystem::current) must be set before launching. The app object owns the
// window, the navigation controller and the delegate; the application holds the window weakly.
class PreferencesApp {
 public:
  static constexpr const char* kBundlePath = "/Applications/Preferences.app";

  static std::shared_ptr<PreferencesApp> launch();

  const std::shared_ptr<UIWindow>& window() const { return window_; }
  const std::shared_ptr<UINavigationController>& navigationController() const {
    return navigation_;
  }
  const std::shared_ptr<PSUIPrefsListController>& rootList() const { return rootList_; }
  const std::shared_ptr<PreferencesAppController>& delegate() const { return delegate_; }

  // Leaving the app: the page on screen gets its disappearance calls.
  void enterBackground();
  // Coming back: the page on screen appears again (if the app had left), then the delegate gets
  // applicationDidBecomeActive:.
  void becomeActive();
  bool isInBackground() const { return background_; }

 private:
  std::shared_ptr<UIWindow> window_;
  std::shared_ptr<UINavigationController> navigation_;
  std::shared_ptr<PSUIPrefsListController> rootList_;
  std::shared_ptr<PreferencesAppController> delegate_;
  bool background_ = false;
};

}  // namespace host
