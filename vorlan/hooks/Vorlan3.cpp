#include "hooks/Vorlan3.h"

#include <cctype>
#include <exception>
#include <mutex>
#include <string>

#include "folders/folderController.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "hooks/HookInstaller.h"
#include "hooks/MainListStage.h"
#include "hooks/PageRecords.h"
#include "hooks/Vorlan3+App.h"
#include "hooks/Vorlan3+Gestures.h"
#include "hooks/Vorlan3+MainList.h"
#include "hooks/Vorlan3+Pages.h"
#include "hooks/Vorlan3+Peek.h"
#include "hooks/Vorlan3+Selection.h"
#include "hooks/Vorlan3+Spring.h"
#include "hooks/Vorlan3+Stage.h"
#include "hooks/Vorlan3+TagView.h"
#include "uikit/UIDevice.h"
#include "uikit/UIScreen.h"

namespace vorlan {

namespace {

Vorlan3::HookGroup& installed() {
  static Vorlan3::HookGroup group = Vorlan3::HookGroup::None;
  return group;
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
  auto& stage = MainListStage::shared();
  const auto width = static_cast<float>(host::UIScreen::mainScreen()->bounds().size.width);
  stage.maxSize = 0.8f * width;
  stage.maxSizeForSpecifier = width / 2 - 20;
  PageRecords::shared().originals.clear();
}

void Vorlan3::installPreferenceGroup() {
  // The folder rows' page, so that it can be found by name.
  folderController::objcClass();
  // Each area installs its own hooks and additions. The areas go in the order of their first
  // entry in the hook table, so that the main list's own hooks go in after, and on top of, the
  // list-page ones.
  HookInstaller installer;
  hooks::app::install(installer);
  hooks::peek::install(installer);
  hooks::selection::install(installer);
  hooks::pages::install(installer);
  hooks::tagview::install(installer);
  hooks::gestures::install(installer);
  hooks::stage::install(installer);
  hooks::mainlist::install(installer);
}

void Vorlan3::installSpringGroup() {
  HookInstaller installer;
  hooks::spring::install(installer);
}

}  // namespace vorlan
