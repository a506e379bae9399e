#pragma once

#include <memory>
#include <string>

#include "uikit/UITableViewCell.h"

namespace host {
class UILabel;
class UIView;
}  // namespace host

namespace vorlan {

// A row of the tag list: a rounded background inset from the row's edges, the tag's colour as
// a small bordered circle at the left and its name beside it.
class tagTableViewCell : public host::UITableViewCell {
 public:
  static host::Class* objcClass();
  explicit tagTableViewCell(host::Class* cls = objcClass());

  // initWithStyle:reuseIdentifier:
  static std::shared_ptr<tagTableViewCell> make(host::UITableViewCellStyle style,
                                                std::string reuseIdentifier);

  const std::shared_ptr<host::UIView>& color() const { return color_; }
  const std::shared_ptr<host::UILabel>& label() const { return label_; }
  const std::shared_ptr<host::UIView>& back() const { return back_; }

  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  // The parts join the content view once the cell is shared (a cell made by name gets them
  // when it joins its table).
  void attachContent();

  std::shared_ptr<host::UIView> color_;
  std::shared_ptr<host::UILabel> label_;
  std::shared_ptr<host::UIView> back_;
};

}  // namespace vorlan
