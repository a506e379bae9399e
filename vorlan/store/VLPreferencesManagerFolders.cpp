// The folder operations of the preferences manager: the folder table, folder membership and
// positions inside folders.
#include <string>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSString.h"
#include "preferences/PSSpecifier.h"
#include "store/SettingsValues.h"
#include "store/VLPreferencesManager.h"

using host::NSString;
using host::Plist;

namespace vorlan {

namespace {

std::string freeFolderKey(const Plist& table) {
  int key = 1;
  while (table.contains(std::to_string(key)))
    ++key;
  return std::to_string(key);
}

// "image" and "settings_image" of a folder record from a chosen icon path.
Plist withIcon(Plist record, const std::string& icon) {
  if (icon.empty()) return record;
  const std::string image =
      NSString::replacingOccurrences(NSString::replacingOccurrences(icon, "@2x", ""), "@3x", "");
  return record.with("image", Plist::string(image))
      .with("settings_image",
            Plist::string(NSString::replacingOccurrences(image, ".png", "_icon.png")));
}

Plist folderRecord(const std::string& name, const std::string& icon) {
  const std::string dir = VLPreferencesManager::kFolderIconsPath;
  return withIcon(Plist::dictionary({{"name", Plist::string(name)}}), dir + "/" + icon + ".png");
}

// The settings without the cell's folder membership; a cell that held a place in its folder
// leaves a gap there, which the later cells close by moving up one place. A cell that was never
// sorted holds no place, so nobody moves.
Plist withoutFolderMembership(Plist root, const std::string& identifier) {
  auto folder = SettingsValues::string(root.get("folder").get(identifier));
  root = root.with("folder", root.get("folder").without(identifier));
  const std::string key = folder ? NSString::uppercaseString(*folder) : std::string();
  Plist positions = root.get("positionInFolders");
  Plist entry = positions.get(key);
  if (auto removed = SettingsValues::position(entry.get(identifier)); folder && removed) {
    for (const auto& [other, value] : positions.get(key).entries()) {
      auto position = SettingsValues::position(value);
      if (position && *position > *removed) {
        entry = entry.with(other, Plist::integer(*position - 1));
      }
    }
    entry = entry.without(identifier);
    root = root.with("positionInFolders", positions.with(key, entry));
  }
  return root;
}

}  // namespace

Plist VLPreferencesManager::defaultFolders() {
  return Plist::dictionary({
      {"1", folderRecord("Settings", "settings")},
      {"2", folderRecord("Cydia", "cydia")},
      {"3", folderRecord("Apps", "apps")},
      {"4", folderRecord("Connectivity", "connectivity")},
      {"5", folderRecord("Accessibility", "accessibility")},
      {"6", folderRecord("Protected", "protected")},
  });
}

Plist VLPreferencesManager::getFoldersDictionary() {
  if (needsDefaultTable("firstTime_folder", "folders")) {
    commit(dictionary_.with("firstTime_folder", Plist::boolean(true))
               .with("folders", defaultFolders()));
  }
  return storedTable("folders");
}

Plist VLPreferencesManager::foldersDictionaryAsAnswered() const {
  return needsDefaultTable("firstTime_folder", "folders") ? defaultFolders()
                                                          : storedTable("folders");
}

std::vector<std::string> VLPreferencesManager::getAllFolderImages() const {
  std::vector<std::string> images;
  auto device = host::DeviceFileSystem::current();
  if (!device) return images;
  for (const std::string& name : device->contentsOfDirectory(kFolderIconsPath)) {
    if (name.find("_icon") != std::string::npos) continue;
    images.push_back(std::string(kFolderIconsPath) + "/" +
                     NSString::replacingOccurrences(name, "@2x", ""));
  }
  return images;
}

bool VLPreferencesManager::isFolderNameToken(std::string_view name) const {
  const std::string wanted = NSString::lowercaseString(name);
  for (const auto& [key, record] : dictionary_.get("folders").entries()) {
    auto folderName = SettingsValues::string(record.get("name"));
    if (folderName && NSString::lowercaseString(*folderName) == wanted) return true;
  }
  return false;
}

void VLPreferencesManager::addFolderWithName(const std::string& name, const std::string& icon) {
  Plist folders = getFoldersDictionary();
  Plist record = Plist::dictionary();
  if (!name.empty()) record = record.with("name", Plist::string(name));
  folders = folders.with(freeFolderKey(folders), withIcon(record, icon));
  commit(dictionary_.with("folders", folders));
  reloadSpecifiers();
}

void VLPreferencesManager::saveChangesInFolder(const std::string& folderKey,
                                               const std::string& name, const std::string& icon) {
  Plist folders = getFoldersDictionary();
  Plist record = folders.get(folderKey);
  if (!name.empty()) record = record.with("name", Plist::string(name));
  folders = folders.with(folderKey, withIcon(record, icon));
  commit(dictionary_.with("folders", folders));
  reloadSpecifiers();
}

void VLPreferencesManager::changeFolderName(const std::string& newName,
                                            const std::string& oldName) {
  if (newName.empty()) {
    host::NSLog("<Vorlan3> Can't change " + oldName + " folder to (null)");
    return;
  }
  const std::string oldKey = NSString::uppercaseString(oldName);
  Plist membership = dictionary_.get("folder");
  for (const std::string& identifier : getAllSpecifiersInFolders()) {
    auto folder = SettingsValues::string(membership.get(identifier));
    if (folder && NSString::uppercaseString(*folder) == oldKey) {
      membership = membership.with(identifier, Plist::string(newName));
    }
  }
  // The positions are copied to the new name; the entry under the old name stays.
  Plist positions = dictionary_.get("positionInFolders");
  if (Plist entry = positions.get(oldKey); !entry.isNone()) {
    positions = positions.with(NSString::uppercaseString(newName), entry);
  }
  commit(dictionary_.with("folder", membership).with("positionInFolders", positions));
}

void VLPreferencesManager::deleteFolderWithName(const std::string& name) {
  const std::string lowered = NSString::lowercaseString(name);
  Plist positions = dictionary_.get("positionInFolders").without(NSString::uppercaseString(name));

  // The folder's cells go back to the main list.
  Plist membership = dictionary_.get("folder");
  for (const auto& [identifier, folder] : dictionary_.get("folder").entries()) {
    auto folderName = SettingsValues::string(folder);
    if (folderName && NSString::lowercaseString(*folderName) == lowered) {
      membership = membership.without(identifier);
    }
  }

  Plist folders = dictionary_.get("folders");
  const int count = static_cast<int>(folders.size());
  bool found = false;
  for (int i = 1; i <= count; ++i) {
    const std::string key = std::to_string(i);
    Plist record = folders.get(key);
    auto folderName = SettingsValues::string(record.get("name"));
    if (!found && folderName && NSString::lowercaseString(*folderName) == lowered) {
      folders = folders.without(key);
      found = true;
    } else if (found && !record.isNone()) {
      folders = folders.with(std::to_string(i - 1), record).without(key);
    }
  }
  commit(dictionary_.with("positionInFolders", positions)
             .with("folder", membership)
             .with("folders", folders));
  reloadSpecifiers();
}

void VLPreferencesManager::saveSpecifier(const host::PSSpecifier& specifier,
                                         const std::string& inFolder) {
  const std::string& identifier = specifier.identifier();
  if (identifier.empty()) return;
  // A cell filed into another folder gives up its place in the old one, or two cells of that
  // folder would share a place after its next sort.
  Plist root = dictionary_;
  auto current = SettingsValues::string(root.get("folder").get(identifier));
  if (current && NSString::uppercaseString(*current) != NSString::uppercaseString(inFolder)) {
    root = withoutFolderMembership(root, identifier);
  }
  commit(root.withPath({"folder", identifier}, Plist::string(inFolder)));
}

void VLPreferencesManager::removeSpecifierInFolderWithID(const std::string& identifier) {
  commit(withoutFolderMembership(dictionary_, identifier));
}

void VLPreferencesManager::removefolderSpecifier(const host::PSSpecifier& specifier) {
  removeSpecifierInFolderWithID(specifier.identifier());
}

std::vector<std::string> VLPreferencesManager::getAllSpecifiersInFolders() const {
  std::vector<std::string> identifiers;
  for (const auto& [identifier, folder] : dictionary_.get("folder").entries()) {
    identifiers.push_back(identifier);
  }
  return identifiers;
}

std::vector<std::string> VLPreferencesManager::getSpecifiersInFolder(
    const std::string& folder) const {
  const std::string lowered = NSString::lowercaseString(folder);
  std::vector<std::string> identifiers;
  for (const auto& [identifier, name] : dictionary_.get("folder").entries()) {
    auto folderName = SettingsValues::string(name);
    if (folderName && NSString::lowercaseString(*folderName) == lowered) {
      identifiers.push_back(identifier);
    }
  }
  return identifiers;
}

void VLPreferencesManager::eraseFolders() {
  commit(dictionary_.without("firstTime_folder")
             .without("positionInFolders")
             .without("folder")
             .without("folders"));
  restartSpringBoard();
}

}  // namespace vorlan
