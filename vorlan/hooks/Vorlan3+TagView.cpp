// Tag filter list. Only the filter state is kept yet; the title tap opens nothing.
#include "hooks/SettingsState.h"
#include "hooks/Vorlan3Hooks.h"

namespace vorlan::hooks {

void setInTagView(Object*, bool value) {
  SettingsState::shared().isInTagView = value;
}

void tapped(Object*, std::shared_ptr<host::UIGestureRecognizer>) {}

}  // namespace vorlan::hooks
