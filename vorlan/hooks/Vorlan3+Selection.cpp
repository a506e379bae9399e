// Row selection guards. The passcode gate is not built yet: the hooks run the host's
// behaviour and the additions do nothing.
#include "hooks/HostMethods.h"
#include "hooks/Vorlan3Hooks.h"
#include "preferences/PSUIPrefsListController.h"

namespace vorlan::hooks {

void switchReloadWithSpecifier(Object* self, std::shared_ptr<host::PSSpecifier> specifier,
                               bool animated) {
  HostMethods::shared().switchReloadWithSpecifier(self, std::move(specifier), animated);
}

void switchControlChanged(Object* self, Id sender) {
  HostMethods::shared().switchControlChanged(self, std::move(sender));
}

void passcodeRequiredToChangeSettings(Object*, std::shared_ptr<host::UIView>, host::CGRect,
                                      host::Selector) {}

void selectedRowAtIndexPath(Object*, host::NSIndexPath, std::shared_ptr<host::UITableView>) {}

void listDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  HostMethods::shared().listDidSelectRow(self, std::move(table), indexPath);
}

void mainDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  HostMethods::shared().mainDidSelectRow(self, std::move(table), indexPath);
}

void bluetoothPowerChanged(Object* self, Id notification) {
  // The Bluetooth cell may have been hidden, filed or moved away: nothing to refresh then.
  auto* main = dynamic_cast<host::PSUIPrefsListController*>(self);
  if (main && !main->specifierForID("Bluetooth")) return;
  HostMethods::shared().mainBluetoothPowerChanged(self, std::move(notification));
}

}  // namespace vorlan::hooks
