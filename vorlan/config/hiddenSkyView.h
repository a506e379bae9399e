#pragma once

#include <memory>
#include <string>
#include <vector>

#include "panels/skyView.h"
#include "uikit/CGGeometry.h"
#include "uikit/UITableViewDataSource.h"

namespace host {
class UILabel;
class UISwitch;
class UITableView;
}  // namespace host

namespace vorlan {

// The list of hidden cells, one row with a switch each. A row switched off shows its cell again
// when the panel closes, however it closes; switching it on again before that changes nothing.
// Every showing starts from what is stored, all switches on.
class hiddenSkyView : public skyView, public host::UITableViewDataSource {
 public:
  static constexpr const char* kEmptyText = "You have not hidden any cell";
  static constexpr const char* kReuseIdentifier = "hiddenCell";

  static host::Class* objcClass();
  explicit hiddenSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<hiddenSkyView> make(const host::CGRect& frame);

  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;
  void dismissShape(bool animated) override;

  const std::shared_ptr<host::UITableView>& table() const { return table_; }
  const std::shared_ptr<host::UILabel>& nope() const { return nope_; }
  // The hidden cells listed, and whether each one's switch is on.
  const std::vector<std::string>& array() const { return array_; }
  const std::vector<bool>& switched() const { return switched_; }

  // A row's switch changed: its tag is the row.
  void switcherChanged(const host::UISwitch& sender);

  long tableViewNumberOfRowsInSection(host::UITableView& tableView, long section) override;
  std::shared_ptr<host::UITableViewCell> tableViewCellForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  void layoutList();

  std::shared_ptr<host::UITableView> table_;
  std::shared_ptr<host::UILabel> nope_;
  std::vector<std::string> array_;
  std::vector<bool> switched_;
};

}  // namespace vorlan
