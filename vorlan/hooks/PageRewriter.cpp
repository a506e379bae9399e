#include "hooks/PageRewriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "folders/folderController.h"
#include "foundation/DeviceFileSystem.h"
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

std::unordered_set<const PSSpecifier*> pointersOf(const Specifiers& cells) {
  std::unordered_set<const PSSpecifier*> pointers;
  for (const auto& cell : cells)
    pointers.insert(cell.get());
  return pointers;
}

}  // namespace

bool PageRewriter::markEnabled(PSSpecifier& cell, const PageKey& key) {
  auto manager = VLPreferencesManager::sharedInstance();
  const bool enabled = manager->isSpecifierEnabled(cell, key);
  cell.setProperty(Plist::boolean(enabled), "enabled");
  return manager->needsReload();
}

void PageRewriter::reloadMarked(PSListController& page, const Specifiers& cells) {
  if (cells.empty()) return;
  page.reloadRowsOfSpecifiers(cells, true);
  if (!page.isViewLoaded()) return;
  // Only rows on screen have cells: each one showing a marked cell (at that cell's row, the
  // first it has) is kept touchable.
  const std::unordered_set<const PSSpecifier*> marked = pointersOf(cells);
  const auto table = page.table();
  for (const auto& indexPath : table->indexPathsForVisibleRows()) {
    const auto item = page.specifierAtIndexPath(indexPath);
    if (!item || !marked.contains(item.get())) continue;
    if (page.indexPathForSpecifier(item.get()) != indexPath) continue;
    if (auto shown = table->cellForRowAtIndexPath(indexPath))
      shown->setUserInteractionEnabled(true);
  }
}

long PageRewriter::insertionIndex(const Specifiers& all, const Plist& place) {
  const long section = std::max(0, SettingsValues::position(place.get("section")).value_or(0));
  const long row = std::max(0, SettingsValues::position(place.get("row")).value_or(0));
  // The index of the section's first cell, counted as the page counts its groups; a section
  // past the last one starts at the end of the page.
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

bool PageRewriter::folderRowsStandUnchanged(PSListController& page,
                                            const std::vector<Plist>& records) {
  const auto& state = PageRecords::shared();
  const Specifiers& rows = state.folders;
  if (rows.size() != records.size() + 1 || state.folderRecords != records) return false;
  // Still ending the page, in order.
  const Specifiers& all = page.specifiers();
  if (all.size() < rows.size() ||
      !std::equal(rows.begin(), rows.end(), all.end() - static_cast<long>(rows.size()))) {
    return false;
  }
  // Made for this page, each with an icon exactly when its icon file is there.
  const auto device = host::DeviceFileSystem::current();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto& row = rows[i + 1];
    if (row->target().get() != static_cast<host::Object*>(&page)) return false;
    const std::string* icon = records[i].get("settings_image").asString();
    const bool iconFile = icon && device && device->fileExists(*icon);
    if ((row->objectForKey("iconImage") != nullptr) != iconFile) return false;
  }
  return true;
}

std::pair<Specifiers, Specifiers> PageRewriter::folderRowChange(PSListController& page,
                                                                VLPreferencesManager& manager) {
  auto& state = PageRecords::shared();
  std::vector<Plist> records = foldersInKeyOrder(manager.getFoldersDictionary());
  // Rows that would be made again just as they are, still ending the page, are left there.
  if (folderRowsStandUnchanged(page, records)) return {};
  Specifiers stale = std::move(state.folders);
  state.folders.clear();
  state.folders.push_back(PSSpecifier::emptyGroupSpecifier());
  const auto target = sharedPage(page);
  for (const Plist& record : records) {
    state.folders.push_back(folderRow(record, target));
  }
  state.folderRecords = std::move(records);
  return {std::move(stale), state.folders};
}

void PageRewriter::removeEmptySections(PSListController& page) {
  // A header alone: one followed by another header or ending the page. (The headerless group
  // before the first header is never a header alone.) Taking one away changes no other group,
  // so all of them go in one step.
  const Specifiers& all = page.specifiers();
  Specifiers alone;
  std::unordered_map<const PSSpecifier*, int> headers;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (!all[i] || !all[i]->isGroup()) continue;
    ++headers[all[i].get()];
    const bool next = i + 1 < all.size() && all[i + 1] && all[i + 1]->isGroup();
    if (i + 1 == all.size() || next) alone.push_back(all[i]);
  }
  if (alone.empty()) return;
  // A header held twice leaves from both places, which can join another group to the one
  // before: then the groups are taken one at a time, as they then stand.
  if (std::any_of(alone.begin(), alone.end(),
                  [&](const auto& header) { return headers[header.get()] > 1; })) {
    const long sections = page.numberOfGroups();
    long removed = 0;
    for (long i = 0; i < sections; ++i) {
      const Specifiers group = page.specifiersInGroup(i - removed);
      if (group.size() == 1 && group.front()->isGroup()) {
        ++removed;
        page.removeSpecifier(group.front(), true);
      }
    }
    return;
  }
  page.removeContiguousSpecifiers(alone, true);
}

void PageRewriter::rewriteMainList(PSListController& page) {
  auto& state = PageRecords::shared();
  auto manager = VLPreferencesManager::sharedInstance();
  Specifiers staleFolders;
  Specifiers newFolders;
  if (page.className() == kMainListClass) {
    std::tie(staleFolders, newFolders) = folderRowChange(page, *manager);
  }
  const bool foldersChange = !staleFolders.empty() || !newFolders.empty();

  // The page as the folder rows' change leaves it: the last pass's rows taken off, the new ones
  // appended.
  Specifiers specs = page.specifiers();
  if (foldersChange) {
    const auto stale = pointersOf(staleFolders);
    std::erase_if(specs, [&](const auto& cell) { return stale.contains(cell.get()); });
    specs.insert(specs.end(), newFolders.begin(), newFolders.end());
  }
  if (state.originals.empty()) state.originals = specs;
  const std::vector<std::string> filed = manager->getAllSpecifiersInFolders();
  const std::unordered_set<std::string> inFolders(filed.begin(), filed.end());
  const PageKey key(&page);

  // Decides every cell first and then changes the page one kind of change at a time (removals,
  // the section sweep, insertions, row reloads), each in one table update: changing it cell by
  // cell ends in the same page but costs a table update per cell.
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
  if (foldersChange) {
    // The folder rows' change and the removals in one table update: nothing is marked before
    // both are done. A new folder row that leaves at once is never appended.
    const auto dropped = pointersOf(removed);
    Specifiers appended;
    for (const auto& row : newFolders) {
      if (!dropped.contains(row.get())) appended.push_back(row);
    }
    removed.insert(removed.end(), staleFolders.begin(), staleFolders.end());
    page.replaceContiguousSpecifiers(removed, appended, true);
  } else if (!removed.empty()) {
    page.removeContiguousSpecifiers(removed, true);
  }
  Specifiers reload;
  for (const auto& cell : kept) {
    if (markEnabled(*cell, key)) reload.push_back(cell);
  }

  removeEmptySections(page);

  if (!moved.empty()) {
    // In the order they stood, each at its index in the page as the earlier ones leave it.
    Specifiers next = page.specifiers();
    std::vector<PSListController::Placement> placements;
    for (const auto& [cell, place] : moved) {
      const long index = insertionIndex(next, place);
      next.insert(next.begin() + std::min(index, static_cast<long>(next.size())), cell);
      placements.emplace_back(cell, index);
    }
    page.insertSpecifiers(placements, true);
    // A moved cell carries its enabled state like any other; it is marked once it is back, so
    // that the reload reaches its new row.
    for (const auto& [cell, place] : moved) {
      if (markEnabled(*cell, key)) reload.push_back(cell);
    }
  }
  reloadMarked(page, reload);
}

void PageRewriter::rewritePage(PSListController& page) {
  auto manager = VLPreferencesManager::sharedInstance();
  const PageKey key(&page);
  const Specifiers specs = page.specifiers();
  Specifiers reload;
  for (const auto& cell : specs) {
    const bool hidden = manager->isSpecifierHidden(cell.get(), key);
    const Plist place = manager->getAfterSpecifierIdentifierForMovedSpecifier(*cell, key);
    if (!hidden && place.isNone()) {
      if (markEnabled(*cell, key)) reload.push_back(cell);
    } else {
      page.removeSpecifier(cell, true);
    }
    if (!place.isNone()) {
      page.insertSpecifier(cell, insertionIndex(page.specifiers(), place), true);
      if (markEnabled(*cell, key)) reload.push_back(cell);
    }
  }
  reloadMarked(page, reload);
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
  Specifiers reload;
  for (const auto& [cell, key] : kept) {
    if (markEnabled(*cell, key)) reload.push_back(cell);
  }
  reloadMarked(page, reload);
}

}  // namespace vorlan
