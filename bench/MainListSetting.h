#pragma once

// The Settings app with the extension entered and its main list on screen, for the benchmarks
// that work on the main list: a list of the default device or of a given number of cells, and a
// settings file of a given number of stored cells.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchDevice.h"
#include "DefaultDevice.h"
#include "DeviceOptions.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/PropertyListSerialization.h"
#include "foundation/RunLoop.h"
#include "hooks/Vorlan3+Pages.h"
#include "hooks/Vorlan3.h"
#include "preferences/PSListControllerMethods.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesApp.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"

namespace bench {

using host::Plist;

inline constexpr const char* kMain = "PSUIPrefsListController";
inline constexpr const char* kPreferencesApp = "/Applications/Preferences.app";

// A main list of `cells` link cells in groups of ten, as the app's Settings.plist.
inline Plist bigMainList(int cells) {
  std::vector<Plist> items;
  for (int i = 0; i < cells; ++i) {
    if (i % 10 == 0) items.push_back(Plist::dictionary({{"cell", Plist::string("PSGroupCell")}}));
    const std::string id = "MAIN_" + std::to_string(i);
    items.push_back(Plist::dictionary({{"id", Plist::string(id)}, {"label", Plist::string(id)}}));
  }
  return Plist::dictionary({{"items", Plist::array(std::move(items))}});
}

// `stored` cells in the settings file; every fifth one is a cell of the main list.
inline Plist settingsWithCells(int stored, const std::vector<std::string>& mainCells) {
  Plist root = Plist::dictionary(
      {{"firstTime_folder", Plist::boolean(true)}, {"folders", Plist::dictionary()}});
  for (int i = 1; i <= 6; ++i) {
    root =
        root.withPath({"folders", std::to_string(i)},
                      Plist::dictionary({{"name", Plist::string("Folder" + std::to_string(i))}}));
  }
  for (int i = 0; i < stored; ++i) {
    const bool onMain = i % 5 == 0 && !mainCells.empty();
    const std::string id = onMain ? mainCells[static_cast<std::size_t>(i * 7) % mainCells.size()]
                                  : "OTHER_" + std::to_string(i);
    const std::string page = onMain ? kMain : "Page" + std::to_string(i % 10);
    switch ((i / 5) % 4) {
      case 0:
        root = root.withPath({"hidden", page, id}, Plist::boolean(true));
        break;
      case 1:
        root = root.withPath({"enabled", page, id}, Plist::boolean(false));
        break;
      case 2:
        root = root.withPath({"folder", id}, Plist::string("Folder1"));
        break;
      default:
        root = root.withPath(
            {"position", page, id},
            Plist::dictionary({{"section", Plist::string("1")}, {"row", Plist::string("2")}}));
        break;
    }
    root = root.withPath({"class", id}, Plist::string(page));
  }
  return root;
}

// The default device (`mainCells` 0), or one whose main list has `mainCells` cells.
inline void layOutDevice(BenchDevice& device, int mainCells) {
  std::string error;
  vorlan::DefaultDevice::layOut(device.root(), vorlan::DeviceOptions{}, &error);
  if (mainCells > 0) {
    device.fs().writeFileAtomically(
        std::string(kPreferencesApp) + "/Settings.plist",
        *host::PropertyListSerialization::writeXml(bigMainList(mainCells)));
  }
}

using ReloadSpecifiers = host::MethodsOf<host::PSListController>::ReloadSpecifiers;

// The host's own reloadSpecifiers, kept before the extension hooks it.
inline const host::ImpOf<ReloadSpecifiers>& hostReloadSpecifiers() {
  static const host::ImpOf<ReloadSpecifiers> impl = [] {
    const auto method = host::PSListController::objcClass()->lookup(ReloadSpecifiers::selector);
    const auto* fn = method ? method->as<ReloadSpecifiers::Signature>() : nullptr;
    if (fn == nullptr) std::abort();
    return *fn;
  }();
  return impl;
}

// The Settings app with the extension entered, its main list loaded and its first pass done, on
// a settings file of `stored` cells; `mainCells` as for layOutDevice. The clock stands still
// between the steps a benchmark takes.
class MainListSetting {
 public:
  MainListSetting(int mainCells, int stored) : device_("pages") {
    host::Log::setEchoToStderr(false);
    host::RunLoop::main().reset();
    layOutDevice(device_, mainCells);
    host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));
    hostReloadSpecifiers();
    vorlan::Vorlan3::processEntry();
    auto manager = vorlan::VLPreferencesManager::sharedInstance();
    writeSettings(Plist::dictionary());
    app_ = host::PreferencesApp::launch();
    main_ = app_->rootList();
    host::RunLoop::main().advance(2);  // the app cells arrive, the first pass runs
    hostReload();
    for (const auto& cell : main_->specifiers()) {
      if (!cell->isGroup() && !cell->identifier().empty()) ids_.push_back(cell->identifier());
    }
    writeSettings(settingsWithCells(stored, ids_));
  }
  ~MainListSetting() {
    app_.reset();
    host::RunLoop::main().reset();
  }
  MainListSetting(const MainListSetting&) = delete;
  MainListSetting& operator=(const MainListSetting&) = delete;

  // The host's own reload: the page as the host builds it, before any rewriting, laid out.
  void hostReload() {
    hostReloadSpecifiers()(main_.get());
    main_->table()->layoutIfNeeded();
  }
  // One rewriting pass, and the layout that shows its result.
  void pass() {
    host::send<vorlan::hooks::pages::SpecifiersLoaded>(main_);
    main_->table()->layoutIfNeeded();
  }
  // Lets every animation run to its end, so that rows faded out leave the table: without it the
  // table keeps every row a pass removed and grows with the number of iterations.
  static void settle() { host::RunLoop::main().advance(kSettle); }

  std::size_t cells() const { return ids_.size(); }
  std::size_t tableViews() const { return main_->table()->subviews().size(); }
  const std::shared_ptr<host::PSListController>& main() const { return main_; }
  const std::shared_ptr<host::PreferencesApp>& app() const { return app_; }

 private:
  static constexpr double kSettle = 1.0;  // longer than any table animation

  void writeSettings(const Plist& settings) {
    device_.fs().writeFileAtomically(vorlan::VLPreferencesManager::kSettingsPath,
                                     *host::PropertyListSerialization::writeXml(settings));
    vorlan::VLPreferencesManager::sharedInstance()->updatedDictionary();
  }

  BenchDevice device_;
  std::shared_ptr<host::PreferencesApp> app_;
  std::shared_ptr<host::PSListController> main_;
  std::vector<std::string> ids_;
};

}  // namespace bench
