#include "preferences/PSEditableTableCell.h"

#include <string>

#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"
#include "uikit/UITextField.h"

namespace host {

HOST_CLASS(PSEditableTableCell, PSTableCell)

PSEditableTableCell::PSEditableTableCell(Class* cls) : PSTableCell(cls) {}

std::shared_ptr<UITextField> PSEditableTableCell::textField() {
  if (!field_) {
    field_ = std::make_shared<UITextField>();
    field_->setFrame(CGRectMake(0, 0, kFieldWidth, 30));
    field_->setTextAlignment(NSTextAlignment::Right);
    field_->setTextColor(UIColor::colorWithRed(0.56, 0.56, 0.58, 1));
    // The cell owns the field; the field's action holds the cell weakly.
    std::weak_ptr<Object> weakCell = weak_from_this();
    field_->addAction(
        [weakCell](const std::shared_ptr<UIControl>&, UIEvent*) {
          if (auto cell = std::dynamic_pointer_cast<PSEditableTableCell>(weakCell.lock())) {
            cell->textChanged();
          }
        },
        UIControlEventEditingChanged | UIControlEventEditingDidEnd);
    setAccessoryView(field_);
  }
  return field_;
}

void PSEditableTableCell::refreshCellContentsWithSpecifier(
    const std::shared_ptr<PSSpecifier>& specifier) {
  PSTableCell::refreshCellContentsWithSpecifier(specifier);
  setAccessoryType(UITableViewCellAccessoryNone);
  const auto field = textField();
  if (!specifier) return;
  Plist value = specifier->performGetter();
  if (value.isNone()) value = specifier->propertyForKey("default");
  const std::string* text = value.asString();
  field->setText(text ? *text : std::string());
  const std::string* placeholder = specifier->propertyForKey("placeholder").asString();
  field->setPlaceholder(placeholder ? *placeholder : std::string());
  field->setEnabled(isCellEnabled());
}

void PSEditableTableCell::textChanged() {
  if (const auto item = specifier()) item->performSetterWithValue(Plist::string(field_->text()));
}

}  // namespace host
