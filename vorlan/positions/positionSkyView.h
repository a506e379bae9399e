#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "foundation/Plist.h"
#include "panels/skyView.h"
#include "uikit/CGGeometry.h"
#include "uikit/NSIndexPath.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"

namespace host {
class PSListController;
class PSSpecifier;
class UITableView;
}  // namespace host

namespace vorlan {

// The position editor: a copy of a list page's rows in a table in editing mode, where only the
// one cell being moved has a reorder control. A drop stores the cell's new place in the settings
// file at once; closing the panel moves the cell on the page itself.
//
// Places are counted as the table shows them: row 0 of every section is the group's own header
// row, so the first ordinary cell of a group is row 1. The page rewriting counts the same way
// when it puts a moved cell back on a page that is built again.
class positionSkyView : public skyView,
                        public host::UITableViewDataSource,
                        public host::UITableViewDelegate {
 public:
  using Specifiers = std::vector<std::shared_ptr<host::PSSpecifier>>;

  static constexpr const char* kReuseIdentifier = "Cell";

  static host::Class* objcClass();
  explicit positionSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<positionSkyView> make(const host::CGRect& frame);

  // Opens the editor for `specifier`, a cell of `controller`: copies the page's groups, reloads
  // the table and scrolls the cell's row to the middle. Forgets any drop not yet applied.
  void setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                    std::shared_ptr<host::PSListController> controller);

  // Shows the balloon, then scrolls the cell's row to the middle of the table, which only now
  // has its size on a first opening.
  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;
  // Closes the panel; a cell dropped at a new place then moves there on its page.
  void dismissShape(bool animated) override;

  // The copied row at `indexPath`; nothing outside the copy.
  std::shared_ptr<host::PSSpecifier> getSpecifierAtIndexPath(const host::NSIndexPath& path) const;
  // Where the copy holds `specifier`: the cell itself, else the first cell with its identifier.
  std::optional<host::NSIndexPath> getIndexPathOfSpecifier(const host::PSSpecifier& spec) const;

  const std::shared_ptr<host::UITableView>& table() const { return table_; }
  const std::shared_ptr<host::PSSpecifier>& title() const { return title_; }
  const std::optional<host::NSIndexPath>& first() const { return first_; }
  const std::optional<host::NSIndexPath>& moved() const { return moved_; }

  // Data source.
  long numberOfSectionsInTableView(host::UITableView& tableView) override;
  long tableViewNumberOfRowsInSection(host::UITableView& tableView, long section) override;
  std::shared_ptr<host::UITableViewCell> tableViewCellForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool tableViewCanEditRowAtIndexPath(host::UITableView& tableView,
                                      const host::NSIndexPath& indexPath) override;
  bool tableViewCanMoveRowAtIndexPath(host::UITableView& tableView,
                                      const host::NSIndexPath& indexPath) override;
  bool implementsMoveRow() const override { return true; }
  void tableViewMoveRowAtIndexPath(host::UITableView& tableView, const host::NSIndexPath& from,
                                   const host::NSIndexPath& to) override;

  // Delegate.
  host::UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool tableViewShouldIndentWhileEditingRowAtIndexPath(host::UITableView& tableView,
                                                       const host::NSIndexPath& indexPath) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  bool isTitle(const host::NSIndexPath& indexPath) const;
  void scrollToFirst(bool animated);
  // Moves the cell's entry in the copy from `from` to `to`, as the table moved its row.
  void moveInCopy(const host::NSIndexPath& from, const host::NSIndexPath& to);
  // The cell's stored place goes back to what it was when the editor opened.
  void restoreStoredPlace();

  std::shared_ptr<host::PSSpecifier> title_;
  std::shared_ptr<host::PSListController> controller_;
  std::shared_ptr<host::UITableView> table_;
  // The page's groups, each as its header row followed by its cells.
  std::vector<Specifiers> specifiers_;
  std::optional<host::NSIndexPath> first_;
  std::optional<host::NSIndexPath> moved_;
  // The cell's stored place when the editor opened (None when it had none).
  host::Plist storedPlace_;
};

}  // namespace vorlan
