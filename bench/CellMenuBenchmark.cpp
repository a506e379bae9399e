// The cell action menu's costs: targeting it at a cell (done before every reveal, during the
// swipe), and Hide from the tap to the cell leaving its page, on a settings file of 200 stored
// cells, beside the manager's bare save of the same flag (the file rewrite that dominates it) and
// beside Remove (the same removal without the save). The save flushes the file to disk, so its
// wall time follows the disk; its CPU time is the steadier figure.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchDevice.h"
#include "SupportImages.h"
#include "foundation/PropertyListSerialization.h"
#include "foundation/RunLoop.h"
#include "menu/VLSpecifierScrollView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"

using host::Plist;

namespace {

constexpr int kStoredCells = 200;

// A list page of ten groups of ten cells.
class BenchPage : public host::PSListController {
 public:
  static host::Class* objcClass() {
    static host::Class* const cls = host::Runtime::shared().defineClass(
        "BenchPage", host::PSListController::objcClass(), host::factoryFor<BenchPage>());
    return cls;
  }
  explicit BenchPage(host::Class* cls = objcClass()) : host::PSListController(cls) {}

 protected:
  Specifiers loadSpecifiers() override {
    Specifiers cells;
    for (int i = 0; i < 100; ++i) {
      if (i % 10 == 0) cells.push_back(host::PSSpecifier::emptyGroupSpecifier());
      const std::string id = "CELL_" + std::to_string(i);
      cells.push_back(host::PSSpecifier::specifier(id, "Cell " + std::to_string(i)));
    }
    return cells;
  }
};

// `cells` stored cells of the page, a third disabled, the rest hidden, each with a cell record.
Plist settingsWithCells(int cells) {
  Plist root = Plist::dictionary();
  for (int i = 0; i < cells; ++i) {
    const std::string id = "STORED_" + std::to_string(i);
    root = root.withPath({i % 3 ? "hidden" : "enabled", "BenchPage", id}, Plist::boolean(i % 3));
    root = root.withPath({"specs", id, "name"}, Plist::string("Stored " + std::to_string(i)));
    root = root.withPath({"class", id}, Plist::string("BenchPage"));
  }
  return root;
}

// The support images, a settings file of 200 cells, a loaded page and the menu.
class MenuSetting {
 public:
  MenuSetting() : device_("cellmenu") {
    host::RunLoop::main().reset();
    std::string error;
    vorlan::SupportImages::install(device_.fs(), &error);
    device_.fs().writeFileAtomically(
        vorlan::VLPreferencesManager::kSettingsPath,
        *host::PropertyListSerialization::writeXml(settingsWithCells(kStoredCells)));
    // The process's manager reads this device's file (another benchmark may have made it).
    vorlan::VLPreferencesManager::sharedInstance()->updatedDictionary();
    page = std::make_shared<BenchPage>();
    page->table()->setFrame({{0, 0}, {375, 667}});
    page->table()->layoutIfNeeded();
    menu = vorlan::VLSpecifierScrollView::make({{0, 0}, {167.5, 667}});
  }
  ~MenuSetting() { host::RunLoop::main().reset(); }
  MenuSetting(const MenuSetting&) = delete;
  MenuSetting& operator=(const MenuSetting&) = delete;

  std::shared_ptr<host::PSSpecifier> cell(const std::string& id) const {
    return page->specifierForID(id);
  }

  BenchDevice device_;
  std::shared_ptr<BenchPage> page;
  std::shared_ptr<vorlan::VLSpecifierScrollView> menu;
};

void BM_CellMenuSetSpecifier(benchmark::State& state) {
  MenuSetting setting;
  auto enabled = setting.cell("CELL_1");
  auto disabled = setting.cell("CELL_2");
  disabled->setProperty(Plist::boolean(false), "enabled");
  bool flip = false;
  // Alternating cells, so that every call changes the Enable button's title and icon.
  for (auto _ : state) {
    setting.menu->setSpecifier((flip = !flip) ? enabled : disabled, nullptr, setting.page);
  }
}
BENCHMARK(BM_CellMenuSetSpecifier)->Unit(benchmark::kMicrosecond);

// Hide on a cell of a group of ten: the flag saved, the cell taken off its page and its table.
// The cell is put back, and the table's animation run out, outside the timing.
void BM_CellMenuHide(benchmark::State& state) {
  MenuSetting setting;
  auto cell = setting.cell("CELL_15");
  const long index = *setting.page->indexOfSpecifier(cell.get());
  for (auto _ : state) {
    setting.menu->setSpecifier(cell, nullptr, setting.page);
    setting.menu->hideClicked();
    state.PauseTiming();
    setting.page->insertSpecifier(cell, index, false);
    host::RunLoop::main().advance(1.0);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CellMenuHide)->Unit(benchmark::kMicrosecond);

// Remove on the same cell: Hide without the save.
void BM_CellMenuRemove(benchmark::State& state) {
  MenuSetting setting;
  auto cell = setting.cell("CELL_15");
  const long index = *setting.page->indexOfSpecifier(cell.get());
  for (auto _ : state) {
    setting.menu->setSpecifier(cell, nullptr, setting.page);
    setting.menu->removeClicked();
    state.PauseTiming();
    setting.page->insertSpecifier(cell, index, false);
    host::RunLoop::main().advance(1.0);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CellMenuRemove)->Unit(benchmark::kMicrosecond);

// The manager's save of the same flag on the same file, alone.
void BM_CellMenuBareSave(benchmark::State& state) {
  MenuSetting setting;
  auto cell = setting.cell("CELL_15");
  for (auto _ : state) {
    vorlan::VLPreferencesManager::sharedInstance()->saveSpecifier(
        *cell, Plist::boolean(true), "hidden", cell->identifier(), setting.page);
  }
}
BENCHMARK(BM_CellMenuBareSave)->Unit(benchmark::kMicrosecond);

}  // namespace
