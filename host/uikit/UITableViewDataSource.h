#pragma once

#include <memory>
#include <string>

#include "uikit/NSIndexPath.h"
#include "uikit/UITableViewCell.h"

namespace host {

class UITableView;

// Where a table gets its rows (held weakly). The row count and the cells are required; the rest
// is optional and answers as UIKit does without it. UIKit changes its behaviour when the
// editing methods are missing (no swipe-to-delete without commitEditingStyle, no reorder
// controls without moveRow), which implementsCommitEditingStyle and implementsMoveRow tell.
class UITableViewDataSource {
 public:
  virtual ~UITableViewDataSource() = default;

  virtual long numberOfSectionsInTableView(UITableView& /*tableView*/) { return 1; }
  virtual long tableViewNumberOfRowsInSection(UITableView& tableView, long section) = 0;
  virtual std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(
      UITableView& tableView, const NSIndexPath& indexPath) = 0;
  // An empty title stands for none.
  virtual std::string tableViewTitleForHeaderInSection(UITableView& /*tableView*/,
                                                       long /*section*/) {
    return {};
  }
  virtual std::string tableViewTitleForFooterInSection(UITableView& /*tableView*/,
                                                       long /*section*/) {
    return {};
  }

  virtual bool tableViewCanEditRowAtIndexPath(UITableView& /*tableView*/,
                                              const NSIndexPath& /*indexPath*/) {
    return true;
  }
  // Asked only when the data source implements moveRow.
  virtual bool tableViewCanMoveRowAtIndexPath(UITableView& /*tableView*/,
                                              const NSIndexPath& /*indexPath*/) {
    return true;
  }

  virtual bool implementsCommitEditingStyle() const { return false; }
  virtual void tableViewCommitEditingStyle(UITableView& /*tableView*/,
                                           UITableViewCellEditingStyle /*style*/,
                                           const NSIndexPath& /*indexPath*/) {}
  virtual bool implementsMoveRow() const { return false; }
  // The user dropped the row at `from` (as it was before the drag) at `to`; the table already
  // shows it there.
  virtual void tableViewMoveRowAtIndexPath(UITableView& /*tableView*/, const NSIndexPath& /*from*/,
                                           const NSIndexPath& /*to*/) {}
};

}  // namespace host
