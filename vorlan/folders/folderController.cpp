#include "folders/folderController.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "folders/FolderPageRecords.h"
#include "folders/VLEmptyCell.h"
#include "folders/addTableController.h"
#include "folders/folderControllerMethods.h"
#include "folders/sortFolderController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSTableCell.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIAlertController.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UINavigationController.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIScreen.h"

namespace vorlan {

namespace {

using Main = host::MethodsOf<folderController>;

}  // namespace

HOST_CLASS(folderController, host::PSListController)

folderController::folderController(host::Class* cls) : host::PSListController(cls) {}

std::string folderController::folderName() {
  return navigationItem()->title();
}

std::shared_ptr<host::PSUIPrefsListController> folderController::getPSUIPrefsListController() {
  return host::PreferencesAppController::rootListController();
}

folderController::Specifiers folderController::inFolderOrder(
    const Specifiers& cells, const std::function<int(const host::PSSpecifier&)>& positionOf) {
  const long count = static_cast<long>(cells.size());
  std::vector<std::pair<long, std::shared_ptr<host::PSSpecifier>>> placed;
  Specifiers unplaced;
  for (const auto& cell : cells) {
    const int position = positionOf(*cell);
    if (position >= 0) {
      placed.emplace_back(std::min<long>(position, count - 1), cell);
    } else {
      unplaced.push_back(cell);
    }
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  // Each place takes the next placed cell whose place it has reached, else the next unplaced
  // cell; once either kind runs out the other fills the rest.
  Specifiers ordered;
  ordered.reserve(cells.size());
  auto nextPlaced = placed.begin();
  auto nextUnplaced = unplaced.begin();
  for (long place = 0; place < count; ++place) {
    const bool placedDue = nextPlaced != placed.end() && nextPlaced->first <= place;
    if (placedDue || nextUnplaced == unplaced.end()) {
      ordered.push_back((nextPlaced++)->second);
    } else {
      ordered.push_back(*nextUnplaced++);
    }
  }
  return ordered;
}

folderController::Specifiers folderController::emptyFolderHint() {
  auto& records = FolderPageRecords::shared();
  const auto main = getPSUIPrefsListController();
  records.pageWidth = main && main->isViewLoaded() ? main->view()->frame().width()
                                                   : host::UIScreen::mainScreen()->bounds().width();
  auto hint = host::PSSpecifier::preferenceSpecifierNamed(
      "", shared_from_this(), "", "", nullptr,
      host::PSTableCell::cellTypeFromString("PSGroupCell"));
  hint->setProperty(host::Plist::string(VLEmptyCell::objcClass()->name()), "headerCellClass");
  return {hint};
}

folderController::Specifiers folderController::loadSpecifiers() {
  FolderPageRecords::shared().currentFolderPage =
      std::static_pointer_cast<host::PSListController>(shared_from_this());
  const std::string folder = folderName();
  auto manager = VLPreferencesManager::sharedInstance();
  const std::vector<std::string> identifiers = manager->getSpecifiersInFolder(folder);

  // The folder's cells are the main list's, as it first loaded them. Without a main list that
  // answers, nothing can be told about them: none is dropped then.
  const auto main = getPSUIPrefsListController();
  const bool canLookUp = main && host::respondsToSelector(
                                     main.get(), Main::GetOriginalSpecifierByIdentifier::selector);
  Specifiers kept;
  for (const std::string& identifier : identifiers) {
    auto cell =
        canLookUp ? host::send<Main::GetOriginalSpecifierByIdentifier>(main, identifier) : nullptr;
    if (cell) {
      kept.push_back(std::move(cell));
    } else if (canLookUp) {
      // A cell that is gone (its settings bundle was removed, say) leaves the folder.
      manager->removeSpecifierInFolderWithID(identifier);
    }
  }
  if (kept.empty()) return emptyFolderHint();

  // The cells carry the enabled state of the page they were marked on, so that a cell disabled
  // on the main list stays disabled here.
  for (const auto& cell : kept) {
    const auto page = manager->pageKeyOfMainListCellValue("enabled", *cell);
    if (page)
      cell->setProperty(host::Plist::boolean(manager->isSpecifierEnabled(*cell, *page)), "enabled");
  }
  return inFolderOrder(kept, [&](const host::PSSpecifier& cell) {
    return manager->getPositionForSpecifierID(cell.identifier(), folder);
  });
}

void folderController::viewWillAppearImpl(bool animated) {
  host::PSListController::viewWillAppearImpl(animated);
  std::weak_ptr<folderController> weak =
      std::static_pointer_cast<folderController>(shared_from_this());
  navigationItem()->setRightBarButtonItem(host::UIBarButtonItem::withTitle(
      "Edit", host::UIBarButtonItemStylePlain, [weak](const auto&) {
        if (auto page = weak.lock()) page->showPopover();
      }));
}

void folderController::showPopover() {
  std::weak_ptr<folderController> weak =
      std::static_pointer_cast<folderController>(shared_from_this());
  const auto run = [weak](void (folderController::*action)()) {
    return [weak, action](const auto&) {
      if (auto page = weak.lock()) ((*page).*action)();
    };
  };
  auto sheet = host::UIAlertController::alertControllerWithTitle(
      "Select", "", host::UIAlertControllerStyleActionSheet);
  sheet->addAction(host::UIAlertAction::actionWithTitle("Add", host::UIAlertActionStyleDestructive,
                                                        run(&folderController::showAddToFolder)));
  sheet->addAction(host::UIAlertAction::actionWithTitle("Cancel", host::UIAlertActionStyleCancel));
  sheet->addAction(host::UIAlertAction::actionWithTitle("Sort", host::UIAlertActionStyleDefault,
                                                        run(&folderController::showSortToFolder)));
  sheet->addAction(host::UIAlertAction::actionWithTitle(
      "Remove", host::UIAlertActionStyleDefault, run(&folderController::showRemoveToFolder)));
  presentViewController(sheet, true);
}

void folderController::presentEditingTable(const std::shared_ptr<host::UIViewController>& table,
                                           const std::string& title) {
  table->setTitle(title);
  auto navigation = host::UINavigationController::withRootViewController(table);
  navigation->setTitle(title);
  presentViewController(navigation, true, [table] {
    if (auto editable = std::dynamic_pointer_cast<host::UITableViewController>(table))
      editable->setEditing(true, true);
  });
}

void folderController::showAddToFolder() {
  const auto main = getPSUIPrefsListController();
  if (!main) return;
  auto add = addTableController::make(host::UITableViewStyleGrouped, main, folderName());
  add->setTarget(std::static_pointer_cast<host::PSListController>(shared_from_this()));
  presentEditingTable(add, "Add");
}

void folderController::showRemoveToFolder() {
  const auto self = std::static_pointer_cast<host::PSListController>(shared_from_this());
  auto remove = addTableController::make(host::UITableViewStyleGrouped, self, folderName());
  remove->setTarget(self);
  presentEditingTable(remove, "Remove");
}

void folderController::showSortToFolder() {
  const auto self = std::static_pointer_cast<host::PSListController>(shared_from_this());
  auto sort = sortFolderController::make(host::UITableViewStyleGrouped, self, folderName());
  sort->setTarget(self);
  presentEditingTable(sort, "Sort");
}

}  // namespace vorlan
