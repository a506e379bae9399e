// The simulator's two slow moments: laying out a fresh default device with the product installed
// (what `vorlan sim` does before its first command), and a `shot` of the Settings app's main
// list (rendering the window and the status bar, encoding the PNG, writing the file), with the
// shot's two halves measured apart.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchDevice.h"
#include "DefaultDevice.h"
#include "DeviceOptions.h"
#include "FreshDevice.h"
#include "TouchDriver.h"
#include "foundation/RunLoop.h"
#include "preferences/PreferencesApp.h"
#include "uikit/PngWriter.h"
#include "uikit/UIApplication.h"
#include "uikit/UIImage.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewRenderer.h"

namespace {

namespace fs = std::filesystem;

// Lays out and installs as `vorlan sim` does for a device folder that is missing, flushed to disk.
void BM_FreshDevice(benchmark::State& state) {
  BenchDevice scratch("fresh");
  int run = 0;
  for (auto _ : state) {
    const fs::path root = scratch.root() / ("device-" + std::to_string(run++));
    std::string error;
    const bool made = vorlan::FreshDevice::make(root, vorlan::DeviceOptions{},
                                                vorlan::FreshDevice::Lifetime::Kept, &error);
    state.PauseTiming();
    if (!made) state.SkipWithError(error.c_str());
    fs::remove_all(root);
    state.ResumeTiming();
  }
}

// The Settings app's main list on the default device, settled as a script's first `wait` leaves
// it. The product is not installed: it would bring a second copy of the extension into this
// process, and the main list draws the same either way.
class SettingsOnScreen {
 public:
  SettingsOnScreen() : device_("shot") {
    std::string error;
    vorlan::DefaultDevice::layOut(device_.root(), vorlan::DeviceOptions{}, &error);
    host::RunLoop::main().reset();
    app_ = host::PreferencesApp::launch();
    vorlan::TouchDriver::run(0.5);
  }
  ~SettingsOnScreen() {
    app_.reset();
    host::RunLoop::main().reset();
  }
  SettingsOnScreen(const SettingsOnScreen&) = delete;
  SettingsOnScreen& operator=(const SettingsOnScreen&) = delete;

  const std::shared_ptr<host::UIWindow>& window() const { return app_->window(); }
  std::vector<std::shared_ptr<host::UIView>> overlays() const {
    return {host::UIApplication::sharedApplication()->statusBar()};
  }
  std::string shotPath() const { return (device_.root() / "shot.png").string(); }

 private:
  BenchDevice device_;
  std::shared_ptr<host::PreferencesApp> app_;
};

void BM_Shot(benchmark::State& state) {
  SettingsOnScreen settings;
  const std::string path = settings.shotPath();
  for (auto _ : state) {
    if (!host::ViewRenderer().writePng(settings.window(), path, settings.overlays())) {
      state.SkipWithError("the shot was not written");
    }
  }
  state.counters["png_bytes"] = static_cast<double>(fs::file_size(path));
}

void BM_ShotRender(benchmark::State& state) {
  SettingsOnScreen settings;
  for (auto _ : state) {
    auto image = host::ViewRenderer().renderToImage(settings.window(), settings.overlays());
    benchmark::DoNotOptimize(image);
  }
}

void BM_ShotEncode(benchmark::State& state) {
  SettingsOnScreen settings;
  const auto image = host::ViewRenderer().renderToImage(settings.window(), settings.overlays());
  for (auto _ : state) {
    benchmark::DoNotOptimize(host::PngWriter::encode(image->cairoSurface()).size());
  }
}

}  // namespace

BENCHMARK(BM_FreshDevice)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Shot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShotRender)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShotEncode)->Unit(benchmark::kMillisecond);
