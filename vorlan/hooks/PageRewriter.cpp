#include "hooks/PageRewriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "folders/folderController.h"
#include "hooks/PageRecords.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSTableCell.h"
#include "store/SettingsValues.h"
#include "uikit/UIImage.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace vorlan {

namespace {

using host::Plist;
using host::PSListController;
using host::PSSpecifier;
using Specifiers = PSListController::Specifiers;

constexpr const char* kMainListClass = "PSUIPrefsListController";

// A folder key's number, for showing folders in the order users numbered them ("10" after "9").
std::optional<std::int64_t> keyNumber(const std::string& key) {
  if (key.empty() || key.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The folder records in key order: numbered keys by number, any others after them.
std::vector<Plist> foldersInKeyOrder(const Plist& table) {
  std::vector<const Plist::Entry*> entries;
  for (const auto& entry : table.entries())
    entries.push_back(&entry);
  std::stable_sort(entries.begin(), entries.end(), [](const auto* a, const auto* b) {
    const auto na = keyNumber(a->first);
    const auto nb = keyNumber(b->first);
    if (na && nb) return *na < *nb;
    return na.has_value() && !nb.has_value();
  });
  std::vector<Plist> records;
  for (const auto* entry : entries) {
    if (entry->second.isDictionary()) records.push_back(entry->second);
  }
  return records;
}

std::shared_ptr<host::Object> sharedPage(PSListController& page) {
  return page.shared_from_this();
}

}  // namespace

void PageRewriter::markEnabled(PSListController& page, const std::shared_ptr<PSSpecifier>& cell,
                               const PageKey& key) {
  auto manager = VLPreferencesManager::sharedInstance();
  const bool enabled = manager->isSpecifierEnabled(*cell, key);
  cell->setProperty(Plist::boolean(enabled), "enabled");
  if (!manager->needsReload()) return;
  page.reloadSpecifier(cell, true);
  if (!page.isViewLoaded()) return;
  if (const auto indexPath = page.indexPathForSpecifier(cell.get())) {
    if (auto shown = page.table()->cellForRowAtIndexPath(*indexPath)) {
      shown->setUserInteractionEnabled(true);
    }
  }
}

long PageRewriter::insertionIndex(PSListController& page, const Plist& place) {
  const long section = std::max(0, SettingsValues::position(place.get("section")).value_or(0));
  const long row = std::max(0, SettingsValues::position(place.get("row")).value_or(0));
  // The index of the section's first cell, counted as the page counts its groups; a section
  // past the last one starts at the end of the page.
  const Specifiers& all = page.specifiers();
  long start = static_cast<long>(all.size());
  long group = -1;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const bool header = all[i] && all[i]->isGroup();
    if (header || i == 0) ++group;
    if (group == section) {
      start = static_cast<long>(header ? i + 1 : i);
      break;
    }
  }
  return std::max(start + row - 1, 0L);
}

std::shared_ptr<PSSpecifier> PageRewriter::folderRow(const Plist& record,
                                                     const std::shared_ptr<host::Object>& target) {
  const std::string* name = record.get("name").asString();
  auto row = PSSpecifier::preferenceSpecifierNamed(
      name ? *name : std::string(), target, "", "", folderController::objcClass(),
      host::PSTableCell::cellTypeFromString("PSLinkCell"));
  if (const std::string* icon = record.get("settings_image").asString()) {
    if (auto image = host::UIImage::imageWithContentsOfFile(*icon))
      row->setObject(image, "iconImage");
  }
  return row;
}

void PageRewriter::addFolderRows(PSListController& page, VLPreferencesManager& manager) {
  auto& state = PageRecords::shared();
  page.removeContiguousSpecifiers(state.folders, true);
  state.folders.clear();
  state.folders.push_back(PSSpecifier::emptyGroupSpecifier());
  const auto target = sharedPage(page);
  for (const Plist& record : foldersInKeyOrder(manager.getFoldersDictionary())) {
    state.folders.push_back(folderRow(record, target));
  }
  page.addSpecifiersFromArray(state.folders, true);
}

void PageRewriter::removeEmptySections(PSListController& page) {
  const long sections = page.numberOfGroups();
  long removed = 0;
  for (long i = 0; i < sections; ++i) {
    const Specifiers group = page.specifiersInGroup(i - removed);
    // A header alone. (The headerless group before the first header is never a header alone.)
    if (group.size() == 1 && group.front()->isGroup()) {
      ++removed;
      page.removeSpecifier(group.front(), true);
    }
  }
}

void PageRewriter::rewriteMainList(PSListController& page) {
  auto& state = PageRecords::shared();
  auto manager = VLPreferencesManager::sharedInstance();
  if (page.className() == kMainListClass) addFolderRows(page, *manager);

  const Specifiers specs = page.specifiers();
  if (state.originals.empty()) state.originals = specs;
  const std::vector<std::string> filed = manager->getAllSpecifiersInFolders();
  const std::unordered_set<std::string> inFolders(filed.begin(), filed.end());
  const PageKey key(&page);

  // Decides every cell first and then changes the page in one step: removing the cells one by
  // one, as they are met, ends in the same page but costs a table update per cell.
  std::vector<std::pair<std::shared_ptr<PSSpecifier>, Plist>> moved;
  Specifiers removed;
  Specifiers kept;
  for (const auto& cell : specs) {
    bool drop = manager->isSpecifierHidden(cell.get(), key);
    if (!drop) drop = !cell->identifier().empty() && inFolders.contains(cell->identifier());
    Plist place = manager->getAfterSpecifierIdentifierForMovedSpecifier(*cell, key);
    if (drop || !place.isNone()) {
      removed.push_back(cell);
    } else {
      kept.push_back(cell);
    }
    if (!place.isNone()) moved.emplace_back(cell, std::move(place));
  }
  if (!removed.empty()) page.removeContiguousSpecifiers(removed, true);
  for (const auto& cell : kept)
    markEnabled(page, cell, key);

  removeEmptySections(page);

  // A moved cell carries its enabled state like any other; it is marked once it is back, so
  // that the reload reaches its new row.
  for (const auto& [cell, place] : moved) {
    page.insertSpecifier(cell, insertionIndex(page, place), true);
    markEnabled(page, cell, key);
  }
}

void PageRewriter::rewritePage(PSListController& page) {
  auto manager = VLPreferencesManager::sharedInstance();
  const PageKey key(&page);
  const Specifiers specs = page.specifiers();
  for (const auto& cell : specs) {
    const bool hidden = manager->isSpecifierHidden(cell.get(), key);
    const Plist place = manager->getAfterSpecifierIdentifierForMovedSpecifier(*cell, key);
    if (!hidden && place.isNone()) {
      markEnabled(page, cell, key);
    } else {
      page.removeSpecifier(cell, true);
    }
    if (!place.isNone()) {
      page.insertSpecifier(cell, insertionIndex(page, place), true);
      markEnabled(page, cell, key);
    }
  }
}

void PageRewriter::rewriteWithoutPositions(PSListController& page) {
  auto manager = VLPreferencesManager::sharedInstance();
  const Specifiers specs = page.specifiers();
  Specifiers removed;
  std::vector<std::pair<std::shared_ptr<PSSpecifier>, PageKey>> kept;
  for (const auto& cell : specs) {
    PageKey key(manager->getClassControllerOfSpecifier(*cell).value_or(page.className()));
    if (manager->isSpecifierHidden(cell.get(), key)) {
      removed.push_back(cell);
    } else {
      kept.emplace_back(cell, std::move(key));
    }
  }
  if (!removed.empty()) page.removeContiguousSpecifiers(removed, true);
  for (const auto& [cell, key] : kept)
    markEnabled(page, cell, key);
}

}  // namespace vorlan
