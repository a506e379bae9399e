#pragma once

#include <memory>
#include <string>
#include <vector>

#include "preferences/PSListController.h"
#include "uikit/NSIndexPath.h"
#include "uikit/UITableViewController.h"

namespace vorlan {

// The add and remove pages of a folder page. Over the main list (the add page) it offers the
// main list's cells, by group, to file into the folder; over the folder page itself (the remove
// page) it offers the folder's cells to take out. Rows are chosen by tapping them; "Done" acts
// on the chosen ones and closes the page.
class addTableController : public host::UITableViewController {
 public:
  using Specifiers = host::PSListController::Specifiers;
  static constexpr const char* kReuseIdentifier = "addCell";

  static host::Class* objcClass();
  explicit addTableController(host::Class* cls = objcClass());

  // initWithStyle:controller:sender: offering the rows of `contr`, for the folder `sender`.
  static std::shared_ptr<addTableController> make(
      host::UITableViewStyle style, const std::shared_ptr<host::PSListController>& contr,
      std::string sender);

  std::shared_ptr<host::PSListController> contr() const { return contr_.lock(); }
  std::shared_ptr<host::PSListController> target() const { return target_.lock(); }
  void setTarget(const std::shared_ptr<host::PSListController>& target) { target_ = target; }
  const std::string& sender() const { return sender_; }
  // Whether the rows are offered to take out of the folder (the page over a folder page).
  bool isRemovePage() const;
  // The offered rows, by section.
  const std::vector<Specifiers>& offered() const { return offered_; }

  void saveChanges();

  long numberOfSectionsInTableView(host::UITableView& tableView) override;
  long tableViewNumberOfRowsInSection(host::UITableView& tableView, long section) override;
  std::shared_ptr<host::UITableViewCell> tableViewCellForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  host::UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool tableViewShouldIndentWhileEditingRowAtIndexPath(host::UITableView& tableView,
                                                       const host::NSIndexPath& indexPath) override;

 protected:
  void viewDidLoadImpl() override;

 private:
  // The rows `contr` offers now, by its groups (headers left out). The add page leaves out the
  // folder rows (a folder filed into a folder would vanish from the main list) and cells
  // without an identifier (nothing can be stored for them); groups left empty go.
  void collectOffered();
  std::shared_ptr<host::PSSpecifier> offeredAt(const host::NSIndexPath& indexPath) const;
  void fileChosenIntoFolder(host::PSListController& main,
                            const std::vector<host::NSIndexPath>& chosen);
  void takeChosenOutOfFolder(host::PSListController& folder,
                             const std::vector<host::NSIndexPath>& chosen);

  // Weak: the folder page presents this page and so owns it.
  std::weak_ptr<host::PSListController> contr_;
  std::weak_ptr<host::PSListController> target_;
  std::string sender_;
  std::vector<Specifiers> offered_;
};

}  // namespace vorlan
