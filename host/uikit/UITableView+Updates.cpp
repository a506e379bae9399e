#include "uikit/UITableView.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "foundation/Log.h"
#include "uikit/UITableViewCell.h"

// Batch updates: row and section changes are checked against the data source's new counts and
// applied together, animated.

namespace host {

void UITableView::beginUpdates() {
  ensureLoaded();
  ++updateDepth_;
}

void UITableView::endUpdates() {
  if (updateDepth_ == 0) {
    NSLog("UITableView: endUpdates without beginUpdates");
    return;
  }
  if (--updateDepth_ > 0) return;
  TableUpdate update = std::exchange(pendingUpdate_, {});
  // An empty batch still picks up new row heights, animated, as in UIKit.
  const bool animated = std::exchange(pendingAnimated_, false) || update.isEmpty();
  applyUpdate(std::move(update), animated);
}

void UITableView::queueUpdate(const std::function<void(TableUpdate&)>& change,
                              UITableViewRowAnimation animation) {
  beginUpdates();
  change(pendingUpdate_);
  if (animation != UITableViewRowAnimationNone) pendingAnimated_ = true;
  endUpdates();
}

void UITableView::reloadSections(const std::vector<long>& sections,
                                 UITableViewRowAnimation animation) {
  queueUpdate(
      [&](TableUpdate& u) {
        for (long s : sections)
          u.reloadSection(s);
      },
      animation);
}

void UITableView::reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                         UITableViewRowAnimation animation) {
  queueUpdate(
      [&](TableUpdate& u) {
        for (const auto& ip : indexPaths)
          u.reloadRow(ip);
      },
      animation);
}

void UITableView::insertRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                         UITableViewRowAnimation animation) {
  queueUpdate(
      [&](TableUpdate& u) {
        for (const auto& ip : indexPaths)
          u.insertRow(ip);
      },
      animation);
}

void UITableView::deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths,
                                         UITableViewRowAnimation animation) {
  queueUpdate(
      [&](TableUpdate& u) {
        for (const auto& ip : indexPaths)
          u.deleteRow(ip);
      },
      animation);
}

void UITableView::insertSections(const std::vector<long>& sections,
                                 UITableViewRowAnimation animation) {
  queueUpdate(
      [&](TableUpdate& u) {
        for (long s : sections)
          u.insertSection(s);
      },
      animation);
}

void UITableView::deleteSections(const std::vector<long>& sections,
                                 UITableViewRowAnimation animation) {
  queueUpdate(
      [&](TableUpdate& u) {
        for (long s : sections)
          u.deleteSection(s);
      },
      animation);
}

void UITableView::applyUpdate(TableUpdate update, bool animated) {
  const auto keep = weak_from_this().lock();
  if (reorder_) endReordering();
  TableLayout next = buildLayout();
  const std::string problem = update.resolve(layout_.rowCounts(), next.rowCounts());
  if (!problem.empty()) {
    NSLog("UITableView: invalid update: " + problem + "; reloading the whole table instead");
    reloadData();
    return;
  }
  std::vector<std::shared_ptr<UITableViewCell>> removed;
  for (auto& [ip, cell] : std::exchange(visibleCells_, {})) {
    const auto now = update.newIndexPath(ip);
    if (now && !update.isReloaded(ip)) {
      visibleCells_[*now] = std::move(cell);
    } else {
      removed.push_back(std::move(cell));
    }
  }
  std::set<NSIndexPath> selected;
  for (const NSIndexPath& ip : selected_) {
    if (auto now = update.newIndexPath(ip)) selected.insert(*now);
  }
  selected_ = std::move(selected);
  if (deleteRow_) {
    const auto now = update.newIndexPath(*deleteRow_);
    if (!now) hideDeleteConfirmation(false);
    deleteRow_ = now;
  }
  for (auto& [s, view] : std::exchange(headerViews_, {}))
    view->removeFromSuperview();
  for (auto& [s, view] : std::exchange(footerViews_, {}))
    view->removeFromSuperview();
  layout_ = std::move(next);
  ++generation_;

  if (!animated) {
    for (const auto& cell : removed)
      enqueue(cell);
    tile(false);
    return;
  }
  // Removed rows fade out where they were and leave the table afterwards; they are not reused.
  // The completion holds them weakly: their fading layers hold the completion.
  std::vector<std::weak_ptr<UITableViewCell>> fading(removed.begin(), removed.end());
  const auto fadeOut = [&removed] {
    for (const auto& cell : removed)
      cell->setAlpha(0);
  };
  const auto takeAway = [fading = std::move(fading)](bool) {
    for (const auto& weak : fading) {
      if (auto cell = weak.lock()) cell->removeFromSuperview();
    }
  };
  UIView::animateWithDuration(kUpdateDuration, fadeOut, takeAway);
  UIView::animateWithDuration(kUpdateDuration, [this] { tile(true); });
}

}  // namespace host
