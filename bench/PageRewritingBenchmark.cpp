// One pass of the main list's rewriting (`specifiersLoaded`), the work the Settings app does
// every time the main list loads or reloads, on the default device's main list and on one of
// 300 cells, against settings files of 0, 100 and 1,000 stored cells. A fifth of the stored
// cells are main-list cells (hidden, disabled, filed into a folder or moved); the others belong
// to other pages. A frame lasts 16.7 ms at 60 Hz and 8.3 ms at 120 Hz.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
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

using host::Plist;

namespace {

constexpr const char* kMain = "PSUIPrefsListController";
constexpr const char* kPreferencesApp = "/Applications/Preferences.app";

// A main list of `cells` link cells in groups of ten, as the app's Settings.plist.
Plist bigMainList(int cells) {
  std::vector<Plist> items;
  for (int i = 0; i < cells; ++i) {
    if (i % 10 == 0) items.push_back(Plist::dictionary({{"cell", Plist::string("PSGroupCell")}}));
    const std::string id = "MAIN_" + std::to_string(i);
    items.push_back(Plist::dictionary({{"id", Plist::string(id)}, {"label", Plist::string(id)}}));
  }
  return Plist::dictionary({{"items", Plist::array(std::move(items))}});
}

// `stored` cells in the settings file; every fifth one is a cell of the main list.
Plist settingsWithCells(int stored, const std::vector<std::string>& mainCells) {
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

// The default device, or one whose main list has 300 cells.
void layOutDevice(BenchDevice& device, bool defaultDevice) {
  std::string error;
  vorlan::DefaultDevice::layOut(device.root(), vorlan::DeviceOptions{}, &error);
  if (!defaultDevice) {
    device.fs().writeFileAtomically(std::string(kPreferencesApp) + "/Settings.plist",
                                    *host::PropertyListSerialization::writeXml(bigMainList(300)));
  }
}

using ReloadSpecifiers = host::MethodsOf<host::PSListController>::ReloadSpecifiers;

// The host's own reloadSpecifiers, kept before the extension hooks it.
const host::ImpOf<ReloadSpecifiers>& hostReloadSpecifiers() {
  static const host::ImpOf<ReloadSpecifiers> impl = *host::PSListController::objcClass()
                                                         ->lookup(ReloadSpecifiers::selector)
                                                         ->as<ReloadSpecifiers::Signature>();
  return impl;
}

void mainListPass(benchmark::State& state, bool defaultDevice) {
  host::Log::setEchoToStderr(false);
  host::RunLoop::main().reset();
  BenchDevice device("pages");
  layOutDevice(device, defaultDevice);
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));
  hostReloadSpecifiers();
  vorlan::Vorlan3::processEntry();
  auto manager = vorlan::VLPreferencesManager::sharedInstance();
  device.fs().writeFileAtomically(vorlan::VLPreferencesManager::kSettingsPath,
                                  *host::PropertyListSerialization::writeXml(Plist::dictionary()));
  manager->updatedDictionary();

  auto app = host::PreferencesApp::launch();
  const auto main = app->rootList();
  host::RunLoop::main().advance(2);  // the app cells arrive, the first pass runs
  // The host's own reload: the page as the host builds it, before any rewriting.
  const auto hostReload = [&] {
    hostReloadSpecifiers()(main.get());
    main->table()->layoutIfNeeded();
  };
  hostReload();
  std::vector<std::string> ids;
  for (const auto& cell : main->specifiers()) {
    if (!cell->isGroup() && !cell->identifier().empty()) ids.push_back(cell->identifier());
  }
  const auto stored = static_cast<int>(state.range(0));
  device.fs().writeFileAtomically(
      vorlan::VLPreferencesManager::kSettingsPath,
      *host::PropertyListSerialization::writeXml(settingsWithCells(stored, ids)));
  manager->updatedDictionary();

  for (auto _ : state) {
    state.PauseTiming();
    hostReload();
    state.ResumeTiming();
    host::send<vorlan::hooks::pages::SpecifiersLoaded>(main);
  }
  state.counters["cells"] = static_cast<double>(ids.size());
  app.reset();
  host::RunLoop::main().reset();
}

void BM_MainListPassDefaultDevice(benchmark::State& state) {
  mainListPass(state, true);
}
void BM_MainListPass300Cells(benchmark::State& state) {
  mainListPass(state, false);
}

}  // namespace

BENCHMARK(BM_MainListPassDefaultDevice)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainListPass300Cells)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
