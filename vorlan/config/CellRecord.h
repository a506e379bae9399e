#pragma once

#include <memory>
#include <string>
#include <vector>

namespace host {
class UIImage;
}  // namespace host

namespace vorlan {

class VLPreferencesManager;

// What a list row shows for a stored cell: its title and its icon, from the record the manager
// keeps for the cell's identifier.
struct CellRecord {
  std::string name;
  std::shared_ptr<host::UIImage> icon;  // nothing when none is stored or it cannot be decoded

  // A record without a title is titled by the identifier itself, so that the row still says
  // which cell it stands for (a settings file edited by hand, or a cell saved without a name).
  static CellRecord forIdentifier(const VLPreferencesManager& manager,
                                  const std::string& identifier);

  // The identifiers in their order, each once. A cell stored under two pages is undone on both
  // at once, so a list shows it as one row: one switch or one deletion for the cell.
  static std::vector<std::string> listedOnce(std::vector<std::string> identifiers);
};

}  // namespace vorlan
