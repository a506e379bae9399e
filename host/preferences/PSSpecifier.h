#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/Plist.h"
#include "runtime/Object.h"
#include "runtime/TypeEncoding.h"

namespace host {

// Property-list values are objects on the device.
template <>
struct TypeEncoding<Plist> {
  static std::string value() { return "@"; }
};

class Class;

// One cell of a settings page: its identifier, its title, its properties and its cell type.
//
// A cell's value is read and stored through its getter and setter: callables when set, else the
// selectors "get" and "set" sent to the target (held weakly) as
// Plist(std::shared_ptr<PSSpecifier>) and void(Plist, std::shared_ptr<PSSpecifier>). A cell
// without either, or whose target is gone, reads None and stores nothing.
class PSSpecifier : public Object {
 public:
  using Getter = std::function<Plist(const std::shared_ptr<PSSpecifier>&)>;
  using Setter = std::function<void(const Plist&, const std::shared_ptr<PSSpecifier>&)>;

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
  // preferenceSpecifierNamed:target:set:get:detail:cell:edit: (the edit pane is not modelled).
  // The identifier is the name, as on the device until one is set.
  static std::shared_ptr<PSSpecifier> preferenceSpecifierNamed(
      std::string name, const std::shared_ptr<Object>& target, std::string setSelector,
      std::string getSelector, Class* detail, int cellType, Class* edit = nullptr);
  // A group header without a title.
  static std::shared_ptr<PSSpecifier> emptyGroupSpecifier();
  // A group header with a title ("footerText" and "headerCellClass" are properties).
  static std::shared_ptr<PSSpecifier> groupSpecifierWithName(std::string name);
  bool isGroup() const { return cellType_ == PSGroupCell; }

  // The specifier identifier; empty when the cell has none.
  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
  // The cell's title; empty when it has none.
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  int cellType() const { return cellType_; }
  void setCellType(int cellType);
  // Counts the cells, of any list, that became a group header or stopped being one: a list that
  // keeps its grouping works it out again when this count moved.
  static std::uint64_t groupingGeneration();
  Class* detailControllerClass() const { return detailControllerClass_; }
  void setDetailControllerClass(Class* cls) { detailControllerClass_ = cls; }

  std::shared_ptr<Object> target() const { return target_.lock(); }
  void setTarget(const std::shared_ptr<Object>& target) { target_ = target; }
  const std::string& setterSelector() const { return setSelector_; }
  const std::string& getterSelector() const { return getSelector_; }
  void setSetterSelector(std::string selector) { setSelector_ = std::move(selector); }
  void setGetterSelector(std::string selector) { getSelector_ = std::move(selector); }
  void setValueSetter(Setter setter) { setter_ = std::move(setter); }
  void setValueGetter(Getter getter) { getter_ = std::move(getter); }
  // Stores or reads the cell's value through the setter or getter (see above).
  void performSetterWithValue(const Plist& value);
  Plist performGetter();

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
  std::weak_ptr<Object> target_;
  std::string setSelector_;
  std::string getSelector_;
  Setter setter_;
  Getter getter_;
  Plist properties_ = Plist::dictionary();
  std::map<std::string, Id, std::less<>> objects_;
};

}  // namespace host
