// The Settings app's delegate.
#include "hooks/HostMethods.h"
#include "hooks/SettingsState.h"
#include "hooks/Vorlan3Hooks.h"

namespace vorlan::hooks {

void applicationDidBecomeActive(Object* self, Id application) {
  HostMethods::shared().appDidBecomeActive(self, application);
  // Coming back to the app ends the tag filter.
  SettingsState::shared().isInTagView = false;
}

}  // namespace vorlan::hooks
