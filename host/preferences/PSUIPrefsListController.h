#pragma once

#include <memory>
#include <vector>

#include "preferences/PSListController.h"

namespace host {

// The Settings app's main list: the system's cells, then, a few frames after the page has
// loaded (kThirdPartyDelay), the installed apps' cells in a group of their own, as on a device.
//
// The system's cells are the device's kSettingsList (format in PSPlistSpecifiers), read at every
// load; their pages come from the Settings app's bundle or the bundles the cells name. Without
// that file the main list has only the app cells.
//
// The app cells are the instance variable "_thirdPartySpecifiers", of type
// std::vector<std::shared_ptr<PSSpecifier>> (empty until they arrive). An app is a directory
// "/Applications/<name>.app" on the device with a "Settings.bundle" in it; its cell opens a
// PSAppListController and carries "AppBundleID" (the app's CFBundleIdentifier), the object
// "AppSettingsBundle" (the settings bundle) and, when the app has "Icon-Small.png" (or its @2x
// file), "iconImage". "bluetoothPowerChanged:" (void(Id)) refreshes the
// "Bluetooth" cell.
class PSUIPrefsListController : public PSListController {
 public:
  static constexpr double kThirdPartyDelay = 0.1;
  static constexpr const char* kSettingsList = "/Applications/Preferences.app/Settings.plist";

  static Class* objcClass();
  explicit PSUIPrefsListController(Class* cls = objcClass());

  const Specifiers& thirdPartySpecifiers() const { return thirdPartySpecifiers_; }
  void bluetoothPowerChanged(const std::shared_ptr<Object>& notification);

 protected:
  Specifiers loadSpecifiers() override;
  void specifiersDidLoad() override;
  virtual void bluetoothPowerChangedImpl(const std::shared_ptr<Object>& notification);
  // The installed apps' cells, by app name.
  virtual Specifiers loadThirdPartySpecifiers();

 private:
  void thirdPartySpecifiersArrived();

  Specifiers thirdPartySpecifiers_;
  std::shared_ptr<PSSpecifier> thirdPartyGroup_;
};

}  // namespace host
