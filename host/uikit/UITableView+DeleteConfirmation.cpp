#include "uikit/UITableView.h"

#include <memory>

#include "uikit/UITableViewCell.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"

// A row's delete button: shown by a swipe or the row's editing control, committed by a tap.

namespace host {

bool UITableView::swipeToDeleteRowAtIndexPath(const NSIndexPath& indexPath) {
  const auto keep = weak_from_this().lock();
  ensureLoaded();
  auto ds = dataSource();
  if (editing_ || reorder_ || !ds || !ds->implementsCommitEditingStyle()) return false;
  if (!layout_.contains(indexPath)) return false;
  if (editingStyleFor(indexPath) != UITableViewCellEditingStyleDelete) return false;
  auto cell = cellForRowAtIndexPath(indexPath);
  if (!cell) return false;
  if (deleteRow_ == indexPath) return true;
  showDeleteConfirmation(*cell, indexPath);
  return true;
}

void UITableView::showDeleteConfirmation(UITableViewCell& cell, const NSIndexPath& indexPath) {
  if (deleteRow_) hideDeleteConfirmation(true);
  auto d = delegate();
  cell.showDeleteConfirmation(
      d ? d->tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath(*this, indexPath)
        : "Delete",
      true);
  deleteRow_ = indexPath;
}

void UITableView::hideDeleteConfirmation(bool animated) {
  if (!deleteRow_) return;
  auto it = visibleCells_.find(*deleteRow_);
  deleteRow_.reset();
  if (it != visibleCells_.end()) it->second->hideDeleteConfirmation(animated);
}

void UITableView::tapDeleteConfirmation() {
  const auto keep = weak_from_this().lock();
  if (!deleteRow_) return;
  const NSIndexPath indexPath = *deleteRow_;
  hideDeleteConfirmation(false);
  auto ds = dataSource();
  if (ds && ds->implementsCommitEditingStyle()) {
    ds->tableViewCommitEditingStyle(*this, UITableViewCellEditingStyleDelete, indexPath);
  }
}

}  // namespace host
