#pragma once

#include <memory>

#include "preferences/PSTableCell.h"

namespace host {

class UISlider;

// A settings cell that is a slider across its width: the range is the specifier's
// "MinimumValue" and "MaximumValue" (0 and 1 when missing), the value what its getter reads (its
// "default" when unset). Every move of the slider is stored through the specifier's setter. The
// slider's accessibility label is the row's title, else (a slider row seldom has one) its key.
class PSSliderTableCell : public PSTableCell {
 public:
  static Class* objcClass();
  explicit PSSliderTableCell(Class* cls = objcClass());

  // The slider, made on first use.
  std::shared_ptr<UISlider> control();

  void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void valueChanged();

  std::shared_ptr<UISlider> slider_;
};

}  // namespace host
