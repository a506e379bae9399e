#include "hooks/Vorlan3.h"

#include <cctype>
#include <exception>
#include <mutex>
#include <string>

#include "folders/folderController.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "hooks/HostMethods.h"
#include "hooks/SettingsState.h"
#include "hooks/Vorlan3Hooks.h"
#include "preferences/PSListController.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "runtime/Runtime.h"
#include "springboard/SBFWallpaperView.h"
#include "springboard/SpringBoard.h"
#include "uikit/UIDevice.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableViewCell.h"

namespace vorlan {

namespace {

Vorlan3::HookGroup& installed() {
  static Vorlan3::HookGroup group = Vorlan3::HookGroup::None;
  return group;
}

// A hook or addition that cannot be installed (the host class lacks the method, or has it with
// another signature, as another system version may) is left out with one log line; the others
// go in all the same.
template <class Install>
void installOrLog(const char* kind, const host::Class* cls, std::string_view selector,
                  Install&& install) {
  try {
    install();
  } catch (const std::exception& error) {
    host::NSLog("<Vorlan3> left out the " + std::string(kind) + " -[" +
                (cls ? cls->name() : std::string("nil")) + " " + std::string(selector) +
                "]: " + error.what());
  }
}

// Replaces a host method, keeping the host's implementation in `slot`.
template <class Sig>
void hook(host::Class* cls, std::string_view selector, host::Imp<Sig> replacement,
          host::Imp<Sig>& slot) {
  installOrLog("hook", cls, selector, [&] {
    host::Imp<Sig> original;
    host::MSHookMessageEx<Sig>(cls, selector, std::move(replacement), &original);
    slot = std::move(original);
  });
}

// Adds a method the host class does not have, under its runtime type encoding.
template <class Sig>
void add(host::Class* cls, std::string_view selector, host::Imp<Sig> impl, std::string_view types) {
  installOrLog("addition", cls, selector,
               [&] { host::class_addMethod<Sig>(cls, selector, std::move(impl), types); });
}

std::string lowercased(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

Vorlan3::HookGroup Vorlan3::processEntry() {
  static std::once_flag once;
  // Runs in the library's load-time constructor: nothing may escape it, or the app's launch
  // fails. Each installation step catches its own failure; this is the last resort.
  std::call_once(once, [] {
    const auto step = [](const char* what, auto&& body) {
      try {
        body();
      } catch (const std::exception& error) {
        host::NSLog(std::string("<Vorlan3> ") + what + " failed: " + error.what());
      }
    };
    step("making the working directory", makeWorkingDirectory);
    step("installing the hooks", [] {
      const HookGroup group = hookGroupFor(host::NSBundle::mainBundle()->bundleIdentifier(),
                                           host::UIDevice::currentDevice()->model());
      installed() = group;
      if (group == HookGroup::Preference) installPreferenceGroup();
      if (group == HookGroup::Spring) installSpringGroup();
    });
    step("setting the side pages' sizes", initialiseSizes);
  });
  return installed();
}

Vorlan3::HookGroup Vorlan3::installedGroup() {
  return installed();
}

Vorlan3::HookGroup Vorlan3::hookGroupFor(std::string_view bundleIdentifier,
                                         std::string_view deviceModel) {
  const std::string identifier = lowercased(bundleIdentifier);
  if (identifier == kSettingsBundleIdentifier) {
    return deviceModel.starts_with("iPad") ? HookGroup::None : HookGroup::Preference;
  }
  if (identifier == kSpringBoardBundleIdentifier) return HookGroup::Spring;
  return HookGroup::None;
}

void Vorlan3::makeWorkingDirectory() {
  const auto device = host::DeviceFileSystem::current();
  if (!device || device->fileExists(kWorkingDirectory)) return;
  if (device->createDirectory(kWorkingDirectory, true)) host::NSLog("<Vorlan3>Yeah!");
}

void Vorlan3::initialiseSizes() {
  auto& state = SettingsState::shared();
  const auto width = static_cast<float>(host::UIScreen::mainScreen()->bounds().size.width);
  state.maxSize = 0.8f * width;
  state.maxSizeForSpecifier = width / 2 - 20;
  state.originals.clear();
}

void Vorlan3::installPreferenceGroup() {
  using namespace hooks;
  auto& slots = HostMethods::shared();
  host::Class* app = host::PreferencesAppController::objcClass();
  host::Class* switchCell = host::PSSwitchTableCell::objcClass();
  host::Class* list = host::PSListController::objcClass();
  host::Class* cell = host::UITableViewCell::objcClass();
  host::Class* main = host::PSUIPrefsListController::objcClass();
  host::Class* controller = host::UIViewController::objcClass();
  // The folder rows' page, so that it can be found by name.
  folderController::objcClass();

  // In this order: the main list's own hooks go in after, and on top of, the list-page ones.
  hook<sig::WithObject>(app, "applicationDidBecomeActive:", applicationDidBecomeActive,
                        slots.appDidBecomeActive);
  hook<sig::SplitCollapse>(
      app, "splitViewController:collapseSecondaryViewController:ontoPrimaryViewController:",
      splitViewControllerCollapseSecondary, slots.appCollapseSecondary);
  hook<sig::SplitSeparate>(
      app, "splitViewController:separateSecondaryViewControllerFromPrimaryViewController:",
      splitViewControllerSeparateSecondary, slots.appSeparateSecondary);
  hook<sig::SwitchReload>(switchCell, "reloadWithSpecifier:animated:", switchReloadWithSpecifier,
                          slots.switchReloadWithSpecifier);
  hook<sig::WithObject>(switchCell, "controlChanged:", switchControlChanged,
                        slots.switchControlChanged);
  hook<sig::Void>(list, "reloadSpecifiers", listReloadSpecifiers, slots.listReloadSpecifiers);
  add<sig::WithBool>(list, "setInTagView:", setInTagView, "v@:B");
  add<sig::PasscodeRequired>(
      list, "passcodeRequiredToChangeSettings:offset:selector:", passcodeRequiredToChangeSettings,
      "v@:@{CGRect={CGPoint=dd}{CGSize=dd}}:");
  add<sig::Void>(list, "specifiersLoadedButDontLoadPositions", specifiersLoadedButDontLoadPositions,
                 "v@:");
  add<sig::Void>(list, "specifiersLoaded", listSpecifiersLoaded, "v@:");
  hook<sig::Void>(list, "loadView", listLoadView, slots.listLoadView);
  add<sig::HasGesture>(list, "hasGesture:", hasGesture, "B@:@");
  add<sig::SelectedRow>(list, "selectedRowAtIndexPath:table:", selectedRowAtIndexPath, "v@:@@");
  hook<sig::DidSelectRow>(list, "tableView:didSelectRowAtIndexPath:", listDidSelectRow,
                          slots.listDidSelectRow);
  hook<sig::CellForRow>(list, "tableView:cellForRowAtIndexPath:", listCellForRow,
                        slots.listCellForRow);
  add<sig::GestureAction>(list, "handlePanOnCell:", handlePanOnCell, "v@:@");
  add<sig::Void>(list, "settingsButtonTapped", settingsButtonTapped, "v@:");
  hook<sig::WithBool>(list, "viewWillAppear:", listViewWillAppear, slots.listViewWillAppear);
  hook<sig::Void>(cell, "layoutSubviews", cellLayoutSubviews, slots.cellLayoutSubviews);
  hook<sig::WithObject>(main, "bluetoothPowerChanged:", bluetoothPowerChanged,
                        slots.mainBluetoothPowerChanged);
  add<sig::BoolResult>(main, "isForceTouchAvailable", isForceTouchAvailable, "B@:");
  hook<sig::DidSelectRow>(main, "tableView:didSelectRowAtIndexPath:", mainDidSelectRow,
                          slots.mainDidSelectRow);
  add<sig::PreviewForLocation>(main, "previewingContext:viewControllerForLocation:",
                               previewingContextViewControllerForLocation, "@@:@{CGPoint=dd}");
  add<sig::CommitPreview>(main, "previewingContext:commitViewController:",
                          previewingContextCommitViewController, "v@:@@");
  add<sig::WithBool>(main, "setNeedsReload:", setNeedsReload, "v@:B");
  hook<sig::Void>(main, "reloadSpecifiers", mainReloadSpecifiers, slots.mainReloadSpecifiers);
  hook<sig::Void>(main, "loadView", mainLoadView, slots.mainLoadView);
  add<sig::Void>(main, "showAlert", showAlert, "v@:");
  add<sig::Void>(main, "specifiersLoadedButDontLoadPositions", specifiersLoadedButDontLoadPositions,
                 "v@:");
  add<sig::OriginalSpecifier>(
      main, "getOriginalSpecifierByIdentifier:", getOriginalSpecifierByIdentifier, "@@:@");
  add<sig::Void>(main, "specifiersLoaded", mainSpecifiersLoaded, "v@:");
  add<sig::Void>(main, "fadeOutButtons", fadeOutButtons, "v@:");
  add<sig::Void>(main, "fadeInButtons", fadeInButtons, "v@:");
  add<sig::Void>(main, "offset", offset, "v@:");
  hook<sig::WithBool>(main, "viewWillAppear:", mainViewWillAppear, slots.mainViewWillAppear);
  add<sig::Void>(main, "changeOffset", changeOffset, "v@:");
  add<sig::Void>(main, "addGestures", addGestures, "v@:");
  add<sig::GestureAction>(main, "handlePan:", handlePan, "v@:@");
  add<sig::GestureAction>(main, "tapped:", tapped, "v@:@");
  hook<sig::WithBool>(main, "viewWillDisappear:", mainViewWillDisappear,
                      slots.mainViewWillDisappear);
  hook<sig::Present>(controller,
                     "presentViewController:animated:completion:", presentViewController,
                     slots.controllerPresent);
}

void Vorlan3::installSpringGroup() {
  using namespace hooks;
  auto& slots = HostMethods::shared();
  hook<sig::WithObject>(host::SpringBoard::objcClass(),
                        "applicationDidFinishLaunching:", springBoardDidFinishLaunching,
                        slots.springBoardDidFinishLaunching);
  hook<sig::Void>(host::SBFWallpaperView::objcClass(), "_updateGeneratingBlurs",
                  wallpaperUpdateGeneratingBlurs, slots.wallpaperUpdateGeneratingBlurs);
}

}  // namespace vorlan
