// Row selection guards. The passcode gate is not built yet: a selection is refused only for a
// disabled row; the additions do nothing.
#include "hooks/HostMethods.h"
#include "hooks/Vorlan3Hooks.h"
#include "preferences/PSUIPrefsListController.h"
#include "runtime/Class.h"

namespace vorlan::hooks {

namespace {

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
  return HostMethods::shared().mainDidSelectRow &&
         self->getClass()->isSubclassOf(host::PSUIPrefsListController::objcClass());
}

}  // namespace

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
  if (!guardedByTheMainList(self) && refuseDisabled(self, table, indexPath)) return;
  HostMethods::shared().listDidSelectRow(self, std::move(table), indexPath);
}

void mainDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  if (refuseDisabled(self, table, indexPath)) return;
  HostMethods::shared().mainDidSelectRow(self, std::move(table), indexPath);
}

void bluetoothPowerChanged(Object* self, Id notification) {
  // The Bluetooth cell may have been hidden, filed or moved away: nothing to refresh then.
  auto* main = dynamic_cast<host::PSUIPrefsListController*>(self);
  if (main && !main->specifierForID("Bluetooth")) return;
  HostMethods::shared().mainBluetoothPowerChanged(self, std::move(notification));
}

}  // namespace vorlan::hooks
