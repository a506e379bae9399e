// Row selection guards. A selection is refused for a disabled row; the protected-row keypad
// is not built yet (selectedRowAtIndexPath:table: does nothing). The passcode gate of the cell
// action menu shows the keypad and runs the menu's action once the passcode is right.
#include "hooks/Vorlan3+Selection.h"

#include "hooks/MainListStage.h"
#include "panels/passcodeSkyView.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSSwitchTableCellMethods.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "uikit/UIApplication.h"
#include "uikit/UIWindow.h"

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

// The selected cell as the page's groups give it: element row + 1 (the group's header first).
std::shared_ptr<host::PSSpecifier> selectedCell(Object* self, const host::NSIndexPath& indexPath) {
  auto* page = dynamic_cast<host::PSListController*>(self);
  if (!page || indexPath.row < 0) return nullptr;
  const auto group = page->specifiersInGroup(indexPath.section);
  const auto element = static_cast<std::size_t>(indexPath.row) + 1;
  return element < group.size() ? group[element] : nullptr;
}

// A row whose cell is marked disabled does not open: it is deselected and the host's
// implementation is not called. Answers whether the selection was refused.
bool refuseDisabled(Object* self, const std::shared_ptr<host::UITableView>& table,
                    const host::NSIndexPath& indexPath) {
  const auto cell = selectedCell(self, indexPath);
  if (!cell || cell->propertyForKey("enabled").asBoolean().value_or(true)) return false;
  if (table) table->deselectRowAtIndexPath(indexPath, true);
  return true;
}

// The main list's own hook guards its selections, then calls the host's implementation, which
// the main list inherits from the list pages: the list pages' hook must not guard them again.
bool guardedByTheMainList(const Object* self) {
  return original.mainDidSelectRow.installed() &&
         self->getClass()->isSubclassOf(host::PSUIPrefsListController::objcClass());
}

void switchReloadWithSpecifier(Object* self, std::shared_ptr<host::PSSpecifier> specifier,
                               bool animated) {
  original.switchReloadWithSpecifier(self, std::move(specifier), animated);
}

void switchControlChanged(Object* self, Id sender) {
  original.switchControlChanged(self, std::move(sender));
}

// The keypad in front of a protected change of the cell action menu: anchored at `view`, placed
// by `offset` in the key window; once the passcode is right it sends `selector` to the menu.
// With no stored passcode the keypad covers itself with how to set one, so nothing runs.
void passcodeRequiredToChangeSettings(Object* self, std::shared_ptr<host::UIView> view,
                                      host::CGRect offset, host::Selector selector) {
  auto* page = dynamic_cast<host::PSListController*>(self);
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  auto& stage = MainListStage::shared();
  if (!page || !view || !window) return;

  const host::CGSize size = page->view()->frame().size;
  const host::CGRect frame{{0, 0}, size};
  auto keypad = std::dynamic_pointer_cast<passcodeSkyView>(stage.passcodeView);
  if (!keypad) {
    keypad = passcodeSkyView::make(frame, 0);
    stage.passcodeView = keypad;
  } else {
    keypad->setFrame(frame);
  }
  // The keypad holds its target strongly, as its owner holds the menu; both live as long as
  // the process. A method the menu does not answer is never sent.
  keypad->setCustomAction([menu = stage.specifierScrollView, selector] {
    if (menu && host::respondsToSelector(menu.get(), selector.name))
      host::msgSend<void()>(menu, selector.name);
  });
  keypad->setShowLabels(false);
  window->addSubview(keypad);
  keypad->showFromRect(view->frame(), offset);
  window->bringSubviewToFront(keypad);
}

void selectedRowAtIndexPath(Object*, host::NSIndexPath, std::shared_ptr<host::UITableView>) {}

void listDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  if (!guardedByTheMainList(self) && refuseDisabled(self, table, indexPath)) return;
  original.listDidSelectRow(self, std::move(table), indexPath);
}

void mainDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  if (refuseDisabled(self, table, indexPath)) return;
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
