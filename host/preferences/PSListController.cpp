#include "preferences/PSListController.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/PropertyListSerialization.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSEditableTableCell.h"
#include "preferences/PSListControllerMethods.h"
#include "preferences/PSListItemsController.h"
#include "preferences/PSSliderTableCell.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSTableCell.h"
#include "runtime/Runtime.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"

namespace host {

namespace {

using Methods = MethodsOf<PSListController>;

std::shared_ptr<UITableView> sharedTable(UITableView& table) {
  return std::static_pointer_cast<UITableView>(table.shared_from_this());
}

std::string preferencesPath(const std::string& domain) {
  return "/var/mobile/Library/Preferences/" + domain + ".plist";
}

// The preferences domain of a cell's value; empty when it names none or names a path.
std::string defaultsDomain(const PSSpecifier& specifier) {
  const std::string* domain = specifier.propertyForKey("defaults").asString();
  if (!domain || domain->empty() || domain->find('/') != std::string::npos) return {};
  return *domain;
}

}  // namespace

struct PSListControllerMethods {
  template <class F>
  static void with(Object* self, F&& body) {
    if (auto* page = dynamic_cast<PSListController*>(self)) body(*page);
  }

  static void define(Class* c) {
    host::define<Methods::ReloadSpecifiers>(c, [](Object* self) {
      with(self, [](PSListController& page) { page.reloadSpecifiersImpl(); });
    });
    host::define<Methods::Bundle>(c, [](Object* self) {
      std::shared_ptr<NSBundle> result;
      with(self, [&](PSListController& page) { result = page.bundleImpl(); });
      return result;
    });
    host::define<Methods::CellForRowAtIndexPath>(
        c, [](Object* self, std::shared_ptr<UITableView> table, NSIndexPath indexPath) {
          std::shared_ptr<UITableViewCell> cell;
          with(self, [&](PSListController& page) { cell = page.cellForRowImpl(table, indexPath); });
          return cell;
        });
    host::define<Methods::DidSelectRowAtIndexPath>(
        c, [](Object* self, std::shared_ptr<UITableView> table, NSIndexPath indexPath) {
          with(self, [&](PSListController& page) { page.didSelectRowImpl(table, indexPath); });
        });
    host::define<Methods::ReadPreferenceValue>(c, [](Object* self,
                                                     std::shared_ptr<PSSpecifier> specifier) {
      Plist value;
      with(self, [&](PSListController& page) { value = page.readPreferenceValueImpl(specifier); });
      return value;
    });
    host::define<Methods::SetPreferenceValue>(c, [](Object* self, Plist value,
                                                    std::shared_ptr<PSSpecifier> specifier) {
      with(self, [&](PSListController& page) { page.setPreferenceValueImpl(value, specifier); });
    });
  }
};

Class* PSListController::objcClass() {
  static Class* const cls = [] {
    Class* c = Runtime::shared().defineClass("PSListController", UIViewController::objcClass(),
                                             factoryFor<PSListController>());
    PSListControllerMethods::define(c);
    registerIvar(c, "_dataSource", &PSListController::dataSource_);
    return c;
  }();
  return cls;
}

PSListController::PSListController(Class* cls) : UIViewController(cls) {}

// --- The page's cells -----------------------------------------------------------------------

void PSListController::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  specifiers_ = loadSpecifiers();
  specifiersDidLoad();
}

const PSListController::Specifiers& PSListController::specifiers() {
  ensureLoaded();
  return specifiers_;
}

void PSListController::setSpecifiers(Specifiers specifiers) {
  const bool first = !loaded_;
  loaded_ = true;
  specifiers_ = std::move(specifiers);
  if (auto table = loadedTable()) table->reloadData();
  if (first) specifiersDidLoad();
}

void PSListController::reloadSpecifiers() {
  send<Methods::ReloadSpecifiers>(this);
}

void PSListController::reloadSpecifiersImpl() {
  if (!loaded_) {
    ensureLoaded();
  } else {
    specifiers_ = loadSpecifiers();
  }
  if (auto table = loadedTable()) table->reloadData();
}

std::vector<PSListController::Group> PSListController::groupsOf(const Specifiers& specifiers) {
  std::vector<Group> groups;
  for (std::size_t i = 0; i < specifiers.size(); ++i) {
    if (specifiers[i] && specifiers[i]->isGroup()) {
      groups.push_back(Group{i, i + 1, 0});
    } else {
      if (groups.empty()) groups.push_back(Group{std::nullopt, i, 0});
      ++groups.back().count;
    }
  }
  return groups;
}

long PSListController::numberOfGroups() {
  return static_cast<long>(groupsOf(specifiers()).size());
}

PSListController::Specifiers PSListController::specifiersInGroup(long group) {
  const auto groups = groupsOf(specifiers());
  if (group < 0 || group >= static_cast<long>(groups.size())) return {};
  const Group& g = groups[static_cast<std::size_t>(group)];
  Specifiers out;
  if (g.header) out.push_back(specifiers_[*g.header]);
  const auto first = specifiers_.begin() + static_cast<long>(g.first);
  out.insert(out.end(), first, first + static_cast<long>(g.count));
  return out;
}

std::optional<long> PSListController::indexForIndexPath(const NSIndexPath& indexPath) {
  const auto groups = groupsOf(specifiers());
  if (indexPath.section < 0 || indexPath.section >= static_cast<long>(groups.size())) return {};
  const Group& g = groups[static_cast<std::size_t>(indexPath.section)];
  if (indexPath.row < 0 || indexPath.row >= static_cast<long>(g.count)) return {};
  return static_cast<long>(g.first) + indexPath.row;
}

std::optional<NSIndexPath> PSListController::indexPathForSpecifier(const PSSpecifier* specifier) {
  const auto index = indexOfSpecifier(specifier);
  if (!index) return {};
  const auto groups = groupsOf(specifiers_);
  for (std::size_t s = 0; s < groups.size(); ++s) {
    const auto i = static_cast<std::size_t>(*index);
    if (i >= groups[s].first && i < groups[s].first + groups[s].count) {
      return NSIndexPath::indexPathForRow(static_cast<long>(i - groups[s].first),
                                          static_cast<long>(s));
    }
  }
  return {};  // a group header
}

std::shared_ptr<PSSpecifier> PSListController::specifierAtIndexPath(const NSIndexPath& indexPath) {
  const auto index = indexForIndexPath(indexPath);
  return index ? specifiers_[static_cast<std::size_t>(*index)] : nullptr;
}

std::optional<long> PSListController::indexOfSpecifier(const PSSpecifier* specifier) {
  const auto& all = specifiers();
  if (specifier == nullptr) return {};
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].get() == specifier) return static_cast<long>(i);
  }
  return {};
}

std::shared_ptr<PSSpecifier> PSListController::specifierForID(std::string_view identifier) {
  for (const auto& item : specifiers()) {
    if (item && item->identifier() == identifier) return item;
  }
  return nullptr;
}

// --- Changes --------------------------------------------------------------------------------

void PSListController::removeSpecifier(const std::shared_ptr<PSSpecifier>& specifier,
                                       bool animated) {
  removeContiguousSpecifiers({specifier}, animated);
}

void PSListController::addSpecifier(const std::shared_ptr<PSSpecifier>& specifier, bool animated) {
  addSpecifiersFromArray({specifier}, animated);
}

void PSListController::insertSpecifier(const std::shared_ptr<PSSpecifier>& specifier, long index,
                                       bool animated) {
  if (!specifier || index < 0) return;
  Specifiers next = specifiers();
  const auto at = std::min(static_cast<std::size_t>(index), next.size());
  next.insert(next.begin() + static_cast<long>(at), specifier);
  applySpecifiers(std::move(next), animated);
}

void PSListController::reloadSpecifier(const std::shared_ptr<PSSpecifier>& specifier,
                                       bool animated) {
  auto table = loadedTable();
  if (!table || !specifier) return;
  const auto animation = animated ? UITableViewRowAnimationFade : UITableViewRowAnimationNone;
  if (const auto indexPath = indexPathForSpecifier(specifier.get())) {
    table->reloadRowsAtIndexPaths({*indexPath}, animation);
    return;
  }
  // A group header: its section shows its title and footer.
  const auto index = indexOfSpecifier(specifier.get());
  if (!index) return;
  const auto groups = groupsOf(specifiers_);
  for (std::size_t s = 0; s < groups.size(); ++s) {
    if (groups[s].header == static_cast<std::size_t>(*index)) {
      table->reloadSections({static_cast<long>(s)}, animation);
    }
  }
}

void PSListController::removeContiguousSpecifiers(const Specifiers& specifiers, bool animated) {
  std::set<const PSSpecifier*> gone;
  for (const auto& item : specifiers)
    gone.insert(item.get());
  Specifiers next = this->specifiers();
  std::erase_if(next, [&](const auto& item) { return gone.contains(item.get()); });
  applySpecifiers(std::move(next), animated);
}

void PSListController::addSpecifiersFromArray(const Specifiers& specifiers, bool animated) {
  Specifiers next = this->specifiers();
  for (const auto& item : specifiers) {
    if (item) next.push_back(item);
  }
  applySpecifiers(std::move(next), animated);
}

void PSListController::applySpecifiers(Specifiers next, bool animated) {
  ensureLoaded();
  auto table = loadedTable();
  if (table) table->numberOfSections();  // the table holds the old page before it changes
  const Specifiers old = std::exchange(specifiers_, std::move(next));
  if (!table) return;

  // Sections are matched by their header (the headerless group by none), rows by their cell;
  // a page holding a cell twice cannot be matched and reloads whole.
  const auto unique = [](const Specifiers& list) {
    std::set<const PSSpecifier*> seen;
    for (const auto& item : list) {
      if (!seen.insert(item.get()).second) return false;
    }
    return true;
  };
  if (!unique(old) || !unique(specifiers_)) {
    table->reloadData();
    return;
  }
  const auto oldGroups = groupsOf(old);
  const auto newGroups = groupsOf(specifiers_);
  const auto key = [](const Specifiers& list, const Group& g) -> const PSSpecifier* {
    return g.header ? list[*g.header].get() : nullptr;
  };
  std::map<const PSSpecifier*, std::size_t> oldSections;
  std::map<const PSSpecifier*, std::size_t> newSections;
  for (std::size_t s = 0; s < oldGroups.size(); ++s)
    oldSections[key(old, oldGroups[s])] = s;
  for (std::size_t s = 0; s < newGroups.size(); ++s) {
    newSections[key(specifiers_, newGroups[s])] = s;
  }
  const auto cellsOf = [](const Specifiers& list, const Group& g) {
    return std::vector<std::shared_ptr<PSSpecifier>>(
        list.begin() + static_cast<long>(g.first),
        list.begin() + static_cast<long>(g.first + g.count));
  };

  std::vector<long> deletedSections;
  std::vector<long> insertedSections;
  std::vector<NSIndexPath> deletedRows;
  std::vector<NSIndexPath> insertedRows;
  for (std::size_t s = 0; s < oldGroups.size(); ++s) {
    const auto found = newSections.find(key(old, oldGroups[s]));
    if (found == newSections.end()) {
      deletedSections.push_back(static_cast<long>(s));
      continue;
    }
    const auto before = cellsOf(old, oldGroups[s]);
    const auto after = cellsOf(specifiers_, newGroups[found->second]);
    const std::set<std::shared_ptr<PSSpecifier>> beforeSet(before.begin(), before.end());
    const std::set<std::shared_ptr<PSSpecifier>> afterSet(after.begin(), after.end());
    for (std::size_t r = 0; r < before.size(); ++r) {
      if (!afterSet.contains(before[r])) {
        deletedRows.push_back(
            NSIndexPath::indexPathForRow(static_cast<long>(r), static_cast<long>(s)));
      }
    }
    for (std::size_t r = 0; r < after.size(); ++r) {
      if (!beforeSet.contains(after[r])) {
        insertedRows.push_back(
            NSIndexPath::indexPathForRow(static_cast<long>(r), static_cast<long>(found->second)));
      }
    }
  }
  for (std::size_t s = 0; s < newGroups.size(); ++s) {
    if (!oldSections.contains(key(specifiers_, newGroups[s]))) {
      insertedSections.push_back(static_cast<long>(s));
    }
  }

  const auto animation = animated ? UITableViewRowAnimationFade : UITableViewRowAnimationNone;
  table->beginUpdates();
  if (!deletedSections.empty()) table->deleteSections(deletedSections, animation);
  if (!deletedRows.empty()) table->deleteRowsAtIndexPaths(deletedRows, animation);
  if (!insertedSections.empty()) table->insertSections(insertedSections, animation);
  if (!insertedRows.empty()) table->insertRowsAtIndexPaths(insertedRows, animation);
  table->endUpdates();
}

// --- View and table -------------------------------------------------------------------------

std::shared_ptr<UITableView> PSListController::table() {
  return std::dynamic_pointer_cast<UITableView>(view());
}

std::shared_ptr<UITableView> PSListController::loadedTable() {
  return isViewLoaded() ? std::dynamic_pointer_cast<UITableView>(view()) : nullptr;
}

void PSListController::loadViewImpl() {
  auto table =
      UITableView::tableWithFrame(UIScreen::mainScreen()->bounds(), UITableViewStyleGrouped);
  const auto self = std::static_pointer_cast<PSListController>(sharedController());
  table->setDataSource(std::shared_ptr<UITableViewDataSource>(self, self.get()));
  table->setDelegate(std::shared_ptr<UITableViewDelegate>(self, self.get()));
  setView(table);
}

void PSListController::viewWillAppearImpl(bool animated) {
  if (auto table = loadedTable()) {
    for (const NSIndexPath& ip : table->indexPathsForSelectedRows()) {
      table->deselectRowAtIndexPath(ip, animated);
    }
  }
}

std::shared_ptr<NSBundle> PSListController::bundle() {
  return send<Methods::Bundle>(this);
}

long PSListController::numberOfSectionsInTableView(UITableView&) {
  return numberOfGroups();
}

long PSListController::tableViewNumberOfRowsInSection(UITableView&, long section) {
  const auto groups = groupsOf(specifiers());
  if (section < 0 || section >= static_cast<long>(groups.size())) return 0;
  return static_cast<long>(groups[static_cast<std::size_t>(section)].count);
}

std::shared_ptr<UITableViewCell> PSListController::tableViewCellForRowAtIndexPath(
    UITableView& tableView, const NSIndexPath& indexPath) {
  return send<Methods::CellForRowAtIndexPath>(this, sharedTable(tableView), indexPath);
}

std::string PSListController::tableViewTitleForHeaderInSection(UITableView&, long section) {
  const auto group = specifiersInGroup(section);
  if (group.empty() || !group.front()->isGroup()) return {};
  return group.front()->name();
}

std::string PSListController::tableViewTitleForFooterInSection(UITableView&, long section) {
  const auto group = specifiersInGroup(section);
  if (group.empty() || !group.front()->isGroup()) return {};
  const std::string* footer = group.front()->propertyForKey("footerText").asString();
  return footer ? *footer : std::string();
}

void PSListController::tableViewDidSelectRowAtIndexPath(UITableView& tableView,
                                                        const NSIndexPath& indexPath) {
  send<Methods::DidSelectRowAtIndexPath>(this, sharedTable(tableView), indexPath);
}

std::shared_ptr<UITableViewCell> PSListController::cellForRowImpl(
    const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath) {
  const auto item = specifierAtIndexPath(indexPath);
  const int type = item ? item->cellType() : PSSpecifier::PSStaticTextCell;
  const std::string reuse = PSTableCell::reuseIdentifierForCellType(type);
  auto cell = std::dynamic_pointer_cast<PSTableCell>(
      table ? table->dequeueReusableCellWithIdentifier(reuse) : nullptr);
  if (!cell) {
    if (type == PSSpecifier::PSSwitchCell) {
      cell = std::make_shared<PSSwitchTableCell>();
    } else if (type == PSSpecifier::PSEditTextCell) {
      cell = std::make_shared<PSEditableTableCell>();
    } else if (type == PSSpecifier::PSSliderCell) {
      cell = std::make_shared<PSSliderTableCell>();
    } else {
      cell = std::make_shared<PSTableCell>();
    }
    const bool showsValue =
        type == PSSpecifier::PSTitleValueCell || type == PSSpecifier::PSLinkListCell;
    cell->initWithStyle(showsValue ? UITableViewCellStyleValue1 : UITableViewCellStyleDefault,
                        reuse);
  }
  cell->refreshCellContentsWithSpecifier(item);
  return cell;
}

void PSListController::didSelectRowImpl(const std::shared_ptr<UITableView>& table,
                                        const NSIndexPath& indexPath) {
  const auto item = specifierAtIndexPath(indexPath);
  const bool enabled = item && item->propertyForKey("enabled").asBoolean().value_or(true);
  const int type = item ? item->cellType() : -1;
  const bool opensPage = type == PSSpecifier::PSLinkCell || type == PSSpecifier::PSLinkListCell;
  Class* detail = item ? item->detailControllerClass() : nullptr;
  if (!enabled || !opensPage || detail == nullptr) {
    if (table) table->deselectRowAtIndexPath(indexPath, true);
    return;
  }
  auto page = std::dynamic_pointer_cast<UIViewController>(detail->createInstance());
  if (!page) return;
  if (auto list = std::dynamic_pointer_cast<PSListController>(page)) {
    list->setSpecifier(item);
    list->setParentController(std::static_pointer_cast<PSListController>(sharedController()));
  }
  if (page->title().empty()) page->setTitle(item->name());
  if (auto navigation = navigationController()) {
    navigation->pushViewController(page, true);
  } else {
    showViewController(page, this);
  }
}

// --- Values ---------------------------------------------------------------------------------

Plist PSListController::readPreferenceValueImpl(const std::shared_ptr<PSSpecifier>& specifier) {
  if (!specifier) return {};
  const Plist fallback = specifier->propertyForKey("default");
  const std::string domain = defaultsDomain(*specifier);
  const std::string* key = specifier->propertyForKey("key").asString();
  const auto device = DeviceFileSystem::current();
  if (domain.empty() || !key || !device) return fallback;
  const auto bytes = device->readFile(preferencesPath(domain));
  if (!bytes) return fallback;
  Plist value = PropertyListSerialization::read(*bytes).value.get(*key);
  return value.isNone() ? fallback : value;
}

void PSListController::setPreferenceValueImpl(const Plist& value,
                                              const std::shared_ptr<PSSpecifier>& specifier) {
  if (!specifier) return;
  const std::string domain = defaultsDomain(*specifier);
  const std::string* key = specifier->propertyForKey("key").asString();
  const auto device = DeviceFileSystem::current();
  if (domain.empty() || !key || !device) return;
  const std::string path = preferencesPath(domain);
  Plist stored = Plist::dictionary();
  if (const auto bytes = device->readFile(path)) {
    Plist read = PropertyListSerialization::read(*bytes).value;
    if (read.isDictionary()) {
      stored = std::move(read);
    } else if (!bytes->empty()) {
      return;  // an unreadable domain is left alone rather than overwritten
    }
  }
  // The preferences folder is made when missing, as the preferences daemon does, so that a
  // value is never dropped; a write that still fails is logged.
  const std::string folder = path.substr(0, path.rfind('/'));
  std::string error;
  const auto xml = PropertyListSerialization::writeXml(stored.with(*key, value));
  if (!xml || !(device->fileExists(folder) || device->createDirectory(folder, true, &error)) ||
      !device->writeFileAtomically(path, *xml, &error)) {
    NSLog("Could not store " + *key + " in " + path + ": " + error);
  }
}

}  // namespace host

namespace host {

namespace {

struct SettingsEntryType {
  std::string_view type;
  int cellType;
};

constexpr SettingsEntryType kSettingsEntryTypes[] = {
    {"PSGroupSpecifier", PSSpecifier::PSGroupCell},
    {"PSToggleSwitchSpecifier", PSSpecifier::PSSwitchCell},
    {"PSChildPaneSpecifier", PSSpecifier::PSLinkCell},
    {"PSMultiValueSpecifier", PSSpecifier::PSLinkListCell},
    {"PSTitleValueSpecifier", PSSpecifier::PSTitleValueCell},
    {"PSTextFieldSpecifier", PSSpecifier::PSEditTextCell},
    {"PSSliderSpecifier", PSSpecifier::PSSliderCell},
};

}  // namespace

// Titles are shown as written: the strings table is not consulted.
PSListController::Specifiers PSListController::specifiersFromDictionary(
    const Plist& entry, const std::string& /*stringsTable*/,
    const std::shared_ptr<PSSpecifier>& parent, const std::shared_ptr<Object>& target) {
  const std::string* type = entry.get("Type").asString();
  if (!entry.isDictionary() || !type) return {};
  const SettingsEntryType* known = nullptr;
  for (const auto& candidate : kSettingsEntryTypes) {
    if (candidate.type == *type) known = &candidate;
  }
  if (known == nullptr) return {};
  const std::string* title = entry.get("Title").asString();
  const std::string* key = entry.get("Key").asString();
  auto item = PSSpecifier::specifier(key ? *key : (title ? *title : std::string()),
                                     title ? *title : std::string(), known->cellType);
  for (const auto& [name, value] : entry.entries())
    item->setProperty(value, name);
  if (known->cellType == PSSpecifier::PSGroupCell) {
    if (const Plist footer = entry.get("FooterText"); !footer.isNone()) {
      item->setProperty(footer, "footerText");
    }
    return {item};
  }
  if (key) item->setProperty(Plist::string(*key), "key");
  if (const Plist fallback = entry.get("DefaultValue"); !fallback.isNone()) {
    item->setProperty(fallback, "default");
  }
  if (entry.get("defaults").isNone() && parent) {
    // An app's own page names its domain by the app; a child pane's rows keep the pane's.
    Plist app = parent->propertyForKey("AppBundleID");
    if (!app.isString()) app = parent->propertyForKey("defaults");
    if (app.isString()) item->setProperty(app, "defaults");
  }
  if (known->cellType == PSSpecifier::PSLinkCell) {
    // A child pane is another page of the same settings bundle, read from its "File".
    item->setDetailControllerClass(PSAppListController::objcClass());
    if (parent) item->setObject(parent->objectForKey("AppSettingsBundle"), "AppSettingsBundle");
  } else if (known->cellType == PSSpecifier::PSLinkListCell) {
    item->setDetailControllerClass(PSListItemsController::objcClass());
  }
  item->setTarget(target);
  item->setSetterSelector("setPreferenceValue:specifier:");
  item->setGetterSelector("readPreferenceValue:");
  return {item};
}

}  // namespace host
