#include "StoreOperations.h"

#include <algorithm>

#include "foundation/NSString.h"
#include "preferences/PSSpecifier.h"
#include "store/SettingsValues.h"
#include "uikit/UIImage.h"

using host::NSString;
using host::Plist;
using vorlan::SettingsValues;
using vorlan::VLPreferencesManager;

namespace {

// Up to a few keys of a dictionary, and of the dictionaries in it, as argument candidates.
void keysOf(const Plist& table, int depth, std::vector<std::string>& out) {
  for (const auto& [key, value] : table.entries()) {
    if (out.size() >= 24) return;
    out.push_back(key);
    if (depth > 0) keysOf(value, depth - 1, out);
  }
}

// The "name" strings of a table's records.
std::vector<std::string> recordNames(const Plist& table) {
  std::vector<std::string> names;
  for (const auto& [key, record] : table.entries()) {
    if (auto name = SettingsValues::string(record.get("name"))) names.push_back(*name);
  }
  return names;
}

bool sameName(std::string_view a, std::string_view b) {
  return NSString::lowercaseString(a) == NSString::lowercaseString(b);
}

// The keys from the first record named `name` on, in a table keyed by decimal numbers from
// `first` to its size (less one for tags): deleting that record moves each of them down one key.
// A check that every moved record now stands, unchanged, one key lower.
std::function<std::string(const Plist&)> renumbered(TouchedKeys& touched, const Plist& table,
                                                    const char* tableKey, int first,
                                                    const std::string& name) {
  const int last = static_cast<int>(table.size()) + first - 1;
  int found = -1;
  for (int i = first; i <= last && found < 0; ++i) {
    auto stored = SettingsValues::string(table.get(std::to_string(i)).get("name"));
    if (stored && sameName(*stored, name)) found = i;
  }
  if (found < 0) return {};
  for (int i = found; i <= last; ++i)
    touched.key(tableKey).key(std::to_string(i)).everything();
  return [table, tableKey, found, last](const Plist& after) -> std::string {
    for (int i = found + 1; i <= last; ++i) {
      const Plist record = table.get(std::to_string(i));
      if (record.isNone()) continue;
      if (!TouchedKeys::kept(record, after.get(tableKey).get(std::to_string(i - 1))))
        return std::string("/") + tableKey + "/" + std::to_string(i) + " was not moved down";
    }
    return {};
  };
}

}  // namespace

std::string StoreOperations::pick(std::initializer_list<const char*> fixed,
                                  const std::vector<std::string>& found) {
  switch (input_.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return input_.ConsumeRandomLengthString(12);
    case 1:
      if (!found.empty())
        return found[input_.ConsumeIntegralInRange<std::size_t>(0, found.size() - 1)];
      [[fallthrough]];
    default:
      return *(fixed.begin() + input_.ConsumeIntegralInRange<std::size_t>(0, fixed.size() - 1));
  }
}

std::string StoreOperations::identifier(const Plist& root) {
  std::vector<std::string> found;
  keysOf(root.get("folder"), 0, found);
  keysOf(root.get("hidden"), 1, found);
  keysOf(root.get("specs"), 0, found);
  return pick({"WIFI", "General", "Bluetooth", "DISPLAY", "com.x.notes", ""}, found);
}

std::string StoreOperations::tagName(const Plist& root) {
  return pick({"Red", "red", "Crimson", "Work", "WORK", ""}, recordNames(root.get("tags")));
}

std::string StoreOperations::folderName(const Plist& root) {
  std::vector<std::string> found = recordNames(root.get("folders"));
  keysOf(root.get("positionInFolders"), 0, found);
  return pick({"Apps", "apps", "Tools", "Settings", "SETTINGS", ""}, found);
}

host::Id StoreOperations::page() {
  return pages_[input_.ConsumeIntegralInRange<std::size_t>(0, pages_.size() - 1)];
}

Plist StoreOperations::cellValue(const std::string& section, const Plist& root) {
  if (section == "tag") {
    return Plist::dictionary({{tagName(root), Plist::boolean(input_.ConsumeBool())}});
  }
  if (section == "position") {
    return Plist::dictionary(
        {{"section", Plist::string(std::to_string(input_.ConsumeIntegralInRange(0, 5)))},
         {"row", Plist::string(std::to_string(input_.ConsumeIntegralInRange(-1, 9)))}});
  }
  if (section == "passcode") return Plist::integer(input_.ConsumeIntegralInRange(0, 1));
  return Plist::boolean(input_.ConsumeBool());
}

// Every lookup, none of which may write.
void StoreOperations::readEverything(VLPreferencesManager& manager) {
  const Plist& root = manager.dictionary();
  const std::string id = identifier(root);
  auto cell = host::PSSpecifier::specifier(id, id);
  const vorlan::PageKey key(page());
  manager.isSpecifierEnabled(*cell, key);
  manager.isSpecifierProtectedByPasscode(*cell, key);
  manager.isSpecifierHidden(cell.get(), key);
  manager.getAfterSpecifierIdentifierForMovedSpecifier(*cell, key);
  manager.getDisabledIdentifiers();
  manager.getHiddenIdentifiers();
  manager.getPositionIdentifiers();
  manager.getSpecifierInfoByID(id);
  manager.getClassControllerOfSpecifier(*cell);
  manager.getBundlePathOfController(key.key());
  const std::string folder = folderName(root);
  manager.getPositionForSpecifierID(id, folder);
  manager.getIdentifierForPosition(input_.ConsumeIntegralInRange(-1, 4), folder);
  manager.getSpecifiersInFolder(folder);
  manager.isFolderNameToken(folder);
  manager.getAllSpecifiersInFolders();
  manager.foldersDictionaryAsAnswered();
  manager.isTagNameToken(tagName(root));
  manager.getTagsDictionaryForSpecifier(id, key);
  manager.tagsDictionaryAsAnswered();
  manager.getPassword();
  manager.originalTag();
  manager.getAllFolderImages();
  manager.getWallpaperImage();
}

// What each operation may change ("touched"), beyond which every key must keep its value:
//   cell value (section S, cell I, page class K)   S/K/I, class/I, specs/I, bundles/K (a page
//                                       of apps adds a new bundle key instead)
//   enable, show, reset position (I)   I under every page of its section
//   position in folder (F, I)          positionInFolders/upper(F)/I
//   passcode set or cleared            password; title: name; tutorial: tutorial
//   any top-level value (key)          that key
//   tag table, add tag                 firstTime, and only new keys in tags
//   change tag (old, new)              firstTime, the one tag record named old, and in every
//                                      cell's tags the names equal to old or new (any case)
//   rename tag in cells (old, new)     in every cell's tags the names equal to old or new
//   delete tag (name)                  in every cell's tags the names equal to it; in tags the
//                                      keys from the deleted record on, each later record moved
//                                      down one key unchanged
//   remove tag from cells (name)       in every cell's tags the names equal to it
//   erase tags                         firstTime, tag, tags
//   folder table, add folder           firstTime_folder, and only new keys in folders
//   change folder (key)                firstTime_folder, folders/key
//   rename folder (new, old)           folder/I for each cell in the old folder, and
//                                      positionInFolders/upper(new)
//   delete folder (name)               positionInFolders/upper(name), folder/I for each of its
//                                      cells, in folders the keys from it on (moved down as tags)
//   file cell I into F                 folder/I, and the positions of the folder it leaves
//   take cell I out of its folder      folder/I, positionInFolders of its folder
//   erase folders                      firstTime_folder, folder, folders, positionInFolders
//   erase everything                   the whole file (it is deleted)
//   import (replace the root)          everything; the file then holds exactly the new root
//   wallpaper, lookups                 nothing
StoreOperations::Outcome StoreOperations::runOne(VLPreferencesManager& manager) {
  const Plist root = manager.dictionary();
  Outcome out;
  TouchedKeys& t = out.touched;
  switch (input_.ConsumeIntegralInRange(0, 26)) {
    case 0: {
      out.name = "save a cell value";
      static const char* const kSections[] = {"enabled", "passcode", "hidden", "tag", "position"};
      const std::string section = kSections[input_.ConsumeIntegralInRange(0, 4)];
      const std::string id = identifier(root);
      auto cell = host::PSSpecifier::specifier(id, input_.ConsumeBool() ? id : "");
      if (input_.ConsumeBool()) cell->setObject(icon_, "iconImage");
      const host::Id controller = page();
      const std::string key = vorlan::PageKey(controller).key();
      if (input_.ConsumeBool()) {
        manager.setCurrentBundle(
            Plist::dictionary({{"path", Plist::string(input_.ConsumeBool() ? "" : "/x")},
                               {"specifier", Plist::string(id)}}));
      }
      if (!id.empty()) {
        t.key(section).key(key).key(id).everything();
        t.key("class").key(id).everything();
        t.key("specs").key(id).everything();
        // A page of apps adds a new bundle key; any other page replaces its own.
        TouchedKeys& bundles = t.key("bundles");
        if (key != "PSAppListController") bundles.key(key).everything();
      }
      manager.saveSpecifier(*cell, cellValue(section, root), section, id, controller);
      break;
    }
    case 1:
    case 2:
    case 3: {
      static const char* const kSections[] = {"enabled", "hidden", "position"};
      const char* section = kSections[input_.ConsumeIntegralInRange(0, 2)];
      out.name = "take a cell's value away";
      const std::string id = identifier(root);
      t.key(section).anyKey().key(id).everything();
      if (section[0] == 'e') manager.enableSpecifier(id);
      if (section[0] == 'h') manager.showSpecifier(id);
      if (section[0] == 'p') manager.resetPositionOfSpecifier(id);
      break;
    }
    case 4: {
      out.name = "position in a folder";
      const std::string folder = folderName(root);
      const std::string id = identifier(root);
      t.key("positionInFolders").key(NSString::uppercaseString(folder)).key(id).everything();
      manager.rearrangePoisitionInFolder(folder, id, input_.ConsumeIntegral<int>());
      break;
    }
    case 5:
      out.name = "passcode";
      t.key("password").everything();
      if (input_.ConsumeBool()) {
        manager.savePassword(pick({"1234", "", "0000"}, {}));
      } else {
        manager.clearPassword();
      }
      break;
    case 6:
      out.name = "title";
      t.key("name").everything();
      manager.saveOriginalNameIfNotExists(pick({"Settings", ""}, {}));
      break;
    case 7:
      out.name = "tutorial";
      t.key("tutorial").everything();
      manager.canShowTutorial();
      break;
    case 8: {
      out.name = "any top-level value";
      const std::string key = pick({"hidden", "tags", "folders", "tutorial", "name"}, {});
      t.key(key).everything();
      manager.savePreference(input_.ConsumeBool() ? Plist::boolean(true) : Plist::dictionary(),
                             key);
      break;
    }
    case 9:
      out.name = "tag table";
      t.all({"firstTime"}).key("tags");
      manager.getTagsDictionary();
      break;
    case 10:
      out.name = "add a tag";
      t.all({"firstTime"}).key("tags");
      manager.addTagWithName(tagName(root), "FFFFFF", "ABABAB");
      break;
    case 11: {
      out.name = "change a tag";
      const std::string oldName = tagName(root);
      const std::string newName = tagName(root);
      t.all({"firstTime"});
      t.key("tag").anyKey().anyKey().keysWhere(
          [=](std::string_view n) { return sameName(n, oldName) || sameName(n, newName); });
      TouchedKeys& tags = t.key("tags");
      const int count = static_cast<int>(root.get("tags").size());
      for (int i = 0; i < count; ++i) {
        const std::string key = std::to_string(i);
        auto stored = SettingsValues::string(root.get("tags").get(key).get("name"));
        if (stored && sameName(*stored, oldName)) {
          tags.key(key).everything();
          break;
        }
      }
      manager.saveChangesInTag(oldName, newName, pick({"#FC6354", ""}, {}),
                               pick({"ABABAB", ""}, {}));
      break;
    }
    case 12: {
      out.name = "rename a tag in the cells";
      const std::string oldName = tagName(root);
      const std::string newName = tagName(root);
      t.key("tag").anyKey().anyKey().keysWhere(
          [=](std::string_view n) { return sameName(n, oldName) || sameName(n, newName); });
      manager.changeNameOfTag(oldName, newName);
      break;
    }
    case 13:
    case 14: {
      const bool whole = input_.ConsumeBool();
      out.name = whole ? "delete a tag" : "remove a tag from the cells";
      const std::string name = tagName(root);
      t.key("tag").anyKey().anyKey().keysWhere(
          [=](std::string_view n) { return sameName(n, name); });
      if (whole) {
        out.moved = renumbered(t, root.get("tags"), "tags", 0, name);
        manager.deleteTag(name);
      } else {
        manager.removeTagInSpecs(name);
      }
      break;
    }
    case 15:
      out.name = "erase tags";
      t.all({"firstTime", "tag", "tags"});
      manager.eraseTags();
      break;
    case 16:
      out.name = "folder table";
      t.all({"firstTime_folder"}).key("folders");
      manager.getFoldersDictionary();
      break;
    case 17:
      out.name = "add a folder";
      t.all({"firstTime_folder"}).key("folders");
      manager.addFolderWithName(folderName(root),
                                pick({"",
                                      "/Library/Application Support/Vorlan3/folder_icons/"
                                      "blue@2x.png"},
                                     {}));
      break;
    case 18: {
      out.name = "change a folder";
      std::vector<std::string> keys;
      keysOf(root.get("folders"), 0, keys);
      const std::string key = pick({"1", "3", "7", "0"}, keys);
      t.all({"firstTime_folder"}).key("folders").key(key).everything();
      manager.saveChangesInFolder(key, folderName(root), pick({"", "/a/b@3x.png"}, {}));
      break;
    }
    case 19: {
      out.name = "rename a folder";
      const std::string newName = folderName(root);
      const std::string oldName = folderName(root);
      for (const auto& [id, folder] : root.get("folder").entries()) {
        auto stored = SettingsValues::string(folder);
        if (stored && NSString::uppercaseString(*stored) == NSString::uppercaseString(oldName))
          t.key("folder").key(id).everything();
      }
      t.key("folder");
      t.key("positionInFolders").key(NSString::uppercaseString(newName)).everything();
      manager.changeFolderName(newName, oldName);
      break;
    }
    case 20: {
      out.name = "delete a folder";
      const std::string name = NSString::lowercaseString(folderName(root));
      t.key("positionInFolders").key(NSString::uppercaseString(name)).everything();
      t.key("folder").keysWhere([folders = root.get("folder"), name](std::string_view id) {
        auto stored = SettingsValues::string(folders.get(id));
        return stored && sameName(*stored, name);
      });
      t.key("folders");
      out.moved = renumbered(t, root.get("folders"), "folders", 1, name);
      manager.deleteFolderWithName(name);
      break;
    }
    case 21:
    case 22: {
      const std::string id = identifier(root);
      t.key("folder").key(id).everything();
      auto current = SettingsValues::string(root.get("folder").get(id));
      if (current) {
        t.key("positionInFolders").key(NSString::uppercaseString(*current)).everything();
      }
      if (input_.ConsumeBool()) {
        out.name = "file a cell into a folder";
        manager.saveSpecifier(*host::PSSpecifier::specifier(id, id), folderName(root));
      } else {
        out.name = "take a cell out of its folder";
        manager.removeSpecifierInFolderWithID(id);
      }
      break;
    }
    case 23:
      out.name = "erase folders";
      t.all({"firstTime_folder", "folder", "folders", "positionInFolders"});
      manager.eraseFolders();
      break;
    case 24:
      out.name = "erase everything";
      out.erasesFile = true;
      manager.eraseAll();
      break;
    case 25:
      out.name = "import";
      t.everything();
      {
        Plist replacement = root.without(identifier(root)).with("tutorial", Plist::boolean(true));
        // A root that cannot be written (too large once changed) leaves the file as it was.
        if (manager.replaceDictionary(replacement)) out.replacedBy = std::move(replacement);
      }
      break;
    default:
      if (input_.ConsumeBool()) {
        out.name = "wallpaper";
        manager.saveWallpaperImage(icon_);
      } else {
        out.name = "lookups";
        readEverything(manager);
      }
      break;
  }
  return out;
}
