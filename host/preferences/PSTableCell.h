#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "uikit/UITableViewCell.h"

namespace host {

class PSSpecifier;

// A cell of a settings page, showing one specifier: its title, and a disclosure arrow for cells
// that open a page, and its "iconImage" in the image view. A cell whose specifier's "enabled"
// property is false is shown dimmed.
class PSTableCell : public UITableViewCell {
 public:
  static Class* objcClass();
  explicit PSTableCell(Class* cls = objcClass());

  // cellTypeFromString: the cell type named by a cell class name ("PSSwitchCell" -> 6); a name
  // that is not a cell type gives the link type, as on the device.
  static int cellTypeFromString(std::string_view name);
  // The reuse identifier of the cells of a type.
  static std::string reuseIdentifierForCellType(int cellType);

  std::shared_ptr<PSSpecifier> specifier() const { return specifier_; }
  void setSpecifier(std::shared_ptr<PSSpecifier> specifier) { specifier_ = std::move(specifier); }
  // Shows the specifier's title, accessory and enabled state.
  virtual void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);
  // False when the specifier's "enabled" property is false.
  bool isCellEnabled() const;
  // What a title-value or multi-value cell shows beside its title: the title of the stored value
  // among the cell's "Titles", else the value itself.
  static std::string shownValue(PSSpecifier& specifier);

  void prepareForReuse() override;

 private:
  std::shared_ptr<PSSpecifier> specifier_;
  bool showsIcon_ = false;
};

}  // namespace host
