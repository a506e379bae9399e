// The folder picker with 30 folders: opening it (every opening builds the strip's tiles afresh
// from the settings file, lays them out and starts their pop-in) and one frame of scrolling the
// strip (each visible tile's fade recomputed). The goal is one 60 Hz frame each.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDevice.h"
#include "SupportImages.h"
#include "folders/folderSkyView.h"
#include "folders/foldersScroll.h"
#include "foundation/PropertyListSerialization.h"
#include "foundation/RunLoop.h"
#include "store/VLPreferencesManager.h"

using host::Plist;

namespace {

constexpr int kFolders = 30;

Plist settingsWithFolders(int count) {
  Plist folders = Plist::dictionary();
  const std::string icons = "/Library/Application Support/Vorlan3/folder_icons/";
  for (int i = 1; i <= count; ++i) {
    folders = folders.with(
        std::to_string(i),
        Plist::dictionary({{"name", Plist::string("Folder " + std::to_string(i))},
                           {"image", Plist::string(icons + "star.png")},
                           {"settings_image", Plist::string(icons + "star_icon.png")}}));
  }
  return Plist::dictionary(
      {{"firstTime_folder", Plist::boolean(true)}, {"folders", std::move(folders)}});
}

class PickerSetting {
 public:
  PickerSetting() : device_("folderpicker") {
    host::RunLoop::main().reset();
    std::string error;
    vorlan::SupportImages::install(device_.fs(), &error);
    device_.fs().writeFileAtomically(
        vorlan::VLPreferencesManager::kSettingsPath,
        *host::PropertyListSerialization::writeXml(settingsWithFolders(kFolders)));
    vorlan::VLPreferencesManager::sharedInstance()->updatedDictionary();
    panel = vorlan::folderSkyView::make({{0, 0}, {375, 667}});
  }
  ~PickerSetting() { host::RunLoop::main().reset(); }
  PickerSetting(const PickerSetting&) = delete;
  PickerSetting& operator=(const PickerSetting&) = delete;

  void open() {
    panel->setEditable(true);
    panel->showFromRect({{300, 100}, {60, 40}}, {{10, 0}, {355, 330}});
    panel->layoutIfNeeded();
  }

  std::shared_ptr<vorlan::folderSkyView> panel;

 private:
  BenchDevice device_;
};

void BM_FolderPickerOpen30(benchmark::State& state) {
  PickerSetting setting;
  for (auto _ : state) {
    setting.open();
    setting.panel->dismissShape(false);
    host::RunLoop::main().reset();
  }
}
BENCHMARK(BM_FolderPickerOpen30)->Unit(benchmark::kMillisecond);

void BM_FolderStripScrollFrame30(benchmark::State& state) {
  PickerSetting setting;
  setting.open();
  const auto& strip = setting.panel->scroll();
  double x = 0;
  for (auto _ : state) {
    x = x > 1000 ? 0 : x + 7;
    strip->setContentOffset({x, 0});
  }
}
BENCHMARK(BM_FolderStripScrollFrame30)->Unit(benchmark::kMicrosecond);

}  // namespace
