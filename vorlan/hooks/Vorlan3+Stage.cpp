// Gear button and main-list stage. Not built yet: the hook runs the host's behaviour and the
// additions do nothing.
#include "hooks/HostMethods.h"
#include "hooks/Vorlan3Hooks.h"
#include "uikit/UIViewController.h"

namespace vorlan::hooks {

void settingsButtonTapped(Object*) {}

void changeOffset(Object*) {}

void presentViewController(Object* self, Page controller, bool animated,
                           std::function<void()> completion) {
  HostMethods::shared().controllerPresent(self, std::move(controller), animated,
                                          std::move(completion));
}

}  // namespace vorlan::hooks
