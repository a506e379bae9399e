#pragma once

#include <memory>

#include "uikit/UITableView.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"
#include "uikit/UIViewController.h"

namespace host {

// A controller whose view is a table filling the screen, of which it is the data source and the
// delegate. Subclasses override the data source and delegate methods; by default the table has
// one empty section. Each appearance clears the table's selection unless told not to.
class UITableViewController : public UIViewController,
                              public UITableViewDataSource,
                              public UITableViewDelegate {
 public:
  static Class* objcClass();
  explicit UITableViewController(Class* cls = objcClass());

  // initWithStyle: the style of the table made when the view loads.
  void initWithStyle(UITableViewStyle style) { style_ = style; }
  UITableViewStyle tableStyle() const { return style_; }

  // The view, loaded on first use, as a table (nothing if it was replaced by another view).
  std::shared_ptr<UITableView> tableView();
  void setTableView(const std::shared_ptr<UITableView>& tableView);

  bool clearsSelectionOnViewWillAppear() const { return clearsSelectionOnViewWillAppear_; }
  void setClearsSelectionOnViewWillAppear(bool clears) {
    clearsSelectionOnViewWillAppear_ = clears;
  }

  // Editing mode of the controller and its table.
  bool isEditing() const { return editing_; }
  virtual void setEditing(bool editing, bool animated);

  long tableViewNumberOfRowsInSection(UITableView& tableView, long section) override;
  std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(
      UITableView& tableView, const NSIndexPath& indexPath) override;

 protected:
  void loadViewImpl() override;
  void viewWillAppearImpl(bool animated) override;

 private:
  UITableViewStyle style_ = UITableViewStylePlain;
  bool clearsSelectionOnViewWillAppear_ = true;
  bool editing_ = false;
};

}  // namespace host
