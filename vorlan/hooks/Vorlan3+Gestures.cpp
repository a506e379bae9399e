// Cell swipe and side-page gestures. The swipe, the root-view pan and the navigation-bar
// handler are not built yet: the hooks run the host's behaviour and the additions do nothing.
#include "hooks/HostMethods.h"
#include "hooks/SettingsState.h"
#include "hooks/Vorlan3Hooks.h"
#include "uikit/UITableViewCell.h"

namespace vorlan::hooks {

void handlePanOnCell(Object*, std::shared_ptr<host::UIGestureRecognizer>) {}

void cellLayoutSubviews(Object* self) {
  // The cell being swiped keeps its shifted content until the swipe ends.
  if (self != nullptr && SettingsState::shared().lastCell.get() == self) return;
  HostMethods::shared().cellLayoutSubviews(self);
}

void fadeOutButtons(Object*) {}

void fadeInButtons(Object*) {}

void offset(Object*) {}

void addGestures(Object*) {}

void handlePan(Object*, std::shared_ptr<host::UIGestureRecognizer>) {}

void mainViewWillDisappear(Object* self, bool animated) {
  HostMethods::shared().mainViewWillDisappear(self, animated);
}

}  // namespace vorlan::hooks
