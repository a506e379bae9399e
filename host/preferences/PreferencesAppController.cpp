#include "preferences/PreferencesAppController.h"

#include "preferences/PSUIPrefsListController.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIViewController.h"

namespace host {

namespace {

using CollapseSignature = bool(Id, std::shared_ptr<UIViewController>,
                               std::shared_ptr<UIViewController>);
using SeparateSignature = std::shared_ptr<UIViewController>(Id, std::shared_ptr<UIViewController>);
constexpr const char* kCollapse =
    "splitViewController:collapseSecondaryViewController:ontoPrimaryViewController:";
constexpr const char* kSeparate =
    "splitViewController:separateSecondaryViewControllerFromPrimaryViewController:";

std::weak_ptr<PSUIPrefsListController>& rootList() {
  static std::weak_ptr<PSUIPrefsListController> controller;
  return controller;
}

}  // namespace

HOST_CLASS_WITH(PreferencesAppController, UIResponder, [](Class* c) {
  defineMethod<void(Id)>(c, "applicationDidBecomeActive:", [](Object* self, Id application) {
    if (auto* delegate = dynamic_cast<PreferencesAppController*>(self)) {
      delegate->applicationDidBecomeActiveImpl(application);
    }
  });
  defineMethod<CollapseSignature>(c, kCollapse,
                                  [](Object*, Id, std::shared_ptr<UIViewController>,
                                     std::shared_ptr<UIViewController>) { return false; });
  defineMethod<SeparateSignature>(c, kSeparate, [](Object*, Id, std::shared_ptr<UIViewController>) {
    return std::shared_ptr<UIViewController>();
  });
})

PreferencesAppController::PreferencesAppController(Class* cls) : UIResponder(cls) {}

void PreferencesAppController::applicationDidBecomeActive(
    const std::shared_ptr<Object>& application) {
  msgSend<void(Id)>(this, "applicationDidBecomeActive:", application);
}

bool PreferencesAppController::splitViewControllerCollapseSecondary(
    const std::shared_ptr<Object>& splitViewController,
    const std::shared_ptr<UIViewController>& secondary,
    const std::shared_ptr<UIViewController>& primary) {
  return msgSend<CollapseSignature>(this, kCollapse, splitViewController, secondary, primary);
}

std::shared_ptr<UIViewController> PreferencesAppController::splitViewControllerSeparateSecondary(
    const std::shared_ptr<Object>& splitViewController,
    const std::shared_ptr<UIViewController>& primary) {
  return msgSend<SeparateSignature>(this, kSeparate, splitViewController, primary);
}

std::shared_ptr<PSUIPrefsListController> PreferencesAppController::rootListController() {
  return rootList().lock();
}

void PreferencesAppController::setRootListController(
    const std::shared_ptr<PSUIPrefsListController>& controller) {
  rootList() = controller;
}

}  // namespace host
