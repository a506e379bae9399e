#include "uikit/UITableView.h"

#include <memory>
#include <set>

#include "uikit/UITableViewCell.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"

// Editing mode and the rows' editing controls.

namespace host {

void UITableView::setEditing(bool editing, bool animated) {
  const auto keep = weak_from_this().lock();
  ensureLoaded();
  if (deleteRow_) hideDeleteConfirmation(animated);
  if (reorder_) endReordering();
  if (editing == editing_) return;
  editing_ = editing;
  for (const NSIndexPath& ip : std::set(selected_))
    setRowSelected(ip, false, false);
  const auto apply = [this, animated] {
    for (const auto& [ip, cell] : visibleCells_) {
      configureCell(*cell, ip);
      cell->setEditing(editing_, animated);
    }
  };
  if (animated) {
    UIView::animateWithDuration(kUpdateDuration, apply);
  } else {
    apply();
  }
}

bool UITableView::editable(const NSIndexPath& indexPath) {
  auto ds = dataSource();
  return ds && ds->tableViewCanEditRowAtIndexPath(*this, dataSourceIndexPath(indexPath));
}

UITableViewCellEditingStyle UITableView::editingStyleFor(const NSIndexPath& indexPath) {
  if (!editable(indexPath)) return UITableViewCellEditingStyleNone;
  auto d = delegate();
  return d ? d->tableViewEditingStyleForRowAtIndexPath(*this, dataSourceIndexPath(indexPath))
           : UITableViewCellEditingStyleDelete;
}

void UITableView::tapEditingControlOfRowAtIndexPath(const NSIndexPath& indexPath) {
  const auto keep = weak_from_this().lock();
  if (!editing_ || !layout_.contains(indexPath)) return;
  const UITableViewCellEditingStyle style = editingStyleFor(indexPath);
  auto ds = dataSource();
  if (style == UITableViewCellEditingStyleInsert) {
    if (ds && ds->implementsCommitEditingStyle()) {
      ds->tableViewCommitEditingStyle(*this, style, indexPath);
    }
    return;
  }
  auto cell = cellForRowAtIndexPath(indexPath);
  if (style != UITableViewCellEditingStyleDelete || !cell) return;
  if (deleteRow_ == indexPath) {
    hideDeleteConfirmation(true);
    return;
  }
  showDeleteConfirmation(*cell, indexPath);
}

}  // namespace host
