// Gear button and main-list stage. Not built yet: the hook runs the host's behaviour and the
// additions do nothing.
#include "hooks/Vorlan3+Stage.h"

#include <functional>
#include <memory>

#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerMethods.h"

namespace vorlan::hooks::stage {

namespace {

using host::Object;
using Controller = host::MethodsOf<host::UIViewController>;
using Page = std::shared_ptr<host::UIViewController>;

struct Originals {
  host::Original<Controller::PresentViewController> controllerPresent;
};
constinit Originals original;

void settingsButtonTapped(Object*) {}

void changeOffset(Object*) {}

void presentViewController(Object* self, Page controller, bool animated,
                           std::function<void()> completion) {
  original.controllerPresent(self, std::move(controller), animated, std::move(completion));
}

}  // namespace

void install(HookInstaller& installer) {
  installer.add<SettingsButtonTapped>(host::PSListController::objcClass(), settingsButtonTapped);
  installer.add<ChangeOffset>(host::PSUIPrefsListController::objcClass(), changeOffset);
  installer.hook<Controller::PresentViewController>(
      host::UIViewController::objcClass(), presentViewController, original.controllerPresent);
}

}  // namespace vorlan::hooks::stage
