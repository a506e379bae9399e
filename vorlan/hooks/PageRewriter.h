#pragma once

#include <memory>
#include <utility>
#include <vector>

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

  // Copies the cell's enabled state into its "enabled" property. Answers whether the settings
  // file holds a value for it: its row is then reloaded (reloadMarked).
  static bool markEnabled(host::PSSpecifier& cell, const PageKey& key);
  // Reloads the rows of the given cells in one table update and keeps their shown cells
  // touchable.
  static void reloadMarked(host::PSListController& page,
                           const std::vector<std::shared_ptr<host::PSSpecifier>>& cells);
  // Where a moved cell goes back in among `cells`: one before the index of its stored row and
  // section (counted as the position editor counts them), never below 0. A place past the end
  // of its section, or a section past the end of the page, still yields an index.
  static long insertionIndex(const std::vector<std::shared_ptr<host::PSSpecifier>>& cells,
                             const host::Plist& place);
  // A link row for a folder record, opening the folder page.
  static std::shared_ptr<host::PSSpecifier> folderRow(const host::Plist& record,
                                                      const std::shared_ptr<host::Object>& target);

 private:
  // The folder rows' change: the rows of the last pass to take off the page and the new ones to
  // append; none of either when the last pass's rows stand unchanged.
  static std::pair<std::vector<std::shared_ptr<host::PSSpecifier>>,
                   std::vector<std::shared_ptr<host::PSSpecifier>>>
  folderRowChange(host::PSListController& page, VLPreferencesManager& manager);
  static bool folderRowsStandUnchanged(host::PSListController& page,
                                       const std::vector<host::Plist>& records);
  static void removeEmptySections(host::PSListController& page);
};

}  // namespace vorlan
