#pragma once

#include <memory>
#include <string>

namespace host {
class PSSpecifier;
class UITableView;
class UITableViewCell;
}  // namespace host

namespace vorlan {

// The rows of the add, remove and sort pages: a plain white row with the cell's icon and its
// title in black on one line.
class FolderTableRow {
 public:
  // The table's look for such rows: no scroll indicators, no separators past the last row,
  // black separators, and rows made from `reuseIdentifier` on demand.
  static void prepareTable(host::UITableView& table, const std::string& reuseIdentifier);
  // Shows `specifier` in `cell`. The title label's layer is named after the cell's identifier
  // when `nameLayer` is set, so that the row can be told apart by what it stands for.
  static void show(host::UITableViewCell& cell, const host::PSSpecifier& specifier, bool nameLayer);
};

}  // namespace vorlan
