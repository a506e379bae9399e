// The Settings app's delegate.
#include "hooks/Vorlan3+App.h"

#include "hooks/MainListStage.h"
#include "preferences/PreferencesAppController.h"
#include "preferences/PreferencesAppControllerMethods.h"

namespace vorlan::hooks::app {

namespace {

using host::Id;
using host::Object;
using Delegate = host::MethodsOf<host::PreferencesAppController>;

struct Originals {
  host::Original<Delegate::ApplicationDidBecomeActive> appDidBecomeActive;
};
constinit Originals original;

void applicationDidBecomeActive(Object* self, Id application) {
  original.appDidBecomeActive(self, application);
  // Coming back to the app ends the tag filter.
  MainListStage::shared().isInTagView = false;
}

}  // namespace

void install(HookInstaller& installer) {
  host::Class* app = host::PreferencesAppController::objcClass();
  installer.hook<Delegate::ApplicationDidBecomeActive>(app, applicationDidBecomeActive,
                                                       original.appDidBecomeActive);
}

}  // namespace vorlan::hooks::app
