// The position editor's costs on a page of ten groups of ten cells: opening it for a cell (the
// page's groups copied, the table loaded and scrolled), a drop (the copy changed and the place
// saved in a settings file of 200 stored cells) and closing after a drop (the row moved on its
// page). The save flushes the file to disk, so its wall time follows the disk; its CPU time is
// the steadier figure.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDevice.h"
#include "foundation/PropertyListSerialization.h"
#include "foundation/RunLoop.h"
#include "positions/positionSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UITableView.h"

using host::Plist;

namespace {

class PositionBenchPage : public host::PSListController {
 public:
  static host::Class* objcClass() {
    static host::Class* const cls = host::Runtime::shared().defineClass(
        "PositionBenchPage", host::PSListController::objcClass(),
        host::factoryFor<PositionBenchPage>());
    return cls;
  }
  explicit PositionBenchPage(host::Class* cls = objcClass()) : host::PSListController(cls) {}

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

// 200 moved cells of the page's class, each with a cell record.
Plist settingsWithMovedCells(int cells) {
  Plist root = Plist::dictionary();
  for (int i = 0; i < cells; ++i) {
    const std::string id = "STORED_" + std::to_string(i);
    root = root.withPath({"position", "PositionBenchPage", id},
                         Plist::dictionary({{"section", Plist::string(std::to_string(i % 10))},
                                            {"row", Plist::string(std::to_string(i % 7))}}));
    root = root.withPath({"specs", id, "name"}, Plist::string("Stored " + std::to_string(i)));
    root = root.withPath({"class", id}, Plist::string("PositionBenchPage"));
  }
  return root;
}

class EditorSetting {
 public:
  EditorSetting() : device_("positions") {
    host::RunLoop::main().reset();
    device_.fs().writeFileAtomically(
        vorlan::VLPreferencesManager::kSettingsPath,
        *host::PropertyListSerialization::writeXml(settingsWithMovedCells(200)));
    vorlan::VLPreferencesManager::sharedInstance()->updatedDictionary();
    page = std::make_shared<PositionBenchPage>();
    page->table()->setFrame({{0, 0}, {375, 667}});
    page->table()->layoutIfNeeded();
    editor = vorlan::positionSkyView::make({{0, 0}, {375, 667}});
    editor->showFromRect({{300, 500}, {75, 83}}, {{200, -46}, {165, 373}});
    host::RunLoop::main().advance(1.0);
    editor->layoutIfNeeded();
  }
  ~EditorSetting() { host::RunLoop::main().reset(); }
  EditorSetting(const EditorSetting&) = delete;
  EditorSetting& operator=(const EditorSetting&) = delete;

  BenchDevice device_;
  std::shared_ptr<PositionBenchPage> page;
  std::shared_ptr<vorlan::positionSkyView> editor;
};

void BM_PositionEditorOpen(benchmark::State& state) {
  EditorSetting setting;
  const auto cell = setting.page->specifierForID("CELL_55");
  for (auto _ : state) {
    setting.editor->setSpecifier(cell, setting.page);
    setting.editor->table()->layoutIfNeeded();
  }
}
BENCHMARK(BM_PositionEditorOpen)->Unit(benchmark::kMicrosecond);

// A drop two groups further down, then one back on the starting row, which puts the stored
// place back as it was: two writes of the settings file an iteration.
void BM_PositionEditorDrop(benchmark::State& state) {
  EditorSetting setting;
  setting.editor->setSpecifier(setting.page->specifierForID("CELL_55"), setting.page);
  auto& table = *setting.editor->table();
  for (auto _ : state) {
    setting.editor->tableViewMoveRowAtIndexPath(table, {5, 6}, {7, 3});
    setting.editor->tableViewMoveRowAtIndexPath(table, {7, 3}, {5, 6});
  }
}
BENCHMARK(BM_PositionEditorDrop)->Unit(benchmark::kMicrosecond);

// Closing after a drop: the row taken off its page and put in at its new place. The editor is
// opened again and the row put back outside the timing.
void BM_PositionEditorCloseAfterDrop(benchmark::State& state) {
  EditorSetting setting;
  const auto cell = setting.page->specifierForID("CELL_55");
  const long index = *setting.page->indexOfSpecifier(cell.get());
  for (auto _ : state) {
    state.PauseTiming();
    setting.page->removeSpecifier(cell, false);
    setting.page->insertSpecifier(cell, index, false);
    host::RunLoop::main().advance(1.0);
    setting.editor->setSpecifier(cell, setting.page);
    setting.editor->tableViewMoveRowAtIndexPath(*setting.editor->table(), {5, 6}, {7, 3});
    state.ResumeTiming();
    setting.editor->dismissShape(false);
  }
}
BENCHMARK(BM_PositionEditorCloseAfterDrop)->Unit(benchmark::kMicrosecond);

}  // namespace
