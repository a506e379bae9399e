#include "preferences/PSTableCell.h"

#include <array>
#include <utility>

#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"

namespace host {

namespace {

struct CellTypeName {
  std::string_view name;
  int type;
};

constexpr std::array<CellTypeName, 10> kCellTypes{{
    {"PSGroupCell", PSSpecifier::PSGroupCell},
    {"PSLinkCell", PSSpecifier::PSLinkCell},
    {"PSLinkListCell", PSSpecifier::PSLinkListCell},
    {"PSListItemCell", PSSpecifier::PSListItemCell},
    {"PSTitleValueCell", PSSpecifier::PSTitleValueCell},
    {"PSSliderCell", PSSpecifier::PSSliderCell},
    {"PSSwitchCell", PSSpecifier::PSSwitchCell},
    {"PSStaticTextCell", PSSpecifier::PSStaticTextCell},
    {"PSEditTextCell", PSSpecifier::PSEditTextCell},
    {"PSButtonCell", PSSpecifier::PSButtonCell},
}};

}  // namespace

HOST_CLASS(PSTableCell, UITableViewCell)

PSTableCell::PSTableCell(Class* cls) : UITableViewCell(cls) {}

int PSTableCell::cellTypeFromString(std::string_view name) {
  for (const CellTypeName& entry : kCellTypes) {
    if (entry.name == name) return entry.type;
  }
  return PSSpecifier::PSLinkCell;
}

std::string PSTableCell::reuseIdentifierForCellType(int cellType) {
  for (const CellTypeName& entry : kCellTypes) {
    if (entry.type == cellType) return std::string(entry.name);
  }
  return "PSCellType" + std::to_string(cellType);
}

void PSTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
  specifier_ = specifier;
  if (!specifier) return;
  textLabel()->setText(specifier->name());
  const int type = specifier->cellType();
  const bool opensPage = type == PSSpecifier::PSLinkCell || type == PSSpecifier::PSLinkListCell;
  setAccessoryType(opensPage ? UITableViewCellAccessoryDisclosureIndicator
                             : UITableViewCellAccessoryNone);
  textLabel()->setEnabled(isCellEnabled());
  if (type == PSSpecifier::PSTitleValueCell || type == PSSpecifier::PSLinkListCell) {
    detailTextLabel()->setText(shownValue(*specifier));
  }
  // The image view is made only for cells that have shown an icon.
  const auto icon = std::dynamic_pointer_cast<UIImage>(specifier->objectForKey("iconImage"));
  if (icon || showsIcon_) {
    imageView()->setImage(icon);
    showsIcon_ = icon != nullptr;
  }
}

std::string PSTableCell::shownValue(PSSpecifier& specifier) {
  Plist value = specifier.performGetter();
  if (value.isNone()) value = specifier.propertyForKey("default");
  // A value with a title of its own shows the title.
  const auto titles = specifier.propertyForKey("Titles").items();
  const auto values = specifier.propertyForKey("Values").items();
  for (std::size_t i = 0; i < titles.size() && i < values.size(); ++i) {
    if (values[i] == value) {
      if (const std::string* title = titles[i].asString()) return *title;
    }
  }
  if (const std::string* text = value.asString()) return *text;
  if (const auto number = value.asInteger()) return std::to_string(*number);
  return {};
}

bool PSTableCell::isCellEnabled() const {
  if (!specifier_) return true;
  return specifier_->propertyForKey("enabled").asBoolean().value_or(true);
}

void PSTableCell::prepareForReuse() {
  UITableViewCell::prepareForReuse();
  specifier_.reset();
}

}  // namespace host
