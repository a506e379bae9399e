#pragma once

#include <memory>
#include <optional>
#include <string>

#include "uikit/CGGeometry.h"
#include "uikit/NSIndexPath.h"
#include "uikit/UIScrollViewDelegate.h"
#include "uikit/UITableViewCell.h"

namespace host {

class UITableView;
class UIView;

// What a table asks and tells its delegate (held weakly; it is also the table's scroll view
// delegate). Every method is optional; the defaults answer as UIKit does without them. A height
// of nothing means "not implemented": the table then uses its own heights.
class UITableViewDelegate : public UIScrollViewDelegate {
 public:
  virtual std::optional<CGFloat> tableViewHeightForRowAtIndexPath(
      UITableView& /*tableView*/, const NSIndexPath& /*indexPath*/) {
    return std::nullopt;
  }
  virtual std::optional<CGFloat> tableViewHeightForHeaderInSection(UITableView& /*tableView*/,
                                                                   long /*section*/) {
    return std::nullopt;
  }
  virtual std::optional<CGFloat> tableViewHeightForFooterInSection(UITableView& /*tableView*/,
                                                                   long /*section*/) {
    return std::nullopt;
  }
  virtual std::shared_ptr<UIView> tableViewViewForHeaderInSection(UITableView& /*tableView*/,
                                                                  long /*section*/) {
    return nullptr;
  }
  virtual std::shared_ptr<UIView> tableViewViewForFooterInSection(UITableView& /*tableView*/,
                                                                  long /*section*/) {
    return nullptr;
  }
  virtual void tableViewWillDisplayCell(UITableView& /*tableView*/, UITableViewCell& /*cell*/,
                                        const NSIndexPath& /*indexPath*/) {}

  // Selection: willSelect may redirect the selection to another row, or refuse it (nothing).
  virtual std::optional<NSIndexPath> tableViewWillSelectRowAtIndexPath(
      UITableView& /*tableView*/, const NSIndexPath& indexPath) {
    return indexPath;
  }
  virtual void tableViewDidSelectRowAtIndexPath(UITableView& /*tableView*/,
                                                const NSIndexPath& /*indexPath*/) {}
  virtual void tableViewDidDeselectRowAtIndexPath(UITableView& /*tableView*/,
                                                  const NSIndexPath& /*indexPath*/) {}

  // Editing.
  virtual UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(
      UITableView& /*tableView*/, const NSIndexPath& /*indexPath*/) {
    return UITableViewCellEditingStyleDelete;
  }
  virtual bool tableViewShouldIndentWhileEditingRowAtIndexPath(UITableView& /*tableView*/,
                                                               const NSIndexPath& /*indexPath*/) {
    return true;
  }
  virtual std::string tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath(
      UITableView& /*tableView*/, const NSIndexPath& /*indexPath*/) {
    return "Delete";
  }
  // Where a row being dragged from `source` would land instead of `proposed`.
  virtual NSIndexPath tableViewTargetIndexPathForMoveFromRowAtIndexPath(
      UITableView& /*tableView*/, const NSIndexPath& /*source*/, const NSIndexPath& proposed) {
    return proposed;
  }
};

}  // namespace host
