#include "uikit/UITableView.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "uikit/UITableViewCell.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"

// Dragging a row by its reorder control to another place.

namespace host {

namespace {

constexpr double kReorderDuration = 0.2;

// Where a row is after the row at `from` moved to `to`.
NSIndexPath afterMove(NSIndexPath ip, const NSIndexPath& from, const NSIndexPath& to) {
  if (ip == from) return to;
  if (ip.section == from.section && ip.row > from.row) --ip.row;
  if (ip.section == to.section && ip.row >= to.row) ++ip.row;
  return ip;
}

// Where a row was before the row at `from` moved to `to`.
NSIndexPath beforeMove(NSIndexPath ip, const NSIndexPath& from, const NSIndexPath& to) {
  if (ip == to) return from;
  if (ip.section == to.section && ip.row > to.row) --ip.row;
  if (ip.section == from.section && ip.row >= from.row) ++ip.row;
  return ip;
}

}  // namespace

NSIndexPath UITableView::dataSourceIndexPath(const NSIndexPath& shown) const {
  return reorder_ ? beforeMove(shown, reorder_->source, reorder_->current) : shown;
}

bool UITableView::canMove(const NSIndexPath& indexPath) {
  auto ds = dataSource();
  return ds && ds->implementsMoveRow() &&
         ds->tableViewCanMoveRowAtIndexPath(*this, dataSourceIndexPath(indexPath));
}

bool UITableView::beginReorderingRowAtIndexPath(const NSIndexPath& indexPath) {
  if (!editing_ || reorder_ || !layout_.contains(indexPath) || !canMove(indexPath)) return false;
  auto cell = cellForRowAtIndexPath(indexPath);
  if (!cell) return false;
  if (deleteRow_) hideDeleteConfirmation(true);
  reorder_ = Reorder{indexPath, indexPath, cell};
  bringSubviewToFront(cell);
  return true;
}

void UITableView::reorderRowToPoint(const CGPoint& point) {
  if (!reorder_) return;
  const auto keep = weak_from_this().lock();
  const CGFloat y = std::clamp(point.y, layout_.top(), layout_.contentHeight());
  reorder_->cell->setCenter({reorder_->cell->center().x, y});
  auto proposed = layout_.nearestRowToY(y);
  if (!proposed) return;
  NSIndexPath to = *proposed;
  const NSIndexPath current = reorder_->current;
  if (to.section != current.section && y > layout_.rectForRow(to, 0).midY()) ++to.row;
  if (auto d = delegate()) {
    to = d->tableViewTargetIndexPathForMoveFromRowAtIndexPath(*this, reorder_->source, to);
  }
  const long limit = layout_.numberOfRows(to.section) - (to.section == current.section ? 1 : 0);
  if (to.section < 0 || to.section >= layout_.numberOfSections() || to.row < 0 || to.row > limit ||
      to == current) {
    return;
  }
  layout_.moveRow(current, to);
  std::map<NSIndexPath, std::shared_ptr<UITableViewCell>> moved;
  for (auto& [ip, cell] : visibleCells_)
    moved[afterMove(ip, current, to)] = std::move(cell);
  visibleCells_ = std::move(moved);
  std::set<NSIndexPath> selected;
  for (const NSIndexPath& ip : selected_)
    selected.insert(afterMove(ip, current, to));
  selected_ = std::move(selected);
  reorder_->current = to;
  UIView::animateWithDuration(kReorderDuration, [this] { tile(true); });
}

void UITableView::endReordering() {
  if (!reorder_) return;
  const auto keep = weak_from_this().lock();
  const Reorder ended = *std::exchange(reorder_, std::nullopt);
  UIView::animateWithDuration(kReorderDuration, [this] { tile(true); });
  auto ds = dataSource();
  if (ds && ended.current != ended.source) {
    ds->tableViewMoveRowAtIndexPath(*this, ended.source, ended.current);
  }
}

}  // namespace host
