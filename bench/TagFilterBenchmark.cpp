// Choosing a tag in the tag filter list: the main list replaced by the 100 cells that carry it,
// 40 of the main list's own, 10 on each of four system pages and 5 on each of four apps' pages,
// laid out. From the full list, the eight pages are built first, reading their files (their
// property lists, the apps' Info.plist and Root.plist); after another tag, the pages built then
// are asked again and nothing is read. A frame lasts 16.7 ms at 60 Hz.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "MainListSetting.h"
#include "hooks/catogoriesListView.h"
#include "tags/tagView.h"
#include "uikit/UITableView.h"

namespace {

using bench::MainListSetting;
using host::Plist;

constexpr const char* kSystemPages[] = {"PSUIGeneralController", "PSUISoundsController",
                                        "PSUISafariController", "PSUIMailController"};
constexpr const char* kApps[] = {"Atlas", "Beacon", "Cadence", "Driftwood"};
constexpr int kMainCells = 40;
constexpr int kSystemCells = 10;
constexpr int kAppCells = 5;

Plist tagged() {
  return Plist::dictionary({{"Bench", Plist::boolean(true)}});
}

void writeList(const std::string& path, const Plist& list) {
  host::DeviceFileSystem::current()->writeFileAtomically(
      path, *host::PropertyListSerialization::writeXml(list));
}

// The eight pages' files with their cells, and a settings file tagging 100 cells "Bench" and one
// main-list cell "Other".
Plist tagSetting(const std::shared_ptr<host::PSListController>& main) {
  Plist root = Plist::dictionary()
                   .withPath({"tags", "0", "name"}, Plist::string("Bench"))
                   .withPath({"tags", "1", "name"}, Plist::string("Other"))
                   .with("firstTime", Plist::boolean(true));
  int taggedMain = 0;
  for (const auto& cell : main->specifiers()) {
    if (cell->isGroup() || cell->identifier().empty() || taggedMain == kMainCells) continue;
    root = root.withPath({"tag", bench::kMain, cell->identifier()}, tagged());
    if (taggedMain++ == 0) {
      root =
          root.withPath({"tag", bench::kMain, cell->identifier(), "Other"}, Plist::boolean(true));
    }
  }
  for (const char* page : kSystemPages) {
    std::vector<Plist> items{Plist::dictionary({{"cell", Plist::string("PSGroupCell")}})};
    for (int i = 0; i < kSystemCells; ++i) {
      const std::string id = std::string(page) + "_" + std::to_string(i);
      items.push_back(Plist::dictionary({{"cell", Plist::string("PSLinkCell")},
                                         {"id", Plist::string(id)},
                                         {"label", Plist::string(id)}}));
      root = root.withPath({"tag", page, id}, tagged());
    }
    writeList(std::string(bench::kPreferencesApp) + "/" + page + ".plist",
              Plist::dictionary({{"items", Plist::array(std::move(items))}}));
    root = root.withPath({"bundles", page},
                         Plist::dictionary({{"name", Plist::string(page)},
                                            {"path", Plist::string(bench::kPreferencesApp)}}));
  }
  int key = 0;
  for (const char* app : kApps) {
    const std::string bundle = std::string("/Applications/") + app + ".app";
    std::vector<Plist> entries;
    for (int i = 0; i < kAppCells; ++i) {
      const std::string id = std::string(app) + "_" + std::to_string(i);
      entries.push_back(Plist::dictionary({{"Type", Plist::string("PSToggleSwitchSpecifier")},
                                           {"Key", Plist::string(id)},
                                           {"Title", Plist::string(id)}}));
      root = root.withPath({"tag", "PSAppListController", id}, tagged());
    }
    writeList(bundle + "/Settings.bundle/Root.plist",
              Plist::dictionary({{"PreferenceSpecifiers", Plist::array(std::move(entries))}}));
    const std::string bundleKey = key == 0 ? std::string("PSAppListController")
                                           : "PSAppListController-" + std::to_string(key);
    ++key;
    root =
        root.withPath({"bundles", bundleKey},
                      Plist::dictionary({{"name", Plist::string(app)},
                                         {"identifier", Plist::string("bench." + std::string(app))},
                                         {"path", Plist::string(bundle + "/Settings.bundle")}}));
  }
  return root;
}

// The main list of the default device, the tag filter list bound to it and the settings above.
class FilterSetting {
 public:
  FilterSetting() : setting_(0, 0) {
    const auto& main = setting_.main();
    const Plist root = tagSetting(main);
    host::DeviceFileSystem::current()->writeFileAtomically(
        vorlan::VLPreferencesManager::kSettingsPath,
        *host::PropertyListSerialization::writeXml(root));
    vorlan::VLPreferencesManager::sharedInstance()->updatedDictionary();
    list_ = vorlan::catogoriesListView::make({{0, 0}, {375, 667}});
    list_->setController(main);
    list_->loadTags();
  }

  // Chooses row `row` (0: the full list) and lays the main list out.
  void choose(std::size_t row) {
    list_->tagClicked(*list_->tags()[row]);
    setting_.main()->table()->layoutIfNeeded();
  }
  std::size_t shownCells() const {
    std::size_t count = 0;
    for (const auto& cell : setting_.main()->specifiers())
      count += cell->isGroup() ? 0 : 1;
    return count;
  }

 private:
  MainListSetting setting_;
  std::shared_ptr<vorlan::catogoriesListView> list_;
};

void BM_TagFilterChooseFromFullList(benchmark::State& state) {
  FilterSetting setting;
  for (auto _ : state) {
    state.PauseTiming();
    setting.choose(0);
    MainListSetting::settle();
    state.ResumeTiming();
    setting.choose(1);
  }
  state.counters["cells"] = static_cast<double>(setting.shownCells());
  MainListSetting::settle();
}

void BM_TagFilterChooseAfterAnotherTag(benchmark::State& state) {
  FilterSetting setting;
  setting.choose(1);  // the pages are built
  for (auto _ : state) {
    state.PauseTiming();
    setting.choose(2);
    MainListSetting::settle();
    state.ResumeTiming();
    setting.choose(1);
  }
  state.counters["cells"] = static_cast<double>(setting.shownCells());
  MainListSetting::settle();
}

}  // namespace

BENCHMARK(BM_TagFilterChooseFromFullList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagFilterChooseAfterAnotherTag)->Unit(benchmark::kMillisecond);
