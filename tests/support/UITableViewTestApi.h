#pragma once

#include <memory>

#include "uikit/UITableView.h"

namespace host {

// Takes a table straight to what the user's gestures end in (a tap on a row or on an editing
// control, a swipe to delete, a tap on the delete button, a reorder drag), for tests about what
// follows rather than about the touches themselves; the touch tests drive the same outcomes
// through a TouchInjector.
class UITableViewTestApi {
 public:
  explicit UITableViewTestApi(UITableView& table) : table_(table) {}
  explicit UITableViewTestApi(const std::shared_ptr<UITableView>& table) : table_(*table) {}

  void tapRowAtIndexPath(const NSIndexPath& indexPath) { table_.tapRowAtIndexPath(indexPath); }
  void tapEditingControlOfRowAtIndexPath(const NSIndexPath& indexPath) {
    table_.tapEditingControlOfRowAtIndexPath(indexPath);
  }
  bool swipeToDeleteRowAtIndexPath(const NSIndexPath& indexPath) {
    return table_.swipeToDeleteRowAtIndexPath(indexPath);
  }
  void tapDeleteConfirmation() { table_.tapDeleteConfirmation(); }
  bool beginReorderingRowAtIndexPath(const NSIndexPath& indexPath) {
    return table_.beginReorderingRowAtIndexPath(indexPath);
  }
  void reorderRowToPoint(const CGPoint& point) { table_.reorderRowToPoint(point); }
  void endReordering() { table_.endReordering(); }

 private:
  UITableView& table_;
};

}  // namespace host
