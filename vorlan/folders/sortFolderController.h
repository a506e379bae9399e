#pragma once

#include <memory>
#include <string>

#include "preferences/PSListController.h"
#include "uikit/UITableViewController.h"

namespace vorlan {

// The sort page over a folder page: the folder's cells as rows that can be dragged into a new
// order. "Done" stores each row's place in the folder, numbered from 0 as shown, and rebuilds
// the folder page.
class sortFolderController : public host::UITableViewController {
 public:
  using Specifiers = host::PSListController::Specifiers;
  static constexpr const char* kReuseIdentifier = "sortCell";

  static host::Class* objcClass();
  explicit sortFolderController(host::Class* cls = objcClass());

  // initWithStyle:controller:sender: over the folder page `contr`, for the folder `sender`.
  static std::shared_ptr<sortFolderController> make(
      host::UITableViewStyle style, const std::shared_ptr<host::PSListController>& contr,
      std::string sender);

  std::shared_ptr<host::PSListController> contr() const { return contr_.lock(); }
  // Takes the page's cells (its group headers left out) as the rows.
  void setContr(const std::shared_ptr<host::PSListController>& contr);
  std::shared_ptr<host::PSListController> target() const { return target_.lock(); }
  void setTarget(const std::shared_ptr<host::PSListController>& target) { target_ = target; }
  const std::string& sender() const { return sender_; }
  const Specifiers& specs() const { return specs_; }

  void saveChanges();

  long tableViewNumberOfRowsInSection(host::UITableView& tableView, long section) override;
  std::shared_ptr<host::UITableViewCell> tableViewCellForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool tableViewCanMoveRowAtIndexPath(host::UITableView& tableView,
                                      const host::NSIndexPath& indexPath) override;
  bool implementsMoveRow() const override { return true; }
  void tableViewMoveRowAtIndexPath(host::UITableView& tableView, const host::NSIndexPath& from,
                                   const host::NSIndexPath& to) override;
  host::UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool tableViewShouldIndentWhileEditingRowAtIndexPath(host::UITableView& tableView,
                                                       const host::NSIndexPath& indexPath) override;

 protected:
  void viewDidLoadImpl() override;

 private:
  // Weak: the folder page presents this page and so owns it.
  std::weak_ptr<host::PSListController> contr_;
  std::weak_ptr<host::PSListController> target_;
  std::string sender_;
  Specifiers specs_;
};

}  // namespace vorlan
