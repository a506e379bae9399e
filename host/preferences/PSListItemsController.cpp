#include "preferences/PSListItemsController.h"

#include <string>

#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace host {

namespace {

constexpr const char* kValueKey = "value";

// The opening cell's value, its default when unset.
Plist chosenValue(PSSpecifier& opener) {
  Plist value = opener.performGetter();
  return value.isNone() ? opener.propertyForKey("default") : value;
}

}  // namespace

HOST_CLASS(PSListItemsController, PSListController)

PSListItemsController::PSListItemsController(Class* cls) : PSListController(cls) {}

PSListController::Specifiers PSListItemsController::loadSpecifiers() {
  const auto opener = specifier();
  if (!opener) return {};
  const auto titles = opener->propertyForKey("Titles").items();
  const auto values = opener->propertyForKey("Values").items();
  Specifiers out{PSSpecifier::emptyGroupSpecifier()};
  // A choice needs both its title and its value; extra entries on either side are left out.
  for (std::size_t i = 0; i < titles.size() && i < values.size(); ++i) {
    const std::string* title = titles[i].asString();
    if (!title) continue;
    auto item = PSSpecifier::specifier(*title, *title, PSSpecifier::PSListItemCell);
    item->setProperty(values[i], kValueKey);
    out.push_back(std::move(item));
  }
  return out;
}

std::shared_ptr<UITableViewCell> PSListItemsController::cellForRowImpl(
    const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath) {
  auto cell = PSListController::cellForRowImpl(table, indexPath);
  const auto item = specifierAtIndexPath(indexPath);
  const auto opener = specifier();
  const bool chosen =
      cell && item && opener && item->propertyForKey(kValueKey) == chosenValue(*opener);
  if (cell) {
    cell->setAccessoryType(chosen ? UITableViewCellAccessoryCheckmark
                                  : UITableViewCellAccessoryNone);
  }
  return cell;
}

void PSListItemsController::didSelectRowImpl(const std::shared_ptr<UITableView>& table,
                                             const NSIndexPath& indexPath) {
  const auto item = specifierAtIndexPath(indexPath);
  const auto opener = specifier();
  if (table) table->deselectRowAtIndexPath(indexPath, true);
  if (!item || !opener || item->cellType() != PSSpecifier::PSListItemCell) return;
  opener->performSetterWithValue(item->propertyForKey(kValueKey));
  if (table) table->reloadData();
  if (const auto below = parentController()) below->reloadSpecifier(opener);
}

}  // namespace host
