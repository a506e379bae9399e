#include "preferences/PSListController.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/PropertyListSerialization.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSEditableTableCell.h"
#include "preferences/PSHeaderFooterViewMethods.h"
#include "preferences/PSListControllerMethods.h"
#include "preferences/PSListItemsController.h"
#include "preferences/PSPlistSpecifiers.h"
#include "preferences/PSSliderTableCell.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSTableCell.h"
#include "runtime/HostClass.h"
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

HOST_CLASS_WITH(PSListController, UIViewController, [](Class* c) {
  PSListControllerMethods::define(c);
  registerIvar(c, "_dataSource", &PSListController::dataSource_);
})

PSListController::PSListController(Class* cls) : UIViewController(cls) {}

// --- The page's cells -----------------------------------------------------------------------

void PSListController::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  specifiers_ = PageSpecifiers(loadSpecifiers());
  specifiersDidLoad();
}

const PageSpecifiers& PSListController::loadedList() {
  ensureLoaded();
  return specifiers_;
}

const PSListController::Specifiers& PSListController::specifiers() {
  return loadedList().items();
}

void PSListController::setSpecifiers(Specifiers specifiers) {
  const bool first = !loaded_;
  loaded_ = true;
  specifiers_ = PageSpecifiers(std::move(specifiers));
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
    specifiers_ = PageSpecifiers(loadSpecifiers());
  }
  if (auto table = loadedTable()) table->reloadData();
}

long PSListController::numberOfGroups() {
  return loadedList().numberOfGroups();
}

PSListController::Specifiers PSListController::specifiersInGroup(long group) {
  const auto& groups = loadedList().groups();
  if (group < 0 || group >= static_cast<long>(groups.size())) return {};
  const Group& g = groups[static_cast<std::size_t>(group)];
  Specifiers out;
  if (g.header) {
    out.push_back(specifiers_[*g.header]);
  } else {
    if (!leadingGroup_) leadingGroup_ = PSSpecifier::emptyGroupSpecifier();
    out.push_back(leadingGroup_);
  }
  const auto first = specifiers_.begin() + static_cast<long>(g.first);
  out.insert(out.end(), first, first + static_cast<long>(g.count));
  return out;
}

std::shared_ptr<PSSpecifier> PSListController::headerOfGroup(long group) {
  const auto& groups = loadedList().groups();
  if (group < 0 || group >= static_cast<long>(groups.size())) return nullptr;
  const Group& g = groups[static_cast<std::size_t>(group)];
  return g.header ? specifiers_[*g.header] : nullptr;
}

std::optional<long> PSListController::indexForIndexPath(const NSIndexPath& indexPath) {
  return loadedList().indexForIndexPath(indexPath);
}

std::optional<NSIndexPath> PSListController::indexPathForSpecifier(const PSSpecifier* specifier) {
  const auto index = indexOfSpecifier(specifier);
  if (!index) return {};
  return specifiers_.indexPathForIndex(*index);
}

std::shared_ptr<PSSpecifier> PSListController::specifierAtIndexPath(const NSIndexPath& indexPath) {
  const auto index = indexForIndexPath(indexPath);
  return index ? specifiers_[static_cast<std::size_t>(*index)] : nullptr;
}

std::optional<long> PSListController::indexOfSpecifier(const PSSpecifier* specifier) {
  return loadedList().indexOf(specifier);
}

std::shared_ptr<PSSpecifier> PSListController::specifierForID(std::string_view identifier) {
  return loadedList().specifierForID(identifier);
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
  if (const auto section = specifiers_.groupOfHeader(*index)) {
    table->reloadSections({*section}, animation);
  }
}

void PSListController::insertSpecifiers(const std::vector<Placement>& placements, bool animated) {
  Specifiers next = specifiers();
  bool inserted = false;
  for (const auto& [specifier, index] : placements) {
    if (!specifier || index < 0) continue;
    const auto at = std::min(static_cast<std::size_t>(index), next.size());
    next.insert(next.begin() + static_cast<long>(at), specifier);
    inserted = true;
  }
  if (inserted) applySpecifiers(std::move(next), animated);
}

void PSListController::reloadRowsOfSpecifiers(const Specifiers& specifiers, bool animated) {
  auto table = loadedTable();
  if (!table) return;
  // Each cell's first place on the page, found in one walk over it.
  std::unordered_map<const PSSpecifier*, std::optional<long>> places;
  for (const auto& item : specifiers) {
    if (item) places.emplace(item.get(), std::nullopt);
  }
  const PageSpecifiers& list = loadedList();
  for (std::size_t i = 0; i < list.size(); ++i) {
    const auto found = places.find(list[i].get());
    if (found != places.end() && !found->second) found->second = static_cast<long>(i);
  }
  std::vector<NSIndexPath> rows;
  std::vector<long> sections;
  for (const auto& [item, index] : places) {
    if (!index) continue;
    if (const auto indexPath = list.indexPathForIndex(*index)) {
      rows.push_back(*indexPath);
    } else if (const auto section = list.groupOfHeader(*index)) {
      sections.push_back(*section);
    }
  }
  if (rows.empty() && sections.empty()) return;
  const auto animation = animated ? UITableViewRowAnimationFade : UITableViewRowAnimationNone;
  table->beginUpdates();
  if (!rows.empty()) table->reloadRowsAtIndexPaths(rows, animation);
  if (!sections.empty()) table->reloadSections(sections, animation);
  table->endUpdates();
}

void PSListController::removeContiguousSpecifiers(const Specifiers& specifiers, bool animated) {
  std::set<const PSSpecifier*> gone;
  for (const auto& item : specifiers)
    gone.insert(item.get());
  Specifiers next = this->specifiers();
  std::erase_if(next, [&](const auto& item) { return gone.contains(item.get()); });
  applySpecifiers(std::move(next), animated);
}

void PSListController::replaceContiguousSpecifiers(const Specifiers& removed,
                                                   const Specifiers& added, bool animated) {
  std::unordered_set<const PSSpecifier*> gone;
  for (const auto& item : removed)
    gone.insert(item.get());
  Specifiers next = specifiers();
  std::erase_if(next, [&](const auto& item) { return gone.contains(item.get()); });
  for (const auto& item : added) {
    if (item) next.push_back(item);
  }
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
  const PageSpecifiers old = std::exchange(specifiers_, PageSpecifiers(std::move(next)));
  if (!table) return;
  const PageSpecifiers::Changes changes = PageSpecifiers::changesBetween(old, specifiers_);
  if (changes.reloadAll) {
    table->reloadData();
    return;
  }
  const auto animation = animated ? UITableViewRowAnimationFade : UITableViewRowAnimationNone;
  table->beginUpdates();
  if (!changes.deletedSections.empty()) table->deleteSections(changes.deletedSections, animation);
  if (!changes.deletedRows.empty()) table->deleteRowsAtIndexPaths(changes.deletedRows, animation);
  if (!changes.insertedSections.empty()) {
    table->insertSections(changes.insertedSections, animation);
  }
  if (!changes.insertedRows.empty()) {
    table->insertRowsAtIndexPaths(changes.insertedRows, animation);
  }
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
  return loadedList().numberOfRowsInGroup(section);
}

std::shared_ptr<UITableViewCell> PSListController::tableViewCellForRowAtIndexPath(
    UITableView& tableView, const NSIndexPath& indexPath) {
  return send<Methods::CellForRowAtIndexPath>(this, sharedTable(tableView), indexPath);
}

std::string PSListController::tableViewTitleForHeaderInSection(UITableView&, long section) {
  const auto header = headerOfGroup(section);
  return header ? header->name() : std::string();
}

std::string PSListController::tableViewTitleForFooterInSection(UITableView&, long section) {
  const auto header = headerOfGroup(section);
  const std::string* footer = header ? header->propertyForKey("footerText").asString() : nullptr;
  return footer ? *footer : std::string();
}

std::shared_ptr<UIView> PSListController::headerCellOfGroup(long group) {
  const auto header = headerOfGroup(group);
  const std::string* name = header ? header->propertyForKey("headerCellClass").asString() : nullptr;
  if (!name) return nullptr;
  if (const auto made = headerCells_.find(header); made != headerCells_.end()) return made->second;
  Class* cls = NSClassFromString(*name);
  if (!cls || !cls->isSubclassOf(UIView::objcClass())) return nullptr;
  auto view = std::dynamic_pointer_cast<UIView>(cls->createInstance());
  if (!view) return nullptr;
  using Header = MethodsOf<PSHeaderFooterView>;
  if (view->respondsToSelector(Header::InitWithSpecifier::selector)) {
    send<Header::InitWithSpecifier>(view, header);
  }
  // Views of headers that have left the page go with them.
  std::erase_if(headerCells_, [this](const auto& entry) {
    return !specifiers_.indexOf(entry.first.get()).has_value();
  });
  headerCells_.emplace(header, view);
  return view;
}

std::shared_ptr<UIView> PSListController::tableViewViewForHeaderInSection(UITableView&,
                                                                          long section) {
  return headerCellOfGroup(section);
}

std::optional<CGFloat> PSListController::tableViewHeightForHeaderInSection(UITableView& tableView,
                                                                           long section) {
  const auto view = headerCellOfGroup(section);
  if (!view) return std::nullopt;
  using Header = MethodsOf<PSHeaderFooterView>;
  if (view->respondsToSelector(Header::PreferredHeightForWidth::selector)) {
    return send<Header::PreferredHeightForWidth>(view, tableView.bounds().width());
  }
  return view->frame().height();
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
  // XML, or the binary form for a value that XML cannot carry (a typed control character).
  const auto file = PropertyListSerialization::write(stored.with(*key, value));
  error = file.error;
  if (!file.ok() ||
      !(device->fileExists(folder) || device->createDirectory(folder, true, &error)) ||
      !device->writeFileAtomically(path, file.bytes, &error)) {
    NSLog("Could not store " + *key + " in " + path + ": " + error);
  }
}

// Titles are shown as written: the strings table is not consulted.
PSListController::Specifiers PSListController::specifiersFromDictionary(
    const Plist& entry, const std::string& /*stringsTable*/,
    const std::shared_ptr<PSSpecifier>& parent, const std::shared_ptr<Object>& target) {
  return PSPlistSpecifiers::fromSettingsEntry(entry, parent, target);
}

}  // namespace host
