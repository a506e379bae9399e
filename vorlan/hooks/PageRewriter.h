#pragma once

#include <memory>

#include "foundation/Plist.h"
#include "store/VLPreferencesManager.h"

namespace host {
class PSListController;
class PSSpecifier;
}  // namespace host

namespace vorlan {

// Rewrites a list page's cells from the settings file, after the host has built the page: hidden
// cells and (on the main list) cells filed into folders leave, moved cells go back in at their
// stored place, disabled cells are marked, and the main list gets its folder rows and loses its
// empty sections. Reads the settings only; never writes them.
class PageRewriter {
 public:
  // The main list's pass. Folder rows are added only to the real main list, not to pages of a
  // class derived from it.
  static void rewriteMainList(host::PSListController& page);
  // Any other page: no folders, no section sweep; moved cells are re-inserted as they are met.
  static void rewritePage(host::PSListController& page);
  // Hidden cells and enabled marks only, each cell looked up under the page it was saved on.
  static void rewriteWithoutPositions(host::PSListController& page);

  // Copies the cell's enabled state into its "enabled" property and, when the settings file
  // holds a value for it, reloads its row and keeps the shown cell touchable.
  static void markEnabled(host::PSListController& page,
                          const std::shared_ptr<host::PSSpecifier>& cell, const PageKey& key);
  // Where a moved cell goes back in: one before the index of its stored row and section
  // (counted as the position editor counts them), never below 0. A place past the end of its
  // section, or a section past the end of the page, still yields an index.
  static long insertionIndex(host::PSListController& page, const host::Plist& place);
  // A link row for a folder record, opening the folder page.
  static std::shared_ptr<host::PSSpecifier> folderRow(const host::Plist& record,
                                                      const std::shared_ptr<host::Object>& target);

 private:
  static void addFolderRows(host::PSListController& page, VLPreferencesManager& manager);
  static void removeEmptySections(host::PSListController& page);
};

}  // namespace vorlan
