#include "preferences/PreferencesAppController.h"

#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppControllerMethods.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIViewController.h"

namespace host {

namespace {

using Methods = MethodsOf<PreferencesAppController>;

std::weak_ptr<PSUIPrefsListController>& rootList() {
  static std::weak_ptr<PSUIPrefsListController> controller;
  return controller;
}

}  // namespace

HOST_CLASS_WITH(PreferencesAppController, UIResponder, [](Class* c) {
  define<Methods::ApplicationDidBecomeActive>(c, [](Object* self, Id application) {
    if (auto* delegate = dynamic_cast<PreferencesAppController*>(self)) {
      delegate->applicationDidBecomeActiveImpl(application);
    }
  });
  define<Methods::CollapseSecondary>(c, [](Object*, Id, std::shared_ptr<UIViewController>,
                                           std::shared_ptr<UIViewController>) { return false; });
  define<Methods::SeparateSecondary>(c, [](Object*, Id, std::shared_ptr<UIViewController>) {
    return std::shared_ptr<UIViewController>();
  });
})

PreferencesAppController::PreferencesAppController(Class* cls) : UIResponder(cls) {}

void PreferencesAppController::applicationDidBecomeActive(
    const std::shared_ptr<Object>& application) {
  send<Methods::ApplicationDidBecomeActive>(this, application);
}

bool PreferencesAppController::splitViewControllerCollapseSecondary(
    const std::shared_ptr<Object>& splitViewController,
    const std::shared_ptr<UIViewController>& secondary,
    const std::shared_ptr<UIViewController>& primary) {
  return send<Methods::CollapseSecondary>(this, splitViewController, secondary, primary);
}

std::shared_ptr<UIViewController> PreferencesAppController::splitViewControllerSeparateSecondary(
    const std::shared_ptr<Object>& splitViewController,
    const std::shared_ptr<UIViewController>& primary) {
  return send<Methods::SeparateSecondary>(this, splitViewController, primary);
}

std::shared_ptr<PSUIPrefsListController> PreferencesAppController::rootListController() {
  return rootList().lock();
}

void PreferencesAppController::setRootListController(
    const std::shared_ptr<PSUIPrefsListController>& controller) {
  rootList() = controller;
}

}  // namespace host
