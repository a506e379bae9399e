#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Plist.h"
#include "runtime/Object.h"

namespace host {
class Class;
class PSSpecifier;
class UIImage;
}  // namespace host

namespace vorlan {

// A list page as the settings file names it: the class name of its controller, or a controller
// key given directly as a string.
class PageKey {
 public:
  PageKey(const host::Object* controller);  // NOLINT: implicit, as the page is passed around
  template <class T>
  PageKey(const std::shared_ptr<T>& controller)  // NOLINT
      : PageKey(static_cast<const host::Object*>(controller.get())) {}
  PageKey(std::string key) : key_(std::move(key)) {}  // NOLINT
  PageKey(const char* key) : key_(key) {}             // NOLINT
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

// The one object through which the extension reads and changes its settings file. It keeps the
// file's root dictionary in memory and turns every change into a rewrite of the whole file,
// after which it holds what the file holds. One per process.
class VLPreferencesManager : public host::Object {
 public:
  static constexpr const char* kSettingsPath =
      "/var/mobile/Library/Preferences/com.vorlan.vorlan3.plist";
  static constexpr const char* kWallpaperPath = "/var/mobile/Documents/Vorlan/wallpaper.png";
  static constexpr const char* kFolderIconsPath =
      "/Library/Application Support/Vorlan3/folder_icons";
  static constexpr const char* kRestartCommand = "killall -HUP SpringBoard";
  // The page keys of the main list and of a folder page, the two pages that show its cells.
  static constexpr const char* kMainListKey = "PSUIPrefsListController";
  static constexpr const char* kFolderPageKey = "folderController";

  static host::Class* objcClass();
  explicit VLPreferencesManager(host::Class* cls = objcClass());

  // The process's manager, created (and the file read) on the first call.
  static std::shared_ptr<VLPreferencesManager> sharedInstance();

  // --- Storage -------------------------------------------------------------------------------
  const host::Plist& dictionary() const { return dictionary_; }
  const host::Plist& updatedDictionary();
  bool needsReload() const { return lookupFound_; }
  void reloadSpecifiers();
  void savePreference(host::Plist value, const std::string& key);
  // Replaces the whole file with `root` by the same rule as every save (an unreadable file is
  // kept aside first); false when it could not be written.
  bool replaceDictionary(const host::Plist& root);
  // True while the file on disk could not be read and is used as empty.
  bool settingsFileUnreadable() const { return unreadableFileOnDisk_; }

  // --- Pages on screen -------------------------------------------------------------------------
  const host::Id& currentController() const { return currentController_; }
  void setCurrentController(host::Id controller) { currentController_ = std::move(controller); }
  const host::Id& mainController() const { return mainController_; }
  void setMainController(host::Id controller) { mainController_ = std::move(controller); }
  // The bundle record of the page opened last (None while there is none).
  const host::Plist& currentBundle() const { return currentBundle_; }
  void setCurrentBundle(host::Plist bundle) { currentBundle_ = std::move(bundle); }

  // --- Per-cell flags --------------------------------------------------------------------------
  bool isSpecifierEnabled(const host::PSSpecifier& specifier, const PageKey& page);
  bool isSpecifierProtectedByPasscode(const host::PSSpecifier& specifier,
                                      const PageKey& page) const;
  // A row's flags as the pages showing it see them. The main list shows cells of other pages
  // (the tag filter) and a folder page shows the main list's cells, so the page on screen does
  // not always name where a cell's flag is stored: on the main list the page holding the cell's
  // value decides (a cell with no page recorded counts as unprotected); on a folder page that
  // page or the folder page itself; on any other page the page itself.
  bool isRowProtected(const host::PSSpecifier& cell, const PageKey& page, bool onMainList) const;
  bool isRowDisabled(const host::PSSpecifier& cell, const PageKey& page, bool onMainList);
  // False for anything that is not a cell.
  bool isSpecifierHidden(const host::Object* specifier, const PageKey& page) const;
  // The cell's position record {"section", "row"}, or None if the cell was not moved.
  host::Plist getAfterSpecifierIdentifierForMovedSpecifier(const host::PSSpecifier& specifier,
                                                           const PageKey& page) const;
  void saveSpecifier(const host::PSSpecifier& specifier, host::Plist value,
                     const std::string& mainKey, const std::string& subKey,
                     const host::Id& controller);

  void enableSpecifier(const std::string& identifier);
  void showSpecifier(const std::string& identifier);
  void resetPositionOfSpecifier(const std::string& identifier);

  std::vector<std::string> getDisabledIdentifiers() const;
  std::vector<std::string> getHiddenIdentifiers() const;
  std::vector<std::string> getPositionIdentifiers() const;

  // --- Cell records and pages ------------------------------------------------------------------
  host::Plist getSpecifierInfoByID(const std::string& identifier) const;
  std::optional<std::string> getClassControllerOfSpecifier(const host::PSSpecifier& spec) const;
  // The page key under which a cell of the main list keeps its value of `section` (a cell
  // section such as "passcode" or "enabled"). The main list and the folder pages show the same
  // cells and save their flags under their own keys, while "class" remembers only the page of
  // the last save of any flag: a hide on a folder page must not orphan a protection set on the
  // main list. So this is the recorded page when it holds a value for the cell, else whichever
  // of those two pages does; nothing when no page is recorded for the cell.
  std::optional<std::string> pageKeyOfMainListCellValue(const std::string& section,
                                                        const host::PSSpecifier& spec) const;
  host::Plist getBundlePathOfController(const std::string& bundleKey) const;

  // --- Positions inside folders ----------------------------------------------------------------
  int getPositionForSpecifierID(const std::string& identifier, const std::string& folder) const;
  std::optional<std::string> getIdentifierForPosition(int position,
                                                      const std::string& folder) const;
  void rearrangePoisitionInFolder(const std::string& folder, const std::string& identifier,
                                  int position);

  // --- Scalars ---------------------------------------------------------------------------------
  std::optional<std::string> getPassword() const;
  void savePassword(const std::string& password);
  // Removes the stored passcode (the way back in for a user who forgot it).
  void clearPassword();
  std::optional<std::string> originalTag() const;
  void saveOriginalNameIfNotExists(const std::string& title);
  bool canShowTutorial();
  void saveWallpaperImage(const std::shared_ptr<host::UIImage>& image);
  std::shared_ptr<host::UIImage> getWallpaperImage() const;

  // --- Tags ------------------------------------------------------------------------------------
  host::Plist getTagsDictionary();
  // The table getTagsDictionary would answer now, without writing anything.
  host::Plist tagsDictionaryAsAnswered() const;
  bool isTagNameToken(std::string_view name) const;
  void addTagWithName(const std::string& name, const std::string& fillColor,
                      const std::string& borderColor);
  void saveChangesInTag(const std::string& oldName, const std::string& newName,
                        const std::string& fillColor, const std::string& borderColor);
  void changeNameOfTag(const std::string& oldName, const std::string& newName);
  void deleteTag(const std::string& name);
  void removeTagInSpecs(const std::string& name);
  host::Plist getTagsDictionaryForSpecifier(const std::string& identifier,
                                            const PageKey& page) const;
  void eraseTags();

  // --- Folders ---------------------------------------------------------------------------------
  host::Plist getFoldersDictionary();
  // The table getFoldersDictionary would answer now, without writing anything.
  host::Plist foldersDictionaryAsAnswered() const;
  std::vector<std::string> getAllFolderImages() const;
  bool isFolderNameToken(std::string_view name) const;
  void addFolderWithName(const std::string& name, const std::string& icon);
  void saveChangesInFolder(const std::string& folderKey, const std::string& name,
                           const std::string& icon);
  void changeFolderName(const std::string& newName, const std::string& oldName);
  void deleteFolderWithName(const std::string& name);
  void saveSpecifier(const host::PSSpecifier& specifier, const std::string& inFolder);
  void removeSpecifierInFolderWithID(const std::string& identifier);
  void removefolderSpecifier(const host::PSSpecifier& specifier);
  std::vector<std::string> getAllSpecifiersInFolders() const;
  std::vector<std::string> getSpecifiersInFolder(const std::string& folder) const;
  void eraseFolders();

  // --- Everything ------------------------------------------------------------------------------
  void eraseAll();

  // The default tag and folder tables, as written on first use.
  static host::Plist defaultTags();
  static host::Plist defaultFolders();

 private:
  // Writes the root atomically and keeps what the file then holds, as a read of it would give
  // it; after a failed write, reads what the file still holds. False when nothing was written.
  bool commit(const host::Plist& root);
  host::Plist readSettingsFile();
  bool setAsideUnreadableFile();
  void removeIdentifierFromSection(const std::string& section, const std::string& identifier);
  host::Plist cellValue(const std::string& section, const std::string& page,
                        const std::string& identifier) const;
  std::vector<std::string> identifiersInSection(const std::string& section,
                                                bool onlyTrueValues) const;
  void restartSpringBoard();
  // Whether a request for a default table (tags or folders) writes the defaults first.
  bool needsDefaultTable(const char* flagKey, const char* tableKey) const;
  // A top-level table as stored; an empty dictionary if absent or of another type.
  host::Plist storedTable(const char* tableKey) const;

  host::Plist dictionary_;
  bool lookupFound_ = false;
  bool unreadableFileOnDisk_ = false;
  // Set once the tutorial was offered, so a flag that could not be saved still counts.
  bool tutorialOffered_ = false;
  host::Id currentController_;
  host::Id mainController_;
  host::Plist currentBundle_;
};

}  // namespace vorlan
