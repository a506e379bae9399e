#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/Plist.h"
#include "preferences/PageSpecifiers.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"
#include "uikit/UIViewController.h"

namespace host {

class NSBundle;
class PSSpecifier;

// One settings page: a grouped table of specifiers.
//
// `specifiers` is the page in display order, group headers (cell type 0) included, loaded on
// first use from the page's source (loadSpecifiers, which page classes override). A group is a
// header and the cells after it, up to the next header; it is one table section whose rows are
// its cells. Cells before the first header form a group without a header (section 0). The
// grouping and the updates between two pages are PageSpecifiers's.
//
// Every change (insert, add, remove, reload) changes the page and its table together: the table
// gets the matching row and section updates, so its counts and cells stay in step.
//
// Sent through the runtime (hooks see every caller): "reloadSpecifiers" (void()), "bundle"
// (std::shared_ptr<NSBundle>()), "tableView:cellForRowAtIndexPath:"
// (std::shared_ptr<UITableViewCell>(std::shared_ptr<UITableView>, NSIndexPath)),
// "tableView:didSelectRowAtIndexPath:" (void(std::shared_ptr<UITableView>, NSIndexPath)), and
// from UIViewController "loadView", "viewWillAppear:" and "viewWillDisappear:". The table's data
// source and delegate calls for cells and selection arrive through those sends. Values of
// cells are read and stored by "readPreferenceValue:" (Plist(std::shared_ptr<PSSpecifier>)) and
// "setPreferenceValue:specifier:" (void(Plist, std::shared_ptr<PSSpecifier>)): the specifier's
// "key" in the preferences domain named by its "defaults" property
// (/var/mobile/Library/Preferences/<defaults>.plist), its "default" property when unset.
class PSListController : public UIViewController,
                         public UITableViewDataSource,
                         public UITableViewDelegate {
 public:
  using Specifiers = std::vector<std::shared_ptr<PSSpecifier>>;

  static Class* objcClass();
  explicit PSListController(Class* cls = objcClass());

  const Specifiers& specifiers();
  // Replaces the page's cells (the table reloads).
  void setSpecifiers(Specifiers specifiers);
  void reloadSpecifiers();  // sends "reloadSpecifiers"

  long numberOfGroups();
  // The group's cells, its header first, so that table row r of the section is element r + 1.
  // The headerless group before the first header answers an empty group header of its own in
  // that place (one per page, not among `specifiers`). Empty for a group that does not exist.
  Specifiers specifiersInGroup(long group);
  // Index into `specifiers` of a table row; nothing when the row does not exist.
  std::optional<long> indexForIndexPath(const NSIndexPath& indexPath);
  // Table row of a cell; nothing for a group header or a cell not on the page.
  std::optional<NSIndexPath> indexPathForSpecifier(const PSSpecifier* specifier);
  std::shared_ptr<PSSpecifier> specifierAtIndexPath(const NSIndexPath& indexPath);
  std::optional<long> indexOfSpecifier(const PSSpecifier* specifier);
  // The first cell with that identifier; nothing if none.
  std::shared_ptr<PSSpecifier> specifierForID(std::string_view identifier);

  void removeSpecifier(const std::shared_ptr<PSSpecifier>& specifier, bool animated);
  void addSpecifier(const std::shared_ptr<PSSpecifier>& specifier, bool animated);
  void addSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    addSpecifier(specifier, false);
  }
  // An index past the end appends; a negative one is refused.
  void insertSpecifier(const std::shared_ptr<PSSpecifier>& specifier, long index, bool animated);
  void reloadSpecifier(const std::shared_ptr<PSSpecifier>& specifier, bool animated);
  void reloadSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    reloadSpecifier(specifier, false);
  }
  // Inserts each cell at its index in turn, each index counted in the page as the earlier ones
  // left it, as insertSpecifier one at a time would (a past-the-end index appends; a null cell
  // or a negative index is left out), with one table update for them all.
  using Placement = std::pair<std::shared_ptr<PSSpecifier>, long>;
  void insertSpecifiers(const std::vector<Placement>& placements, bool animated);
  // Reloads the row of each given cell (the section of a header), as reloadSpecifier one at a
  // time would, with one table update for them all. Cells not on the page are passed over.
  void reloadRowsOfSpecifiers(const Specifiers& specifiers, bool animated);
  // Removes every given cell that is on the page.
  void removeContiguousSpecifiers(const Specifiers& specifiers, bool animated);
  // Removes every cell of `removed` that is on the page and appends those of `added`, as
  // removeContiguousSpecifiers and then addSpecifiersFromArray would, with one table update.
  void replaceContiguousSpecifiers(const Specifiers& removed, const Specifiers& added,
                                   bool animated);
  void addSpecifiersFromArray(const Specifiers& specifiers, bool animated);

  // The table (the page's view), loaded on first use.
  std::shared_ptr<UITableView> table();

  // The page that opened this one (weak), and the cell it was opened from.
  std::shared_ptr<PSListController> parentController() const { return parentController_.lock(); }
  void setParentController(const std::shared_ptr<PSListController>& parent) {
    parentController_ = parent;
  }
  std::shared_ptr<PSSpecifier> specifier() const { return specifier_; }
  void setSpecifier(std::shared_ptr<PSSpecifier> specifier) { specifier_ = std::move(specifier); }

  std::shared_ptr<NSBundle> bundle();  // sends "bundle"
  void setBundle(std::shared_ptr<NSBundle> bundle) { bundle_ = std::move(bundle); }

  // The page's data source (instance variable "_dataSource", std::shared_ptr<Object>): an
  // object a preference bundle may give its page; the page holds it strongly.
  const std::shared_ptr<Object>& dataSource() const { return dataSource_; }
  void setDataSource(std::shared_ptr<Object> dataSource) { dataSource_ = std::move(dataSource); }

  // specifiersFromDictionary:stringsTable:parentSpecifier:target: the cells of one entry of a
  // settings bundle's "PreferenceSpecifiers" array (none for an entry of an unknown type), as
  // PSPlistSpecifiers::fromSettingsEntry reads them.
  Specifiers specifiersFromDictionary(const Plist& entry, const std::string& stringsTable,
                                      const std::shared_ptr<PSSpecifier>& parent,
                                      const std::shared_ptr<Object>& target);

  // Data source and delegate.
  long numberOfSectionsInTableView(UITableView& tableView) override;
  long tableViewNumberOfRowsInSection(UITableView& tableView, long section) override;
  std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(
      UITableView& tableView, const NSIndexPath& indexPath) override;
  std::string tableViewTitleForHeaderInSection(UITableView& tableView, long section) override;
  std::string tableViewTitleForFooterInSection(UITableView& tableView, long section) override;
  // A group header whose "headerCellClass" property names a view class is shown by an instance
  // of that class (see PSHeaderFooterViewMethods.h), as high as it asks to be.
  std::shared_ptr<UIView> tableViewViewForHeaderInSection(UITableView& tableView,
                                                          long section) override;
  std::optional<CGFloat> tableViewHeightForHeaderInSection(UITableView& tableView,
                                                           long section) override;
  void tableViewDidSelectRowAtIndexPath(UITableView& tableView,
                                        const NSIndexPath& indexPath) override;

 protected:
  friend struct PSListControllerMethods;

  // The page's cells; empty unless a page class provides them.
  virtual Specifiers loadSpecifiers() { return {}; }
  virtual void reloadSpecifiersImpl();
  virtual std::shared_ptr<NSBundle> bundleImpl() { return bundle_; }
  virtual std::shared_ptr<UITableViewCell> cellForRowImpl(const std::shared_ptr<UITableView>& table,
                                                          const NSIndexPath& indexPath);
  virtual void didSelectRowImpl(const std::shared_ptr<UITableView>& table,
                                const NSIndexPath& indexPath);
  virtual Plist readPreferenceValueImpl(const std::shared_ptr<PSSpecifier>& specifier);
  virtual void setPreferenceValueImpl(const Plist& value,
                                      const std::shared_ptr<PSSpecifier>& specifier);
  void loadViewImpl() override;
  void viewWillAppearImpl(bool animated) override;
  // Runs once, when the cells are first loaded.
  virtual void specifiersDidLoad() {}

  bool specifiersLoaded() const { return loaded_; }

 private:
  using Group = PageSpecifiers::Group;
  // The group's header; nothing for the headerless group or a group that does not exist.
  std::shared_ptr<PSSpecifier> headerOfGroup(long group);
  // The view made for a group header's "headerCellClass", once per header; nothing when the
  // header names no view class.
  std::shared_ptr<UIView> headerCellOfGroup(long group);
  void ensureLoaded();
  const PageSpecifiers& loadedList();
  // Makes `next` the page, updating the table to match.
  void applySpecifiers(Specifiers next, bool animated);
  std::shared_ptr<UITableView> loadedTable();

  PageSpecifiers specifiers_;
  // What specifiersInGroup answers as the header of a headerless first group.
  std::shared_ptr<PSSpecifier> leadingGroup_;
  // Header views made from "headerCellClass", by header (only headers still on the page).
  std::map<std::shared_ptr<PSSpecifier>, std::shared_ptr<UIView>> headerCells_;
  bool loaded_ = false;
  std::weak_ptr<PSListController> parentController_;
  std::shared_ptr<PSSpecifier> specifier_;
  std::shared_ptr<NSBundle> bundle_;
  std::shared_ptr<Object> dataSource_;
};

}  // namespace host
