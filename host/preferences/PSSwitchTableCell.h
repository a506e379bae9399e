#pragma once

#include <memory>

#include "preferences/PSTableCell.h"

namespace host {

class UISwitch;

// A settings cell with a switch as its accessory. The switch shows the value that the
// specifier's getter reads; flipping it sends "controlChanged:" (void(Id), the switch) to the
// cell, which stores the new value through the specifier's setter. "reloadWithSpecifier:animated:"
// (void(std::shared_ptr<PSSpecifier>, bool)) shows a specifier; both go through the runtime.
class PSSwitchTableCell : public PSTableCell {
 public:
  static Class* objcClass();
  explicit PSSwitchTableCell(Class* cls = objcClass());

  // The switch, made on first use.
  std::shared_ptr<UISwitch> control();

  void reloadWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier, bool animated);
  void controlChanged(const std::shared_ptr<Object>& sender);

  void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) override;

 protected:
  virtual void reloadWithSpecifierImpl(const std::shared_ptr<PSSpecifier>& specifier,
                                       bool animated);
  virtual void controlChangedImpl(const std::shared_ptr<Object>& sender);

 private:
  friend struct PSSwitchTableCellMethods;
  std::shared_ptr<UISwitch> control_;
};

}  // namespace host
