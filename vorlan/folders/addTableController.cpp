#include "folders/addTableController.h"

#include <utility>

#include "folders/FolderTableRow.h"
#include "folders/folderController.h"
#include "folders/folderControllerMethods.h"
#include "foundation/NSString.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UITableView.h"

namespace vorlan {

namespace {

constexpr const char* kMainListClass = "PSUIPrefsListController";

bool isFolderRow(const host::PSSpecifier& cell) {
  return cell.detailControllerClass() == folderController::objcClass();
}

}  // namespace

HOST_CLASS(addTableController, host::UITableViewController)

addTableController::addTableController(host::Class* cls) : host::UITableViewController(cls) {}

std::shared_ptr<addTableController> addTableController::make(
    host::UITableViewStyle style, const std::shared_ptr<host::PSListController>& contr,
    std::string sender) {
  auto add = std::make_shared<addTableController>();
  add->initWithStyle(style);
  add->contr_ = contr;
  add->sender_ = std::move(sender);
  add->collectOffered();
  return add;
}

bool addTableController::isRemovePage() const {
  const auto page = contr();
  return page && page->isKindOfClass(folderController::objcClass());
}

void addTableController::collectOffered() {
  offered_.clear();
  const auto page = contr();
  if (!page) return;
  const bool removing = isRemovePage();
  const long groups = page->numberOfGroups();
  for (long group = 0; group < groups; ++group) {
    const Specifiers cells = page->specifiersInGroup(group);
    Specifiers rows;
    for (std::size_t i = 1; i < cells.size(); ++i) {
      const auto& cell = cells[i];
      if (!cell || cell->isGroup()) continue;
      if (!removing && (isFolderRow(*cell) || cell->identifier().empty())) continue;
      rows.push_back(cell);
    }
    if (!rows.empty()) offered_.push_back(std::move(rows));
  }
}

std::shared_ptr<host::PSSpecifier> addTableController::offeredAt(
    const host::NSIndexPath& indexPath) const {
  if (indexPath.section < 0 || indexPath.row < 0) return nullptr;
  const auto section = static_cast<std::size_t>(indexPath.section);
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (section >= offered_.size() || row >= offered_[section].size()) return nullptr;
  return offered_[section][row];
}

void addTableController::viewDidLoadImpl() {
  host::UITableViewController::viewDidLoadImpl();
  if (auto table = tableView()) {
    FolderTableRow::prepareTable(*table, kReuseIdentifier);
    // Editing mode chooses rows: any number of them, each tap choosing or un-choosing one.
    table->setAllowsMultipleSelectionDuringEditing(true);
  }
  std::weak_ptr<addTableController> weak =
      std::static_pointer_cast<addTableController>(shared_from_this());
  navigationItem()->setRightBarButtonItem(host::UIBarButtonItem::withTitle(
      "Done", host::UIBarButtonItemStylePlain, [weak](const auto&) {
        if (auto add = weak.lock()) add->saveChanges();
      }));
}

void addTableController::saveChanges() {
  const auto table = isViewLoaded() ? tableView() : nullptr;
  const auto chosen = table ? table->indexPathsForSelectedRows() : std::vector<host::NSIndexPath>{};
  if (const auto page = contr(); page && isRemovePage()) {
    takeChosenOutOfFolder(*page, chosen);
  } else if (page) {
    fileChosenIntoFolder(*page, chosen);
  }
  dismissViewControllerAnimated(true);
}

void addTableController::fileChosenIntoFolder(host::PSListController& main,
                                              const std::vector<host::NSIndexPath>& chosen) {
  auto manager = VLPreferencesManager::sharedInstance();
  const std::string folder = host::NSString::uppercaseString(sender_);
  for (const auto& indexPath : chosen) {
    // The cell as the main list holds it now, by the identifier of the row's cell.
    const auto row = offeredAt(indexPath);
    const auto cell = row ? main.specifierForID(row->identifier()) : nullptr;
    if (!cell) continue;
    manager->saveSpecifier(*cell, folder);
    // The cell leaves the main list at once, with its group's header when it was the group's
    // only cell.
    if (const auto place = main.indexPathForSpecifier(cell.get())) {
      const Specifiers group = main.specifiersInGroup(place->section);
      if (group.size() == 2) main.removeSpecifier(group.front(), true);
    }
    main.removeSpecifier(cell, true);
  }
  if (const auto page = target()) page->reloadSpecifiers();
}

void addTableController::takeChosenOutOfFolder(host::PSListController& folder,
                                               const std::vector<host::NSIndexPath>& chosen) {
  auto manager = VLPreferencesManager::sharedInstance();
  for (const auto& indexPath : chosen) {
    if (const auto cell = offeredAt(indexPath)) manager->removefolderSpecifier(*cell);
  }
  folder.reloadSpecifiers();
  // The cells go back to the main list, which rebuilds itself when it is next shown.
  using Main = host::MethodsOf<folderController>;
  for (auto page = folder.parentController(); page; page = page->parentController()) {
    if (page->className() != kMainListClass) continue;
    if (host::respondsToSelector(page.get(), Main::SetNeedsReload::selector)) {
      host::send<Main::SetNeedsReload>(page, true);
    }
    break;
  }
}

long addTableController::numberOfSectionsInTableView(host::UITableView&) {
  return static_cast<long>(offered_.size());
}

long addTableController::tableViewNumberOfRowsInSection(host::UITableView&, long section) {
  if (section < 0 || section >= static_cast<long>(offered_.size())) return 0;
  return static_cast<long>(offered_[static_cast<std::size_t>(section)].size());
}

std::shared_ptr<host::UITableViewCell> addTableController::tableViewCellForRowAtIndexPath(
    host::UITableView& tableView, const host::NSIndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCellWithIdentifier(kReuseIdentifier);
  const auto row = offeredAt(indexPath);
  if (!cell || !row) return cell;
  FolderTableRow::show(*cell, *row, false);
  cell->setAccessoryType(host::UITableViewCellAccessoryDisclosureIndicator);
  return cell;
}

host::UITableViewCellEditingStyle addTableController::tableViewEditingStyleForRowAtIndexPath(
    host::UITableView&, const host::NSIndexPath&) {
  // Rows are chosen by tapping them (the table's multiple selection), not by an editing control.
  return host::UITableViewCellEditingStyleNone;
}

bool addTableController::tableViewShouldIndentWhileEditingRowAtIndexPath(host::UITableView&,
                                                                         const host::NSIndexPath&) {
  return false;
}

}  // namespace vorlan
