// Row selection guards: a disabled row does not open, a protected row and a protected switch
// wait for the passcode, a disabled switch cannot be flipped; every page the main list or a
// folder page opens is recorded as the manager's current bundle. The cell action menu's
// protected changes pass the same keypad.
#include "hooks/Vorlan3+Selection.h"

#include <optional>
#include <string>

#include "hooks/BundleRecord.h"
#include "hooks/MainListStage.h"
#include "menu/VLSpecifierScrollView.h"
#include "panels/passcodeSkyView.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSSwitchTableCellMethods.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIApplication.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIViewController.h"
#include "uikit/UIWindow.h"

namespace vorlan::hooks::selection {

namespace {

using host::CGRect;
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

VLPreferencesManager& manager() {
  return *VLPreferencesManager::sharedInstance();
}

// The selected cell as the page's groups give it: element row + 1 (the group's header first).
std::shared_ptr<host::PSSpecifier> selectedCell(Object* self, const host::NSIndexPath& indexPath) {
  auto* page = dynamic_cast<host::PSListController*>(self);
  if (!page || indexPath.row < 0) return nullptr;
  const auto group = page->specifiersInGroup(indexPath.section);
  const auto element = static_cast<std::size_t>(indexPath.row) + 1;
  return element < group.size() ? group[element] : nullptr;
}

// A cell without an "enabled" property is enabled.
bool isEnabled(const host::PSSpecifier& cell) {
  return cell.propertyForKey("enabled").asBoolean().value_or(true);
}

// The app's root view (the key window's root view controller's view), else the key window.
std::shared_ptr<host::UIView> rootView() {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto root = std::dynamic_pointer_cast<host::UIViewController>(
      window ? window->rootViewController() : nullptr);
  if (root && root->isViewLoaded()) return root->view();
  return window;
}

// The keypad kept in `slot`: made on first need, afterwards only re-framed.
std::shared_ptr<passcodeSkyView> keypadIn(std::shared_ptr<passcodeSkyView>& slot,
                                          const CGRect& frame) {
  if (!slot) {
    slot = passcodeSkyView::make(frame, 0);
  } else {
    slot->setFrame(frame);
  }
  slot->setShowLabels(false);
  return slot;
}

// Where a keypad for a cell of `table` places its balloon: 50 points in from either side, half
// the page high, lifted by how far the list is scrolled under the bars, and 10 points more once
// it is scrolled at all.
CGRect placementFor(const host::UITableView* table, const CGRect& cell, const host::CGSize& page) {
  const float offset = table ? static_cast<float>(table->contentOffset().y) : 0;
  const float top =
      offset +
      static_cast<float>(host::UIApplication::sharedApplication()->statusBarFrame().size.height) +
      MainListStage::shared().original;
  const float gap = top > 0 ? 10 : 0;
  const auto width = static_cast<float>(page.width);
  const auto height = static_cast<float>(page.height);
  return {50, static_cast<float>(cell.size.height) / 2 + 10 - top - gap, width - 100, height / 2};
}

CGRect rowFrame(host::UITableView& table, const host::NSIndexPath& indexPath) {
  if (const auto cell = table.cellForRowAtIndexPath(indexPath)) return cell->frame();
  return table.rectForRowAtIndexPath(indexPath);
}

// The main list's own hook guards its selections, then calls the host's implementation, which
// the main list inherits from the list pages: the list pages' hook must not guard them again.
bool guardedByTheMainList(const Object* self) {
  return original.mainDidSelectRow.installed() &&
         self->getClass()->isSubclassOf(host::PSUIPrefsListController::objcClass());
}

// Runs the guards of a row selection; answers whether the host may open the row.
bool guardSelection(Object* self, const std::shared_ptr<host::UITableView>& table,
                    const host::NSIndexPath& indexPath, bool onMainList) {
  const auto cell = selectedCell(self, indexPath);
  if (!cell) return true;
  if (onMainList || self->className() == VLPreferencesManager::kFolderPageKey) {
    manager().setCurrentBundle(BundleRecord::forCell(*cell));
  }
  if (!isEnabled(*cell) || manager().isRowDisabled(*cell, self, onMainList)) {
    if (table) table->deselectRowAtIndexPath(indexPath, true);
    return false;
  }
  // A switch row opens nothing; its switch is guarded instead.
  if (cell->cellType() == host::PSSpecifier::PSSwitchCell) return true;
  if (!manager().isRowProtected(*cell, self, onMainList)) return true;
  // The keypad's success selects the row again while it answers canSegue.
  const auto& keypad = MainListStage::shared().passcodeView;
  if (keypad && keypad->canSegue()) return true;
  host::send<SelectedRowAtIndexPath>(self, indexPath, table);
  return false;
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

  const auto keypad = keypadIn(stage.passcodeView, {{0, 0}, page->view()->frame().size});
  // The keypad holds its target strongly, as its owner holds the menu; both live as long as
  // the process. A method the menu does not answer is never sent.
  keypad->setCustomAction([menu = stage.specifierScrollView, selector] {
    if (menu && host::respondsToSelector(menu.get(), selector.name))
      host::msgSend<void()>(menu, selector.name);
  });
  window->addSubview(keypad);
  keypad->showFromRect(view->frame(), offset);
  window->bringSubviewToFront(keypad);
}

void listDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  if (!guardedByTheMainList(self) && !guardSelection(self, table, indexPath, false)) return;
  original.listDidSelectRow(self, std::move(table), indexPath);
}

void mainDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath) {
  if (!guardSelection(self, table, indexPath, true)) return;
  original.mainDidSelectRow(self, std::move(table), indexPath);
}

// Shows the keypad over the page, pointing at the row; the right passcode selects the row again.
void selectedRowAtIndexPath(Object* self, host::NSIndexPath indexPath,
                            std::shared_ptr<host::UITableView> table) {
  auto* page = dynamic_cast<host::PSListController*>(self);
  const auto root = rootView();
  if (!page || !root) return;
  if (!table) table = page->table();
  table->deselectRowAtIndexPath(indexPath, true);

  const host::CGSize size = page->view()->frame().size;
  const auto keypad = keypadIn(MainListStage::shared().passcodeView, {{0, 0}, size});
  keypad->setIndexPath(indexPath, table, self->shared_from_this());
  root->addSubview(keypad);
  const CGRect from = rowFrame(*table, indexPath);
  keypad->showFromRect(from, placementFor(table.get(), from, size));
  root->bringSubviewToFront(keypad);
}

// A disabled switch cannot be flipped.
void switchReloadWithSpecifier(Object* self, std::shared_ptr<host::PSSpecifier> specifier,
                               bool animated) {
  original.switchReloadWithSpecifier(self, specifier, animated);
  auto* cell = dynamic_cast<host::PSSwitchTableCell*>(self);
  if (!cell) return;
  const auto shown = cell->specifier() ? cell->specifier() : specifier;
  cell->control()->setUserInteractionEnabled(!shown || isEnabled(*shown));
}

// Disabled by its own property or, before its page has been rewritten, by the settings file,
// looked up as a row's selection is.
bool isDisabledSwitch(const host::PSSpecifier& cell) {
  if (!isEnabled(cell)) return true;
  const auto& page = MainListStage::shared().currentController;
  if (!page) return false;
  const bool onMainList = dynamic_cast<host::PSUIPrefsListController*>(page.get()) != nullptr;
  return manager().isRowDisabled(cell, page, onMainList);
}

// Protected on the page on screen or, as a row of the main list is, where its value is stored.
bool isProtectedSwitch(const host::PSSpecifier& cell) {
  const auto& page = MainListStage::shared().currentController;
  return manager().isSpecifierProtectedByPasscode(cell, page) ||
         manager().isRowProtected(cell, page, true);
}

// A protected switch springs back at once; the user's choice is shown and stored only once the
// passcode is right.
void switchControlChanged(Object* self, Id sender) {
  auto* cell = dynamic_cast<host::PSSwitchTableCell*>(self);
  const auto specifier = cell ? cell->specifier() : nullptr;
  if (specifier && isDisabledSwitch(*specifier)) {
    // A disabled switch that could still be touched (its page not rewritten yet) springs back
    // and stays frozen; nothing reaches its app.
    auto toggle = std::dynamic_pointer_cast<host::UISwitch>(sender);
    if (!toggle) toggle = cell->control();
    toggle->setOn(!toggle->isOn(), true);
    cell->control()->setUserInteractionEnabled(false);
    return;
  }
  if (!specifier || !isProtectedSwitch(*specifier)) {
    original.switchControlChanged(self, std::move(sender));
    return;
  }
  auto toggle = std::dynamic_pointer_cast<host::UISwitch>(sender);
  if (!toggle) toggle = cell->control();
  toggle->setOn(!toggle->isOn(), true);

  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  if (!window) return;
  auto& stage = MainListStage::shared();
  const auto& page = stage.currentController;
  const host::CGSize size = page ? page->view()->frame().size : window->bounds().size;
  const auto keypad = keypadIn(stage.togglePasscodeView, {{0, 0}, size});
  window->addSubview(keypad);
  const CGRect from = cell->frame();
  const auto table = page ? page->table() : nullptr;
  keypad->showFromRect(from, placementFor(table.get(), from, size),
                       [owner = self->shared_from_this(), toggle] {
                         toggle->setOn(!toggle->isOn(), true);
                         original.switchControlChanged(owner.get(), toggle);
                       });
  window->bringSubviewToFront(keypad);
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
