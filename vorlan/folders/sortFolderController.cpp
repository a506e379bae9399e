#include "folders/sortFolderController.h"

#include <utility>

#include "folders/FolderTableRow.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UINavigationItem.h"

namespace vorlan {

HOST_CLASS(sortFolderController, host::UITableViewController)

sortFolderController::sortFolderController(host::Class* cls) : host::UITableViewController(cls) {}

std::shared_ptr<sortFolderController> sortFolderController::make(
    host::UITableViewStyle style, const std::shared_ptr<host::PSListController>& contr,
    std::string sender) {
  auto sort = std::make_shared<sortFolderController>();
  sort->initWithStyle(style);
  sort->sender_ = std::move(sender);
  sort->setContr(contr);
  return sort;
}

void sortFolderController::setContr(const std::shared_ptr<host::PSListController>& contr) {
  contr_ = contr;
  specs_.clear();
  if (contr) {
    for (const auto& cell : contr->specifiers()) {
      if (cell && !cell->isGroup()) specs_.push_back(cell);
    }
  }
  if (isViewLoaded()) tableView()->reloadData();
}

void sortFolderController::viewDidLoadImpl() {
  host::UITableViewController::viewDidLoadImpl();
  if (auto table = tableView()) FolderTableRow::prepareTable(*table, kReuseIdentifier);
  std::weak_ptr<sortFolderController> weak =
      std::static_pointer_cast<sortFolderController>(shared_from_this());
  navigationItem()->setRightBarButtonItem(host::UIBarButtonItem::withTitle(
      "Done", host::UIBarButtonItemStylePlain, [weak](const auto&) {
        if (auto sort = weak.lock()) sort->saveChanges();
      }));
}

void sortFolderController::saveChanges() {
  auto manager = VLPreferencesManager::sharedInstance();
  for (std::size_t i = 0; i < specs_.size(); ++i) {
    manager->rearrangePoisitionInFolder(sender_, specs_[i]->identifier(), static_cast<int>(i));
  }
  if (const auto page = contr()) page->reloadSpecifiers();
  dismissViewControllerAnimated(true);
}

long sortFolderController::tableViewNumberOfRowsInSection(host::UITableView&, long) {
  return static_cast<long>(specs_.size());
}

std::shared_ptr<host::UITableViewCell> sortFolderController::tableViewCellForRowAtIndexPath(
    host::UITableView& tableView, const host::NSIndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCellWithIdentifier(kReuseIdentifier);
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (cell && row < specs_.size()) FolderTableRow::show(*cell, *specs_[row], true);
  return cell;
}

bool sortFolderController::tableViewCanMoveRowAtIndexPath(host::UITableView&,
                                                          const host::NSIndexPath&) {
  return true;
}

void sortFolderController::tableViewMoveRowAtIndexPath(host::UITableView&,
                                                       const host::NSIndexPath& from,
                                                       const host::NSIndexPath& to) {
  const auto source = static_cast<std::size_t>(from.row);
  if (source >= specs_.size() || to.row < 0) return;
  auto moved = specs_[source];
  specs_.erase(specs_.begin() + static_cast<long>(source));
  const auto destination = std::min(static_cast<std::size_t>(to.row), specs_.size());
  specs_.insert(specs_.begin() + static_cast<long>(destination), std::move(moved));
}

host::UITableViewCellEditingStyle sortFolderController::tableViewEditingStyleForRowAtIndexPath(
    host::UITableView&, const host::NSIndexPath&) {
  return host::UITableViewCellEditingStyleNone;
}

bool sortFolderController::tableViewShouldIndentWhileEditingRowAtIndexPath(
    host::UITableView&, const host::NSIndexPath&) {
  return false;
}

}  // namespace vorlan
