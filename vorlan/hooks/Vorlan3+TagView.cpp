// Tag filter list. Only the filter state is kept yet; the title tap opens nothing.
#include "hooks/Vorlan3+TagView.h"

#include "hooks/MainListStage.h"
#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"

namespace vorlan::hooks::tagview {

namespace {

using host::Object;

void setInTagView(Object*, bool value) {
  MainListStage::shared().isInTagView = value;
}

void tapped(Object*, std::shared_ptr<host::UIGestureRecognizer>) {}

}  // namespace

void install(HookInstaller& installer) {
  installer.add<SetInTagView>(host::PSListController::objcClass(), setInTagView);
  installer.add<Tapped>(host::PSUIPrefsListController::objcClass(), tapped);
}

}  // namespace vorlan::hooks::tagview
