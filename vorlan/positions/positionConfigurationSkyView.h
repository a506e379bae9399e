#pragma once

#include <memory>
#include <string>
#include <vector>

#include "panels/skyView.h"
#include "uikit/CGGeometry.h"
#include "uikit/UITableViewDataSource.h"

namespace host {
class UILabel;
class UITableView;
}  // namespace host

namespace vorlan {

// The list of moved cells: every cell with a stored place. Swiping a row and confirming its
// delete button resets that cell's place at once (the page on screen is rebuilt without the
// move) and takes the row away. Every showing starts from what is stored.
class positionConfigurationSkyView : public skyView, public host::UITableViewDataSource {
 public:
  static constexpr const char* kEmptyText = "You didn't change the position of any cell";
  static constexpr const char* kHeaderText = "Swipe to reset the position\nof a cell";
  static constexpr const char* kReuseIdentifier = "disabledCell";

  static host::Class* objcClass();
  explicit positionConfigurationSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<positionConfigurationSkyView> make(const host::CGRect& frame);

  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;

  const std::shared_ptr<host::UITableView>& table() const { return table_; }
  const std::shared_ptr<host::UILabel>& nope() const { return nope_; }
  const std::shared_ptr<host::UILabel>& info() const { return info_; }
  // The moved cells listed.
  const std::vector<std::string>& array() const { return array_; }

  long tableViewNumberOfRowsInSection(host::UITableView& tableView, long section) override;
  std::shared_ptr<host::UITableViewCell> tableViewCellForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool implementsCommitEditingStyle() const override { return true; }
  void tableViewCommitEditingStyle(host::UITableView& tableView,
                                   host::UITableViewCellEditingStyle style,
                                   const host::NSIndexPath& indexPath) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  void layoutList();

  std::shared_ptr<host::UILabel> nope_;
  std::shared_ptr<host::UITableView> table_;
  std::shared_ptr<host::UILabel> info_;
  std::vector<std::string> array_;
};

}  // namespace vorlan
