#pragma once

#include "foundation/Plist.h"

namespace host {
class PSSpecifier;
}  // namespace host

namespace vorlan {

// What the manager remembers of the page a cell opens, so that the cell's page can be built
// again away from where it lives (folders, the tag filter): the bundle that provides the page
// ("path"), the app it belongs to ("identifier"), its data source ("dataSourceClass"), and the
// opening cell's identifier, title and icon ("specifier", "name", "icon"). Keys without a value
// are left out, except "specifier" and "name", which are always there.
class BundleRecord {
 public:
  static host::Plist forCell(const host::PSSpecifier& cell);
};

}  // namespace vorlan
