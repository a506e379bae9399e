#pragma once

#include <memory>

#include "preferences/PSTableCell.h"

namespace host {

class UITextField;

// A settings cell whose value is typed: its title, then a text field holding the value that the
// specifier's getter reads (its "default" when unset, its "placeholder" when empty). Every change
// to the text is stored at once through the specifier's setter, so leaving the page, the app or
// the field in any way loses nothing.
class PSEditableTableCell : public PSTableCell {
 public:
  static constexpr double kFieldWidth = 200;

  static Class* objcClass();
  explicit PSEditableTableCell(Class* cls = objcClass());

  // The text field, made on first use.
  std::shared_ptr<UITextField> textField();

  void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) override;

 private:
  void textChanged();

  std::shared_ptr<UITextField> field_;
};

}  // namespace host
