#include "preferences/PSUIPrefsListController.h"

#include <algorithm>
#include <utility>

#include "foundation/DeviceFileSystem.h"
#include "foundation/NSBundle.h"
#include "foundation/RunLoop.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSPlistSpecifiers.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIImage.h"

namespace host {

namespace {

constexpr const char* kApplications = "/Applications";

}  // namespace

HOST_CLASS_WITH(PSUIPrefsListController, PSListController, [](Class* c) {
  define<MethodsOf<PSUIPrefsListController>::BluetoothPowerChanged>(
      c, [](Object* self, Id notification) {
        if (auto* list = dynamic_cast<PSUIPrefsListController*>(self)) {
          list->bluetoothPowerChangedImpl(notification);
        }
      });
  registerIvar(c, "_thirdPartySpecifiers", &PSUIPrefsListController::thirdPartySpecifiers_);
})

PSUIPrefsListController::PSUIPrefsListController(Class* cls) : PSListController(cls) {}

PSListController::Specifiers PSUIPrefsListController::loadSpecifiers() {
  const std::string list = kSettingsList;
  const std::string bundlePath = list.substr(0, list.rfind('/'));
  const Plist source = PSPlistSpecifiers::readList(list);
  if (const std::string* title = source.get("title").asString(); title && this->title().empty()) {
    setTitle(*title);
  }
  Specifiers out = PSPlistSpecifiers::fromList(source, bundlePath, sharedController());
  if (!thirdPartySpecifiers_.empty()) {
    if (!thirdPartyGroup_) thirdPartyGroup_ = PSSpecifier::emptyGroupSpecifier();
    out.push_back(thirdPartyGroup_);
    out.insert(out.end(), thirdPartySpecifiers_.begin(), thirdPartySpecifiers_.end());
  }
  return out;
}

void PSUIPrefsListController::specifiersDidLoad() {
  std::weak_ptr<Object> weakSelf = weak_from_this();
  RunLoop::main().performAfter(kThirdPartyDelay, [weakSelf] {
    const auto self = std::dynamic_pointer_cast<PSUIPrefsListController>(weakSelf.lock());
    if (self) self->thirdPartySpecifiersArrived();
  });
}

void PSUIPrefsListController::thirdPartySpecifiersArrived() {
  if (!thirdPartySpecifiers_.empty()) return;
  thirdPartySpecifiers_ = loadThirdPartySpecifiers();
  if (thirdPartySpecifiers_.empty()) return;
  thirdPartyGroup_ = PSSpecifier::emptyGroupSpecifier();
  Specifiers added;
  added.reserve(thirdPartySpecifiers_.size() + 1);
  added.push_back(thirdPartyGroup_);
  for (const auto& app : thirdPartySpecifiers_)
    added.push_back(app);
  addSpecifiersFromArray(added, false);
}

PSListController::Specifiers PSUIPrefsListController::loadThirdPartySpecifiers() {
  const auto device = DeviceFileSystem::current();
  if (!device) return {};
  std::vector<std::string> names = device->contentsOfDirectory(kApplications);
  std::sort(names.begin(), names.end());
  Specifiers out;
  for (const std::string& entry : names) {
    if (!entry.ends_with(".app")) continue;
    const std::string appPath = std::string(kApplications) + "/" + entry;
    const std::string settingsPath = appPath + "/Settings.bundle";
    bool isDirectory = false;
    if (!device->fileExists(settingsPath, &isDirectory) || !isDirectory) continue;
    const auto app = NSBundle::bundleWithPath(appPath);
    const Plist& info = app->infoDictionary();
    std::string name = entry.substr(0, entry.size() - 4);
    if (const std::string* display = info.get("CFBundleDisplayName").asString()) name = *display;
    const std::string identifier = app->bundleIdentifier();
    auto cell = PSSpecifier::specifier(identifier.empty() ? name : identifier, name);
    cell->setDetailControllerClass(PSAppListController::objcClass());
    if (!identifier.empty()) cell->setProperty(Plist::string(identifier), "AppBundleID");
    cell->setObject(NSBundle::bundleWithPath(settingsPath), "AppSettingsBundle");
    if (auto icon = PSPlistSpecifiers::iconAt(appPath + "/Icon-Small.png")) {
      cell->setObject(icon, "iconImage");
    }
    out.push_back(std::move(cell));
  }
  return out;
}

void PSUIPrefsListController::bluetoothPowerChanged(const std::shared_ptr<Object>& notification) {
  send<MethodsOf<PSUIPrefsListController>::BluetoothPowerChanged>(this, notification);
}

void PSUIPrefsListController::bluetoothPowerChangedImpl(const std::shared_ptr<Object>&) {
  if (auto cell = specifierForID("Bluetooth")) reloadSpecifier(cell);
}

}  // namespace host
