// Row selection guards. The passcode gate is not built yet: the hooks run the host's
// behaviour and the additions do nothing.
#include "hooks/Vorlan3+Selection.h"

#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSSwitchTableCellMethods.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PSUIPrefsListControllerMethods.h"

namespace vorlan::hooks::selection {

namespace {

using host::Id;
using host::Object;
using Switch = host::MethodsOf<host::PSSwitchTableCell>;
using List = host::MethodsOf<host::PSListController>;
using Main = host::MethodsOf<host::PSUIPrefsListController>;

struct Originals {
  host::Original<Switch::ReloadWithSpecifier> switchReloadWithSpecifier;
  host::Original<Switch::ControlChanged> switchControlChanged;
  host::Original<List::DidSelectRowAtIndexPath> listDidSelectRow;
  host::Original<Main::BluetoothPowerChanged> mainBluetoothPowerChanged;
  host::Original<Main::DidSelectRowAtIndexPath> mainDidSelectRow;
};
constinit Originals original;

void switchReloadWithSpecifier(Object* self, std::shared_ptr<host::PSSpecifier> specifier,
                               bool animated) {
  original.switchReloadWithSpecifier(self, std::move(specifier), animated);
}

void switchControlChanged(Object* self, Id sender) {
  original.switchControlChanged(self, std::move(sender));
}

void passcodeRequiredToChangeSettings(Object*, std::shared_ptr<host::UIView>, host::CGRect,
                                      host::Selector) {}

void selectedRowAtIndexPath(Object*, host::NSIndexPath, std::shared_ptr<host::UITableView>) {}

void listDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  original.listDidSelectRow(self, std::move(table), indexPath);
}

void mainDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  original.mainDidSelectRow(self, std::move(table), indexPath);
}

void bluetoothPowerChanged(Object* self, Id notification) {
  // The Bluetooth cell may have been hidden, filed or moved away: nothing to refresh then.
  auto* main = dynamic_cast<host::PSUIPrefsListController*>(self);
  if (main && !main->specifierForID("Bluetooth")) return;
  original.mainBluetoothPowerChanged(self, std::move(notification));
}

}  // namespace

void install(HookInstaller& installer) {
  host::Class* switchCell = host::PSSwitchTableCell::objcClass();
  host::Class* list = host::PSListController::objcClass();
  host::Class* main = host::PSUIPrefsListController::objcClass();
  installer.hook<Switch::ReloadWithSpecifier>(switchCell, switchReloadWithSpecifier,
                                              original.switchReloadWithSpecifier);
  installer.hook<Switch::ControlChanged>(switchCell, switchControlChanged,
                                         original.switchControlChanged);
  installer.add<PasscodeRequiredToChangeSettings>(list, passcodeRequiredToChangeSettings);
  installer.add<SelectedRowAtIndexPath>(list, selectedRowAtIndexPath);
  installer.hook<List::DidSelectRowAtIndexPath>(list, listDidSelectRow, original.listDidSelectRow);
  installer.hook<Main::BluetoothPowerChanged>(main, bluetoothPowerChanged,
                                              original.mainBluetoothPowerChanged);
  installer.hook<Main::DidSelectRowAtIndexPath>(main, mainDidSelectRow, original.mainDidSelectRow);
}

}  // namespace vorlan::hooks::selection
