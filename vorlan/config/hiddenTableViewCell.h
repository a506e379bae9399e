#pragma once

#include <memory>
#include <string>

#include "uikit/UITableViewCell.h"

namespace host {
class UIImageView;
class UILabel;
class UISwitch;
}  // namespace host

namespace vorlan {

// A row of the list of hidden cells: the cell's icon at the left, square and centred
// vertically, a switch 15 points from the right edge, and the cell's title between them.
class hiddenTableViewCell : public host::UITableViewCell {
 public:
  static host::Class* objcClass();
  explicit hiddenTableViewCell(host::Class* cls = objcClass());

  // initWithStyle:reuseIdentifier:
  static std::shared_ptr<hiddenTableViewCell> make(host::UITableViewCellStyle style,
                                                   std::string reuseIdentifier);

  const std::shared_ptr<host::UIImageView>& icon() const { return icon_; }
  const std::shared_ptr<host::UILabel>& label() const { return label_; }
  const std::shared_ptr<host::UISwitch>& switcher() const { return switcher_; }

  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  // The subviews join the content view once the cell is shared (a cell made by name gets them
  // when it joins its table).
  void attachContent();

  std::shared_ptr<host::UIImageView> icon_;
  std::shared_ptr<host::UILabel> label_;
  std::shared_ptr<host::UISwitch> switcher_;
};

}  // namespace vorlan
