#pragma once

#include <memory>
#include <string>

#include "foundation/Plist.h"

namespace host {
class PSListController;
}  // namespace host

namespace vorlan {

// Builds, away from the screen, the list page a bundle record names, so that its cells can be
// shown elsewhere (the tag filter list): a page of a settings bundle, made from its controller
// class, or an app's settings page, made from the app's settings bundle. The page is never shown.
class OffscreenPage {
 public:
  // The page of class `controllerKey` from the bundle at the record's "path", with the record's
  // data source. Nothing when the bundle does not load (logged) or defines no such page.
  static std::shared_ptr<host::PSListController> forSettingsBundle(const std::string& controllerKey,
                                                                   const host::Plist& record);
  // The settings page of the app the record's "identifier" names: the system's cells for the app,
  // then those of "Root.plist" in the settings bundle at the record's "path".
  static std::shared_ptr<host::PSListController> forApp(const host::Plist& record);

  // A string value of a record; empty when absent or of another type.
  static std::string stringOf(const host::Plist& record, const char* key);
};

}  // namespace vorlan
