#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/Plist.h"
#include "panels/skyView.h"
#include "uikit/CGGeometry.h"
#include "uikit/UITableViewDataSource.h"
#include "uikit/UITableViewDelegate.h"

namespace host {
class UIGestureRecognizer;
class UILabel;
class UITableView;
}  // namespace host

namespace vorlan {

class tagConfigurationView;

// The list of tags, opened from the configuration page. One row per tag in tag-key order, then
// "Add" (a new white tag with a free default name) and "Reset" (all tags back to the defaults,
// after an alert). A swipe deletes a tag; a tap on a tag slides the tag editor in beside the
// list. Every change is saved at once; the panel keeps its own copy of the tags for display and
// changes it in step. Every showing starts from what is stored.
class tagsConfigurationSkyView : public skyView,
                                 public host::UITableViewDataSource,
                                 public host::UITableViewDelegate {
 public:
  static constexpr const char* kReuseIdentifier = "tagCell";
  static constexpr const char* kHeaderText = "Swipe to delete a tag or tap\none to edit it";
  static constexpr const char* kAddTitle = "Add";
  static constexpr const char* kResetTitle = "Reset";
  static constexpr const char* kResetMessage =
      "This will erase all tags, restore the defaults and perform a Respring. Do you want to "
      "continue?";
  static constexpr const char* kNewTagFill = "FFFFFF";
  static constexpr const char* kNewTagBorder = "ABABAB";

  static host::Class* objcClass();
  explicit tagsConfigurationSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<tagsConfigurationSkyView> make(const host::CGRect& frame);

  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;
  // Also ends the typing of a tag's name, so that the keyboard goes with the panel.
  void dismissShape(bool animated) override;

  // A tap on row `row`, as the row's tap recogniser reports it.
  void tappedRow(long row);
  // The editor's callbacks: refresh the edited row's copy after a save, and slide the editor
  // out.
  void reloadCell();
  void hideTagConfiguration();

  const std::shared_ptr<host::UITableView>& table() const { return table_; }
  const std::shared_ptr<host::UILabel>& info() const { return info_; }
  const std::shared_ptr<tagConfigurationView>& configurationView() const {
    return configurationView_;
  }
  // The tag records shown, in tag-key order.
  const std::vector<host::Plist>& array() const { return array_; }
  int lastRow() const { return lastRow_; }

  long tableViewNumberOfRowsInSection(host::UITableView& tableView, long section) override;
  std::shared_ptr<host::UITableViewCell> tableViewCellForRowAtIndexPath(
      host::UITableView& tableView, const host::NSIndexPath& indexPath) override;
  bool tableViewCanEditRowAtIndexPath(host::UITableView& tableView,
                                      const host::NSIndexPath& indexPath) override;
  bool implementsCommitEditingStyle() const override { return true; }
  void tableViewCommitEditingStyle(host::UITableView& tableView,
                                   host::UITableViewCellEditingStyle style,
                                   const host::NSIndexPath& indexPath) override;

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  long tagCount() const { return static_cast<long>(array_.size()); }
  void loadTags(const host::Plist& table);
  void tappedCell(const std::shared_ptr<host::UIGestureRecognizer>& recognizer);
  void showResetAlert();
  void addTag();
  void editTag(long row);

  std::shared_ptr<host::UITableView> table_;
  std::shared_ptr<host::UILabel> info_;
  std::shared_ptr<tagConfigurationView> configurationView_;
  std::vector<host::Plist> array_;
  int lastRow_ = 0;
};

}  // namespace vorlan
