// The tag operations of the preferences manager: the tag table and the cells' tag assignments.
#include <string>

#include "foundation/NSString.h"
#include "foundation/Shell.h"
#include "store/SettingsValues.h"
#include "store/VLPreferencesManager.h"

using host::NSString;
using host::Plist;

namespace vorlan {

namespace {

bool sameName(std::string_view a, std::string_view b) {
  return NSString::lowercaseString(a) == NSString::lowercaseString(b);
}

// The lowest key at or above `first` not yet used in a table keyed by decimal numbers. On a
// table with dense keys that is its size (plus `first`), so nothing stored is ever overwritten.
std::string freeKey(const Plist& table, int first) {
  int key = first;
  while (table.contains(std::to_string(key)))
    ++key;
  return std::to_string(key);
}

Plist tagRecord(std::string_view name, std::string_view fill, std::string_view border) {
  return Plist::dictionary({{"name", Plist::string(std::string(name))},
                            {"fill_color", Plist::string(std::string(fill))},
                            {"border_color", Plist::string(std::string(border))}});
}

}  // namespace

Plist VLPreferencesManager::defaultTags() {
  return Plist::dictionary({
      {"0", tagRecord("Red", "#FC6354", "#FC6354")},
      {"1", tagRecord("Orange", "#FC9E51", "#FC9930")},
      {"2", tagRecord("Yellow", "#FED558", "#FFCC38")},
      {"3", tagRecord("Green", "#86DF6A", "#6FD94D")},
      {"4", tagRecord("Blue", "#54BEF7", "#34B1F5")},
      {"5", tagRecord("Violet", "#D592E5", "#CD7DE0")},
      {"6", tagRecord("Home", "#FFFFFF", "#ABABAB")},
      {"7", tagRecord("Important", "#FFFFFF", "#ABABAB")},
      {"8", tagRecord("Work", "#FFFFFF", "#ABABAB")},
  });
}

Plist VLPreferencesManager::getTagsDictionary() {
  if (needsDefaultTable("firstTime", "tags")) {
    commit(dictionary_.with("firstTime", Plist::boolean(true)).with("tags", defaultTags()));
  }
  return storedTable("tags");
}

Plist VLPreferencesManager::tagsDictionaryAsAnswered() const {
  return needsDefaultTable("firstTime", "tags") ? defaultTags() : storedTable("tags");
}

bool VLPreferencesManager::isTagNameToken(std::string_view name) const {
  for (const auto& [key, record] : dictionary_.get("tags").entries()) {
    auto tagName = SettingsValues::string(record.get("name"));
    if (tagName && sameName(*tagName, name)) return true;
  }
  return false;
}

void VLPreferencesManager::addTagWithName(const std::string& name, const std::string& fillColor,
                                          const std::string& borderColor) {
  Plist tags = dictionary_.get("tags");
  tags = tags.with(freeKey(tags, 0), tagRecord(name, fillColor, borderColor));
  commit(dictionary_.with("tags", tags));
  reloadSpecifiers();
}

void VLPreferencesManager::changeNameOfTag(const std::string& oldName, const std::string& newName) {
  Plist assignments = dictionary_.get("tag");
  // An empty new name would move every assignment away from the tag it belongs to.
  if (!newName.empty()) {
    for (const auto& [page, cells] : dictionary_.get("tag").entries()) {
      Plist pageCells = cells;
      for (const auto& [identifier, names] : cells.entries()) {
        Plist cellNames = names;
        for (const auto& [tagName, value] : names.entries()) {
          if (sameName(tagName, oldName))
            cellNames = cellNames.without(tagName).with(newName, value);
        }
        if (!cellNames.sharesStorageWith(names)) pageCells = pageCells.with(identifier, cellNames);
      }
      if (!pageCells.sharesStorageWith(cells)) assignments = assignments.with(page, pageCells);
    }
  }
  commit(assignments.isNone() ? dictionary_ : dictionary_.with("tag", assignments));
}

void VLPreferencesManager::saveChangesInTag(const std::string& oldName, const std::string& newName,
                                            const std::string& fillColor,
                                            const std::string& borderColor) {
  changeNameOfTag(oldName, newName);
  Plist tags = getTagsDictionary();
  const int count = static_cast<int>(tags.size());
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(i);
    Plist record = tags.get(key);
    auto name = SettingsValues::string(record.get("name"));
    if (!name || !sameName(*name, oldName)) continue;
    if (!newName.empty()) record = record.with("name", Plist::string(newName));
    if (!fillColor.empty()) record = record.with("fill_color", Plist::string(fillColor));
    if (!borderColor.empty()) record = record.with("border_color", Plist::string(borderColor));
    tags = tags.with(key, record);
    break;
  }
  commit(dictionary_.with("tags", tags));
  reloadSpecifiers();
}

void VLPreferencesManager::removeTagInSpecs(const std::string& name) {
  Plist assignments = dictionary_.get("tag");
  for (const auto& [page, cells] : dictionary_.get("tag").entries()) {
    Plist pageCells = cells;
    for (const auto& [identifier, names] : cells.entries()) {
      Plist cellNames = names;
      for (const auto& [tagName, value] : names.entries()) {
        if (sameName(tagName, name)) cellNames = cellNames.without(tagName);
      }
      // A cell left without tags keeps its (now empty) dictionary.
      if (!cellNames.sharesStorageWith(names)) pageCells = pageCells.with(identifier, cellNames);
    }
    if (!pageCells.sharesStorageWith(cells)) assignments = assignments.with(page, pageCells);
  }
  commit(assignments.isNone() ? dictionary_ : dictionary_.with("tag", assignments));
}

void VLPreferencesManager::deleteTag(const std::string& name) {
  removeTagInSpecs(name);
  Plist tags = dictionary_.get("tags");
  const int count = static_cast<int>(tags.size());
  bool found = false;
  // Every tag after the deleted one moves down one key, so the keys stay dense.
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(i);
    Plist record = tags.get(key);
    auto tagName = SettingsValues::string(record.get("name"));
    if (!found && tagName && sameName(*tagName, name)) {
      tags = tags.without(key);
      found = true;
    } else if (found && !record.isNone()) {
      tags = tags.with(std::to_string(i - 1), record).without(key);
    }
  }
  commit(tags.isNone() ? dictionary_ : dictionary_.with("tags", tags));
}

Plist VLPreferencesManager::getTagsDictionaryForSpecifier(const std::string& identifier,
                                                          const PageKey& page) const {
  Plist names = cellValue("tag", page.key(), identifier);
  return names.isDictionary() ? names : Plist();
}

void VLPreferencesManager::eraseTags() {
  commit(dictionary_.without("firstTime").without("tag").without("tags"));
  restartSpringBoard();
}

}  // namespace vorlan
