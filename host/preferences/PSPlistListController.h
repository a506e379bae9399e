#pragma once

#include <string>

#include "preferences/PSListController.h"

namespace host {

// A system settings page whose cells are a property list in its bundle:
// "<bundle>/<ClassName>.plist", ClassName being the page's runtime class (see
// PSPlistSpecifiers for the format). Every system page class is a runtime subclass of this
// one, defined under its own name ("PSUITouchIDPasscodeController", "PSUIDisplayController",
// "AAUIMainSettingsViewController", ...) by the bundle that provides it.
//
// A bundle's code is stood in for by its Info.plist: "StandInClasses" maps each class the
// bundle defines to what it is: "PSListController" (a page of this kind) or "NSObject" (a
// plain object, such as a page's data source). registerBundleClasses registers them as the
// bundle's loadable classes, so that they exist once the bundle is loaded, and not before.
//
// The page's bundle is the one whose class it is, else the "lazy-bundle" of the cell that
// opened it. When that cell names a "dataSourceClass", the page's "_dataSource" is a new object
// of that class.
class PSPlistListController : public PSListController {
 public:
  static constexpr const char* kStandInClassesKey = "StandInClasses";

  static Class* objcClass();
  explicit PSPlistListController(Class* cls = objcClass());

  // Registers the classes the bundle at `bundlePath` declares (once per bundle and process).
  static void registerBundleClasses(const std::string& bundlePath);

 protected:
  Specifiers loadSpecifiers() override;
};

}  // namespace host
