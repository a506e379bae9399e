#include "uikit/UITableView.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "foundation/Log.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITableViewDelegate.h"

// Selection and scrolling to a row.

namespace host {

void UITableView::setRowSelected(const NSIndexPath& indexPath, bool selected, bool animated) {
  if (selected) {
    selected_.insert(indexPath);
  } else {
    selected_.erase(indexPath);
  }
  auto it = visibleCells_.find(indexPath);
  if (it != visibleCells_.end()) it->second->setSelected(selected, animated);
}

void UITableView::selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated,
                                       UITableViewScrollPosition scrollPosition) {
  ensureLoaded();
  if (!indexPath) {
    for (const NSIndexPath& ip : std::set(selected_))
      setRowSelected(ip, false, animated);
    return;
  }
  if (!layout_.contains(*indexPath)) return;
  const bool multiple = editing_ ? allowsMultipleSelectionDuringEditing_ : allowsMultipleSelection_;
  if (!multiple) {
    for (const NSIndexPath& ip : std::set(selected_)) {
      if (ip != *indexPath) setRowSelected(ip, false, animated);
    }
  }
  setRowSelected(*indexPath, true, animated);
  if (scrollPosition != UITableViewScrollPositionNone) {
    scrollToRowAtIndexPath(*indexPath, scrollPosition, animated);
  }
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated) {
  setRowSelected(indexPath, false, animated);
}

std::optional<NSIndexPath> UITableView::indexPathForSelectedRow() const {
  if (selected_.empty()) return std::nullopt;
  return *selected_.begin();
}

std::vector<NSIndexPath> UITableView::indexPathsForSelectedRows() const {
  return {selected_.begin(), selected_.end()};
}

void UITableView::deselectWithDelegate(const NSIndexPath& indexPath) {
  setRowSelected(indexPath, false, false);
  if (auto d = delegate()) d->tableViewDidDeselectRowAtIndexPath(*this, indexPath);
}

void UITableView::tapRowAtIndexPath(const NSIndexPath& indexPath) {
  const auto keep = weak_from_this().lock();
  ensureLoaded();
  if (deleteRow_) {
    hideDeleteConfirmation(true);
    return;
  }
  if (reorder_ || !layout_.contains(indexPath)) return;
  const bool allowed = editing_
                           ? allowsSelectionDuringEditing_ || allowsMultipleSelectionDuringEditing_
                           : allowsSelection_;
  if (!allowed) return;
  const bool multiple = editing_ ? allowsMultipleSelectionDuringEditing_ : allowsMultipleSelection_;
  if (multiple && selected_.count(indexPath)) {
    deselectWithDelegate(indexPath);
    return;
  }
  std::optional<NSIndexPath> target = indexPath;
  if (auto d = delegate()) target = d->tableViewWillSelectRowAtIndexPath(*this, indexPath);
  if (!target || !layout_.contains(*target)) return;
  if (!multiple) {
    for (const NSIndexPath& ip : std::set(selected_)) {
      if (ip != *target) deselectWithDelegate(ip);
    }
  }
  setRowSelected(*target, true, false);
  if (auto d = delegate()) d->tableViewDidSelectRowAtIndexPath(*this, *target);
}

void UITableView::scrollToRowAtIndexPath(const NSIndexPath& indexPath,
                                         UITableViewScrollPosition position, bool animated) {
  ensureLoaded();
  if (!layout_.contains(indexPath)) {
    NSLog("UITableView: cannot scroll to " + describe(indexPath) + ", which does not exist");
    return;
  }
  const CGRect row = layout_.rectForRow(indexPath, bounds().width());
  const CGRect b = bounds();
  const UIEdgeInsets inset = contentInset();
  if (position == UITableViewScrollPositionNone) {
    if (row.minY() < b.minY() + inset.top) {
      position = UITableViewScrollPositionTop;
    } else if (row.maxY() > b.maxY() - inset.bottom) {
      position = UITableViewScrollPositionBottom;
    } else {
      return;  // already in full view
    }
  }
  CGFloat y = row.minY() - inset.top;
  if (position == UITableViewScrollPositionMiddle) y = row.midY() - b.height() / 2;
  if (position == UITableViewScrollPositionBottom) y = row.maxY() - b.height() + inset.bottom;
  y = std::clamp(y, minimumContentOffset().y, maximumContentOffset().y);
  setContentOffset({contentOffset().x, y}, animated);
}

}  // namespace host
