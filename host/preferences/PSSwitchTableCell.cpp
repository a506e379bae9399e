#include "preferences/PSSwitchTableCell.h"

#include "preferences/PSSpecifier.h"
#include "preferences/PSSwitchTableCellMethods.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UISwitch.h"

namespace host {

struct PSSwitchTableCellMethods {
  static void define(Class* c) {
    host::define<MethodsOf<PSSwitchTableCell>::ReloadWithSpecifier>(
        c, [](Object* self, std::shared_ptr<PSSpecifier> specifier, bool animated) {
          if (auto* cell = dynamic_cast<PSSwitchTableCell*>(self)) {
            cell->reloadWithSpecifierImpl(specifier, animated);
          }
        });
    host::define<MethodsOf<PSSwitchTableCell>::ControlChanged>(c, [](Object* self, Id sender) {
      if (auto* cell = dynamic_cast<PSSwitchTableCell*>(self)) cell->controlChangedImpl(sender);
    });
  }
};

HOST_CLASS_WITH(PSSwitchTableCell, PSTableCell,
                [](Class* c) { PSSwitchTableCellMethods::define(c); })

PSSwitchTableCell::PSSwitchTableCell(Class* cls) : PSTableCell(cls) {}

std::shared_ptr<UISwitch> PSSwitchTableCell::control() {
  if (!control_) {
    control_ = std::make_shared<UISwitch>();
    // The cell owns the switch; the switch's action holds the cell weakly.
    std::weak_ptr<Object> weakCell = weak_from_this();
    control_->addAction(
        [weakCell](const std::shared_ptr<UIControl>& sender, UIEvent*) {
          if (auto cell = weakCell.lock())
            send<MethodsOf<PSSwitchTableCell>::ControlChanged>(cell, sender);
        },
        UIControlEventValueChanged);
    setAccessoryView(control_);
  }
  return control_;
}

void PSSwitchTableCell::reloadWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier,
                                            bool animated) {
  send<MethodsOf<PSSwitchTableCell>::ReloadWithSpecifier>(this, specifier, animated);
}

void PSSwitchTableCell::controlChanged(const std::shared_ptr<Object>& sender) {
  send<MethodsOf<PSSwitchTableCell>::ControlChanged>(this, sender);
}

void PSSwitchTableCell::refreshCellContentsWithSpecifier(
    const std::shared_ptr<PSSpecifier>& specifier) {
  reloadWithSpecifier(specifier, false);
}

void PSSwitchTableCell::reloadWithSpecifierImpl(const std::shared_ptr<PSSpecifier>& specifier,
                                                bool animated) {
  PSTableCell::refreshCellContentsWithSpecifier(specifier);
  setAccessoryType(UITableViewCellAccessoryNone);
  const auto toggle = control();
  if (!specifier) return;
  Plist value = specifier->performGetter();
  if (value.isNone()) value = specifier->propertyForKey("default");
  toggle->setOn(value.asBoolean().value_or(false), animated);
  toggle->setEnabled(isCellEnabled());
}

void PSSwitchTableCell::controlChangedImpl(const std::shared_ptr<Object>& sender) {
  auto toggle = std::dynamic_pointer_cast<UISwitch>(sender);
  if (!toggle) toggle = control();
  if (const auto item = specifier()) item->performSetterWithValue(Plist::boolean(toggle->isOn()));
}

}  // namespace host
