#pragma once

#include <memory>

#include "uikit/UIResponder.h"

namespace host {

class PSUIPrefsListController;
class UIViewController;

// The Settings app's application delegate. Sent through the runtime:
// "applicationDidBecomeActive:" (void(Id)),
// "splitViewController:collapseSecondaryViewController:ontoPrimaryViewController:"
// (bool(Id, std::shared_ptr<UIViewController>, std::shared_ptr<UIViewController>)), answering
// false (the split view collapses as it would by itself), and
// "splitViewController:separateSecondaryViewControllerFromPrimaryViewController:"
// (std::shared_ptr<UIViewController>(Id, std::shared_ptr<UIViewController>)), answering nothing.
//
// The application's `rootController` `rootListController` is the process's main list, held
// weakly here (the window's controllers own it).
class PreferencesAppController : public UIResponder {
 public:
  static Class* objcClass();
  explicit PreferencesAppController(Class* cls = objcClass());

  void applicationDidBecomeActive(const std::shared_ptr<Object>& application);
  bool splitViewControllerCollapseSecondary(const std::shared_ptr<Object>& splitViewController,
                                            const std::shared_ptr<UIViewController>& secondary,
                                            const std::shared_ptr<UIViewController>& primary);
  std::shared_ptr<UIViewController> splitViewControllerSeparateSecondary(
      const std::shared_ptr<Object>& splitViewController,
      const std::shared_ptr<UIViewController>& primary);

  // How often the app became active.
  int activations() const { return activations_; }

  static std::shared_ptr<PSUIPrefsListController> rootListController();
  static void setRootListController(const std::shared_ptr<PSUIPrefsListController>& controller);

 protected:
  virtual void applicationDidBecomeActiveImpl(const std::shared_ptr<Object>& /*application*/) {
    ++activations_;
  }

 private:
  int activations_ = 0;
};

}  // namespace host
