#include "store/VLPreferencesManager.h"

#include <chrono>
#include <ctime>
#include <filesystem>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/NSString.h"
#include "foundation/PropertyListSerialization.h"
#include "foundation/Shell.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "store/SettingsValues.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIImage.h"

using host::Plist;

namespace vorlan {

PageKey::PageKey(const host::Object* controller)
    : key_(controller ? controller->className() : std::string()) {}

HOST_CLASS(VLPreferencesManager, host::Object)

VLPreferencesManager::VLPreferencesManager(host::Class* cls) : host::Object(cls) {
  dictionary_ = readSettingsFile();
}

std::shared_ptr<VLPreferencesManager> VLPreferencesManager::sharedInstance() {
  // A function-local static is created exactly once, even when first calls race.
  static const std::shared_ptr<VLPreferencesManager> manager =
      std::make_shared<VLPreferencesManager>();
  return manager;
}

// --- Storage -------------------------------------------------------------------------------------

const Plist& VLPreferencesManager::updatedDictionary() {
  dictionary_ = readSettingsFile();
  return dictionary_;
}

Plist VLPreferencesManager::readSettingsFile() {
  auto device = host::DeviceFileSystem::current();
  using Entry = host::DeviceFileSystem::EntryType;
  if (!device || device->entryType(kSettingsPath) == Entry::None) {
    unreadableFileOnDisk_ = false;
    return Plist();
  }
  // Only a regular file is read: a link there is not followed (it could lead anywhere) and a
  // FIFO or device is not opened. Either counts as unreadable and is kept aside.
  std::string problem;
  if (auto bytes = device->readRegularFile(
          kSettingsPath, host::PropertyListSerialization::kMaxInputBytes, &problem)) {
    auto result = host::PropertyListSerialization::readOwned(std::move(*bytes));
    if (result.ok() && result.value.isDictionary()) {
      unreadableFileOnDisk_ = false;
      return result.value;
    }
    problem = result.ok() ? "its root is not a dictionary" : result.error;
  }
  if (!unreadableFileOnDisk_) {
    host::NSLog(std::string("<Vorlan3> The settings file ") + kSettingsPath + " cannot be read (" +
                problem + "); it is used as empty and will be kept aside before the next save");
  }
  unreadableFileOnDisk_ = true;
  return Plist();
}

bool VLPreferencesManager::setAsideUnreadableFile() {
  auto device = host::DeviceFileSystem::current();
  using Entry = host::DeviceFileSystem::EntryType;
  if (!device || device->entryType(kSettingsPath) == Entry::None) return true;
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
  const std::string base = host::NSString::replacingOccurrences(
      kSettingsPath, ".plist", std::string(".unreadable-") + stamp);
  std::string aside = base + ".plist";
  for (int n = 2; device->entryType(aside) != Entry::None; ++n)
    aside = base + "-" + std::to_string(n) + ".plist";
  std::string error;
  if (!device->moveItem(kSettingsPath, aside, &error)) {
    host::NSLog("<Vorlan3> Could not keep the unreadable settings file aside (" + error +
                "); it is left in place and not overwritten");
    return false;
  }
  host::NSLog("<Vorlan3> Kept the unreadable settings file as " + aside);
  unreadableFileOnDisk_ = false;
  return true;
}

bool VLPreferencesManager::commit(const Plist& root) {
  auto device = host::DeviceFileSystem::current();
  std::string error = "no device file system";
  bool written = false;
  Plist onDisk;
  if (device) {
    const Plist& tree = root.isDictionary() ? root : Plist::dictionary();
    // XML as Foundation writes it, or the binary form for a value XML cannot carry.
    auto file = host::PropertyListSerialization::write(tree);
    error = file.error;
    if (file.ok()) {
      const std::string directory = std::filesystem::path(kSettingsPath).parent_path().string();
      if (!device->fileExists(directory)) device->createDirectory(directory, true, &error);
      if (!unreadableFileOnDisk_ || setAsideUnreadableFile()) {
        written = device->writeFileAtomically(kSettingsPath, file.bytes, &error, 0600);
      } else {
        error = "the unreadable file could not be kept aside";
      }
      if (written) onDisk = std::move(file.value);
    }
  }
  if (!written) host::NSLog("<Vorlan3> Could not save the settings file: " + error);
  // A file just written holds exactly what a read of it gives, so it is kept without reading it
  // back; after a failure the file is read for what it still holds.
  if (written && onDisk.isDictionary()) {
    dictionary_ = std::move(onDisk);
    unreadableFileOnDisk_ = false;
  } else {
    updatedDictionary();
  }
  return written;
}

void VLPreferencesManager::savePreference(Plist value, const std::string& key) {
  commit(dictionary_.with(key, std::move(value)));
}

bool VLPreferencesManager::replaceDictionary(const Plist& root) {
  return commit(root);
}

void VLPreferencesManager::reloadSpecifiers() {
  auto setNeedsReload = [this](bool value) {
    if (host::respondsToSelector(mainController_.get(), "setNeedsReload:")) {
      host::msgSend<void(bool)>(mainController_, "setNeedsReload:", value);
    }
  };
  if (currentController_ && currentController_->className() == "PSUIPrefsListController") {
    host::msgSend<void()>(mainController_, "reloadSpecifiers");
    setNeedsReload(false);
  } else {
    host::msgSend<void()>(currentController_, "reloadSpecifiers");
    setNeedsReload(true);
  }
}

// --- Default tables ------------------------------------------------------------------------------

bool VLPreferencesManager::needsDefaultTable(const char* flagKey, const char* tableKey) const {
  // The defaults go only where they replace nothing of the user's: the flag says they were never
  // written (absent, or a false value), and the table is absent or empty. A flag of another type
  // is a hand edit of unknown meaning and never leads to a write.
  const Plist flag = dictionary_.get(flagKey);
  const bool neverWritten = flag.isNone() || SettingsValues::flag(flag) == false;
  const Plist table = dictionary_.get(tableKey);
  return neverWritten && (table.isNone() || (table.isDictionary() && table.size() == 0));
}

Plist VLPreferencesManager::storedTable(const char* tableKey) const {
  Plist table = dictionary_.get(tableKey);
  return table.isDictionary() ? table : Plist::dictionary();
}

// --- Per-cell flags ------------------------------------------------------------------------------

Plist VLPreferencesManager::cellValue(const std::string& section, const std::string& page,
                                      const std::string& identifier) const {
  // A cell without an identifier has no place in the file, whatever a "" key there holds.
  if (identifier.empty()) return Plist();
  return dictionary_.get(section).get(page).get(identifier);
}

bool VLPreferencesManager::isSpecifierEnabled(const host::PSSpecifier& specifier,
                                              const PageKey& page) {
  if (auto stored =
          SettingsValues::flag(cellValue("enabled", page.key(), specifier.identifier()))) {
    lookupFound_ = true;
    return *stored;
  }
  lookupFound_ = false;
  return SettingsValues::flag(specifier.propertyForKey("enabled")).value_or(true);
}

bool VLPreferencesManager::isSpecifierProtectedByPasscode(const host::PSSpecifier& specifier,
                                                          const PageKey& page) const {
  return SettingsValues::flag(cellValue("passcode", page.key(), specifier.identifier()))
      .value_or(false);
}

bool VLPreferencesManager::isRowProtected(const host::PSSpecifier& cell, const PageKey& page,
                                          bool onMainList) const {
  const auto saved = pageKeyOfMainListCellValue("passcode", cell);
  const bool protectedWhereSaved = saved && isSpecifierProtectedByPasscode(cell, *saved);
  if (onMainList) return protectedWhereSaved;
  if (page.key() == kFolderPageKey && protectedWhereSaved) return true;
  return isSpecifierProtectedByPasscode(cell, page);
}

bool VLPreferencesManager::isRowDisabled(const host::PSSpecifier& cell, const PageKey& page,
                                         bool onMainList) {
  const auto saved = pageKeyOfMainListCellValue("enabled", cell);
  if (saved && (onMainList || page.key() == kFolderPageKey)) {
    return !isSpecifierEnabled(cell, *saved);
  }
  return !isSpecifierEnabled(cell, page);
}

bool VLPreferencesManager::isSpecifierHidden(const host::Object* specifier,
                                             const PageKey& page) const {
  const auto* cell = dynamic_cast<const host::PSSpecifier*>(specifier);
  if (cell == nullptr) return false;
  return SettingsValues::flag(cellValue("hidden", page.key(), cell->identifier())).value_or(false);
}

Plist VLPreferencesManager::getAfterSpecifierIdentifierForMovedSpecifier(
    const host::PSSpecifier& specifier, const PageKey& page) const {
  Plist position = cellValue("position", page.key(), specifier.identifier());
  return position.isDictionary() ? position : Plist();
}

void VLPreferencesManager::saveSpecifier(const host::PSSpecifier& specifier, Plist value,
                                         const std::string& mainKey, const std::string& subKey,
                                         const host::Id& controller) {
  // A cell without an identifier has no place in the file.
  if (subKey.empty()) return;
  const std::string pageKey = PageKey(controller).key();
  Plist root = dictionary_;

  Plist bundles = root.get("bundles");
  if (currentBundle_.isDictionary()) {
    const std::string* path = currentBundle_.get("path").asString();
    if (path == nullptr || path->empty()) {
      std::string bundlePath;
      if (host::respondsToSelector(controller.get(), "bundle")) {
        auto bundle = host::msgSend<std::shared_ptr<host::NSBundle>()>(controller, "bundle");
        if (bundle) bundlePath = bundle->bundlePath();
      }
      currentBundle_ = currentBundle_.with("path", Plist::string(bundlePath));
    }
  }
  std::string bundleKey = pageKey;
  if (pageKey == "PSAppListController") {
    for (int n = 1; bundles.contains(bundleKey); ++n) {
      bundleKey = pageKey + "-" + std::to_string(n);
    }
  }
  bundles =
      bundles.with(bundleKey, currentBundle_.isDictionary() ? currentBundle_ : Plist::string(""));

  Plist classes = root.get("class").with(subKey, Plist::string(pageKey));
  Plist section = root.get(mainKey);
  section = section.with(pageKey, section.get(pageKey).with(subKey, std::move(value)));

  Plist record = Plist::dictionary();
  if (!specifier.name().empty()) record = record.with("name", Plist::string(specifier.name()));
  if (auto icon = std::dynamic_pointer_cast<host::UIImage>(specifier.objectForKey("iconImage"))) {
    record = record.with("icon", Plist::data(host::UIImagePNGRepresentation(icon)));
  }
  Plist specs = root.get("specs");
  if (!specifier.identifier().empty()) specs = specs.with(specifier.identifier(), record);

  root = root.with("bundles", bundles)
             .with(mainKey, section)
             .with("specs", specs)
             .with("class", classes);
  commit(root);
}

void VLPreferencesManager::removeIdentifierFromSection(const std::string& section,
                                                       const std::string& identifier) {
  Plist root = dictionary_;
  Plist table = root.get(section);
  bool changed = false;
  for (const auto& [page, cells] : root.get(section).entries()) {
    if (cells.contains(identifier)) {
      table = table.with(page, cells.without(identifier));
      changed = true;
    }
  }
  if (changed) root = root.with(section, table);
  // Written and reloaded even when the identifier was nowhere.
  commit(root);
  reloadSpecifiers();
}

void VLPreferencesManager::enableSpecifier(const std::string& identifier) {
  removeIdentifierFromSection("enabled", identifier);
}

void VLPreferencesManager::showSpecifier(const std::string& identifier) {
  removeIdentifierFromSection("hidden", identifier);
}

void VLPreferencesManager::resetPositionOfSpecifier(const std::string& identifier) {
  removeIdentifierFromSection("position", identifier);
}

std::vector<std::string> VLPreferencesManager::identifiersInSection(const std::string& section,
                                                                    bool onlyTrueValues) const {
  std::vector<std::string> identifiers;
  for (const auto& [page, cells] : dictionary_.get(section).entries()) {
    for (const auto& [identifier, value] : cells.entries()) {
      if (!onlyTrueValues || SettingsValues::flag(value).value_or(false))
        identifiers.push_back(identifier);
    }
  }
  return identifiers;
}

std::vector<std::string> VLPreferencesManager::getDisabledIdentifiers() const {
  return identifiersInSection("enabled", false);
}

std::vector<std::string> VLPreferencesManager::getHiddenIdentifiers() const {
  return identifiersInSection("hidden", true);
}

std::vector<std::string> VLPreferencesManager::getPositionIdentifiers() const {
  return identifiersInSection("position", false);
}

// --- Cell records and pages ----------------------------------------------------------------------

Plist VLPreferencesManager::getSpecifierInfoByID(const std::string& identifier) const {
  if (identifier.empty()) return Plist();
  Plist record = dictionary_.get("specs").get(identifier);
  return record.isDictionary() ? record : Plist();
}

std::optional<std::string> VLPreferencesManager::getClassControllerOfSpecifier(
    const host::PSSpecifier& spec) const {
  if (spec.identifier().empty()) return std::nullopt;
  return SettingsValues::string(dictionary_.get("class").get(spec.identifier()));
}

std::optional<std::string> VLPreferencesManager::pageKeyOfMainListCellValue(
    const std::string& section, const host::PSSpecifier& spec) const {
  auto saved = getClassControllerOfSpecifier(spec);
  if (!saved || !cellValue(section, *saved, spec.identifier()).isNone()) return saved;
  for (const char* page : {kMainListKey, kFolderPageKey}) {
    if (!cellValue(section, page, spec.identifier()).isNone()) return page;
  }
  return saved;
}

Plist VLPreferencesManager::getBundlePathOfController(const std::string& bundleKey) const {
  return dictionary_.get("bundles").get(bundleKey);
}

// --- Positions inside folders --------------------------------------------------------------------

int VLPreferencesManager::getPositionForSpecifierID(const std::string& identifier,
                                                    const std::string& folder) const {
  if (identifier.empty()) return -1;
  Plist entry = dictionary_.get("positionInFolders").get(host::NSString::uppercaseString(folder));
  return SettingsValues::position(entry.get(identifier)).value_or(-1);
}

std::optional<std::string> VLPreferencesManager::getIdentifierForPosition(
    int position, const std::string& folder) const {
  Plist entry = dictionary_.get("positionInFolders").get(host::NSString::uppercaseString(folder));
  for (const auto& [identifier, value] : entry.entries()) {
    if (!identifier.empty() && SettingsValues::position(value) == position) return identifier;
  }
  return std::nullopt;
}

void VLPreferencesManager::rearrangePoisitionInFolder(const std::string& folder,
                                                      const std::string& identifier, int position) {
  if (identifier.empty()) return;
  commit(dictionary_.withPath(
      {"positionInFolders", host::NSString::uppercaseString(folder), identifier},
      Plist::string(std::to_string(position))));
}

// --- Scalars -------------------------------------------------------------------------------------

std::optional<std::string> VLPreferencesManager::getPassword() const {
  return SettingsValues::string(dictionary_.get("password"));
}

void VLPreferencesManager::savePassword(const std::string& password) {
  savePreference(Plist::string(password), "password");
}

void VLPreferencesManager::clearPassword() {
  commit(dictionary_.without("password"));
}

std::optional<std::string> VLPreferencesManager::originalTag() const {
  return SettingsValues::string(dictionary_.get("name"));
}

void VLPreferencesManager::saveOriginalNameIfNotExists(const std::string& title) {
  auto saved = originalTag();
  if (!saved || saved->empty()) savePreference(Plist::string(title), "name");
}

bool VLPreferencesManager::canShowTutorial() {
  if (tutorialOffered_ || SettingsValues::flag(dictionary_.get("tutorial")).value_or(false)) {
    return false;
  }
  // Counted as shown even if the flag cannot be saved: once per process at worst.
  tutorialOffered_ = true;
  savePreference(Plist::boolean(true), "tutorial");
  return true;
}

void VLPreferencesManager::saveWallpaperImage(const std::shared_ptr<host::UIImage>& image) {
  auto device = host::DeviceFileSystem::current();
  if (!image || !device) return;
  const auto png = host::UIImagePNGRepresentation(image);
  std::string error;
  if (!device->writeFileAtomically(kWallpaperPath, std::string(png.begin(), png.end()), &error)) {
    host::NSLog("<Vorlan3> Could not save the wallpaper: " + error);
  }
}

std::shared_ptr<host::UIImage> VLPreferencesManager::getWallpaperImage() const {
  return host::UIImage::imageWithContentsOfFile(kWallpaperPath);
}

void VLPreferencesManager::restartSpringBoard() {
  host::Shell::system(kRestartCommand);
}

void VLPreferencesManager::eraseAll() {
  auto device = host::DeviceFileSystem::current();
  if (!device || device->entryType(kSettingsPath) == host::DeviceFileSystem::EntryType::None) {
    return;
  }
  std::string error;
  if (!device->removeItem(kSettingsPath, &error)) {
    host::NSLog("<Vorlan3> Could not delete the settings file: " + error);
    host::UIAlertView::alert("Error", "An error has occured :(", "OK")->show();
    return;
  }
  // The manager holds what the file holds: a save before the restart ends the app must not
  // write the erased settings back.
  dictionary_ = Plist();
  unreadableFileOnDisk_ = false;
  restartSpringBoard();
}

}  // namespace vorlan
