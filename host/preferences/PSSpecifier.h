#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/Plist.h"
#include "runtime/Object.h"

namespace host {

class Class;

// One cell of a settings page: its identifier, its title, its properties and its cell type.
class PSSpecifier : public Object {
 public:
  // Cell types, numbered as the Settings app numbers them.
  enum CellType : int {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSButtonCell = 13,
  };

  static Class* objcClass();
  explicit PSSpecifier(Class* cls = objcClass());

  static std::shared_ptr<PSSpecifier> specifier(std::string identifier, std::string name,
                                                int cellType = PSLinkCell);

  // The specifier identifier; empty when the cell has none.
  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
  // The cell's title; empty when it has none.
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  int cellType() const { return cellType_; }
  void setCellType(int cellType) { cellType_ = cellType; }
  Class* detailControllerClass() const { return detailControllerClass_; }
  void setDetailControllerClass(Class* cls) { detailControllerClass_ = cls; }

  // Property-list valued properties ("enabled", "label", "footerText", ...).
  const Plist& properties() const { return properties_; }
  Plist propertyForKey(std::string_view key) const { return properties_.get(key); }
  void setProperty(Plist value, const std::string& key);
  // Object valued properties ("iconImage").
  Id objectForKey(std::string_view key) const;
  void setObject(Id value, const std::string& key);

 private:
  std::string identifier_;
  std::string name_;
  int cellType_ = PSLinkCell;
  Class* detailControllerClass_ = nullptr;
  Plist properties_ = Plist::dictionary();
  std::map<std::string, Id, std::less<>> objects_;
};

}  // namespace host
