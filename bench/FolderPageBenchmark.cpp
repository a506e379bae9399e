// Opening a folder page of 50 cells from its row on the main list: the row's selection (through
// the row-selection guards), the folder's cells looked up on the main list and put in folder
// order, the page pushed and its first frame laid out. The goal is one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "MainListSetting.h"
#include "folders/folderController.h"
#include "uikit/UINavigationController.h"
#include "uikit/UITableView.h"

namespace {

using bench::MainListSetting;
using host::Plist;

constexpr int kMainCells = 60;
constexpr int kFiled = 50;
constexpr const char* kFolder = "Bench";

using DidSelectRow = host::MethodsOf<host::PSListController>::DidSelectRowAtIndexPath;

// One folder holding the first 50 cells of the main list, every other one with a stored place
// (counting down, so that the ordering has work to do).
Plist folderSetting(const std::shared_ptr<host::PSListController>& main) {
  Plist root = Plist::dictionary({{"firstTime_folder", Plist::boolean(true)}})
                   .withPath({"folders", "1", "name"}, Plist::string(kFolder));
  int filed = 0;
  for (const auto& cell : main->specifiers()) {
    if (cell->isGroup() || cell->identifier().empty() || filed == kFiled) continue;
    root = root.withPath({"folder", cell->identifier()}, Plist::string(kFolder));
    if (filed % 2 == 0) {
      root = root.withPath({"positionInFolders", "BENCH", cell->identifier()},
                           Plist::integer(kFiled - 1 - filed));
    }
    ++filed;
  }
  return root;
}

void BM_FolderPageOpen50(benchmark::State& state) {
  MainListSetting setting(kMainCells, 0);
  const auto& main = setting.main();
  host::DeviceFileSystem::current()->writeFileAtomically(
      vorlan::VLPreferencesManager::kSettingsPath,
      *host::PropertyListSerialization::writeXml(folderSetting(main)));
  vorlan::VLPreferencesManager::sharedInstance()->updatedDictionary();
  setting.pass();
  MainListSetting::settle();
  const auto navigation = main->navigationController();
  const auto row = main->specifierForID(kFolder);
  const auto indexPath = row ? main->indexPathForSpecifier(row.get()) : std::nullopt;
  if (!navigation || !indexPath) {
    state.SkipWithError("the folder row is not on the main list");
    return;
  }
  std::size_t cells = 0;
  std::size_t rows = 0;
  for (auto _ : state) {
    host::send<DidSelectRow>(main, main->table(), *indexPath);
    const auto page =
        std::dynamic_pointer_cast<vorlan::folderController>(navigation->topViewController());
    if (!page) {
      state.SkipWithError("the folder row opened no folder page");
      break;
    }
    page->table()->layoutIfNeeded();
    cells = page->specifiers().size();
    rows = page->table()->visibleCells().size();
    state.PauseTiming();
    navigation->popViewControllerAnimated(false);
    MainListSetting::settle();
    state.ResumeTiming();
  }
  state.counters["cells"] = static_cast<double>(cells);
  state.counters["rows_on_screen"] = static_cast<double>(rows);
}
BENCHMARK(BM_FolderPageOpen50)->Unit(benchmark::kMillisecond);

}  // namespace
