#pragma once

#include <memory>
#include <string>

#include "uikit/UITableViewCell.h"

namespace host {
class UIImageView;
class UILabel;
}  // namespace host

namespace vorlan {

// A row of the lists of stored cells: the cell's icon at the left, square and centred
// vertically, and its title beside it up to 10 points before the right edge.
class disabledTableViewCell : public host::UITableViewCell {
 public:
  static host::Class* objcClass();
  explicit disabledTableViewCell(host::Class* cls = objcClass());

  // initWithStyle:reuseIdentifier:
  static std::shared_ptr<disabledTableViewCell> make(host::UITableViewCellStyle style,
                                                     std::string reuseIdentifier);

  const std::shared_ptr<host::UIImageView>& icon() const { return icon_; }
  const std::shared_ptr<host::UILabel>& label() const { return label_; }

  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  // The icon and label join the content view once the cell is shared (a cell made by name gets
  // them when it joins its table).
  void attachContent();

  std::shared_ptr<host::UIImageView> icon_;
  std::shared_ptr<host::UILabel> label_;
};

}  // namespace vorlan
