// One pass of the main list's rewriting (`specifiersLoaded`), the work the Settings app does
// every time the main list loads or reloads, on the default device's main list and on one of
// 300 cells, against settings files of 0, 100 and 1,000 stored cells. A fifth of the stored
// cells are main-list cells (hidden, disabled, filed into a folder or moved); the others belong
// to other pages. A frame lasts 16.7 ms at 60 Hz and 8.3 ms at 120 Hz. A pass is timed with the
// layout that shows it; the host's own reload of the same lists, timed alike, is the yardstick.
#include <benchmark/benchmark.h>

#include "MainListSetting.h"

namespace {

using bench::MainListSetting;

void reportTable(benchmark::State& state, const MainListSetting& setting) {
  state.counters["cells"] = static_cast<double>(setting.cells());
  // The table's subviews after the last pass: the same however long the benchmark runs.
  state.counters["views"] = static_cast<double>(setting.tableViews());
}

void mainListPass(benchmark::State& state, bool defaultDevice) {
  MainListSetting setting(defaultDevice ? 0 : 300, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    MainListSetting::settle();
    setting.hostReload();
    state.ResumeTiming();
    setting.pass();
  }
  MainListSetting::settle();
  reportTable(state, setting);
}

// The host's own reload of the same list, without rewriting: the yardstick for a pass.
void hostReload(benchmark::State& state, bool defaultDevice) {
  MainListSetting setting(defaultDevice ? 0 : 300, 0);
  for (auto _ : state) {
    state.PauseTiming();
    MainListSetting::settle();
    state.ResumeTiming();
    setting.hostReload();
  }
  reportTable(state, setting);
}

void BM_MainListPassDefaultDevice(benchmark::State& state) {
  mainListPass(state, true);
}
void BM_MainListPass300Cells(benchmark::State& state) {
  mainListPass(state, false);
}
void BM_MainListHostReloadDefaultDevice(benchmark::State& state) {
  hostReload(state, true);
}
void BM_MainListHostReload300Cells(benchmark::State& state) {
  hostReload(state, false);
}

}  // namespace

BENCHMARK(BM_MainListPassDefaultDevice)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainListPass300Cells)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainListHostReloadDefaultDevice)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainListHostReload300Cells)->Unit(benchmark::kMicrosecond);
