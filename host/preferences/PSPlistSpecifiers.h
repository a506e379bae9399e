#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/Plist.h"

namespace host {

class Object;
class PSSpecifier;
class UIImage;

// Cells described by a property list on the device: the main list's Settings.plist and the
// system pages' "<Class>.plist" files, and the entries of an app's settings bundle. Such a file is
// a dictionary whose "title" is the page's title (the main list's; other pages take the title of
// the cell that opened them) and whose "items" array holds one dictionary per cell, in display
// order:
//
//   "cell"    cell type name as PSTableCell::cellTypeFromString takes it (PSGroupCell,
//             PSLinkCell, PSSwitchCell, PSTitleValueCell, ...); PSLinkCell when absent
//   "id"      the specifier identifier; a cell without one has none
//   "label"   the title (a group's header title)
//   "detail"  class name of the page the cell opens
//   "bundle"  device path of the bundle that provides that page: it is loaded, and without
//             "detail" its principal class is the page's class; kept as "lazy-bundle"
//   "icon"    PNG file of the cell's icon ("iconImage"), a device path or a name in the list's
//             own bundle; "<name>@2x.png" beside it is preferred on a 2x screen
//   "enabled" false shows the cell greyed out and not selectable
//   "footerText" a group's footer
//   "defaults", "key", "default"  where a switch or value cell keeps its value
//             (/var/mobile/Library/Preferences/<defaults>.plist) and its value when unset
//
// Every key of an item is also a property of its specifier ("dataSourceClass", ...). Items
// that are not dictionaries are skipped; a page class that cannot be found leaves the cell
// without a page.
class PSPlistSpecifiers {
 public:
  static constexpr const char* kItemsKey = "items";

  // The cells of `list` (the file's root dictionary); `bundlePath` is the bundle the list
  // belongs to, `target` the page that reads and stores the cells' values.
  static std::vector<std::shared_ptr<PSSpecifier>> fromList(const Plist& list,
                                                            const std::string& bundlePath,
                                                            const std::shared_ptr<Object>& target);
  // The cells of one entry of a settings bundle's "PreferenceSpecifiers" array (none for an
  // entry of an unknown type): its keys become the specifier's properties, "Key" its "key" and
  // "DefaultValue" its "default"; without "defaults" the value is kept in the domain of the
  // parent's app ("AppBundleID", else the parent's own "defaults"). Titles are taken as
  // written. `target` reads and stores the cells' values.
  static std::vector<std::shared_ptr<PSSpecifier>> fromSettingsEntry(
      const Plist& entry, const std::shared_ptr<PSSpecifier>& parent,
      const std::shared_ptr<Object>& target);
  // The property list at a device path; None when missing or unreadable.
  static Plist readList(const std::string& devicePath);
  // An icon at a device path, preferring its "@2x" file on a 2x (or finer) screen.
  static std::shared_ptr<UIImage> iconAt(const std::string& devicePath);
};

}  // namespace host
