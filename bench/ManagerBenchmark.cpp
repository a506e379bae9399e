// The settings manager's costs on realistic files: a lookup, and one save (which rewrites the
// whole file), beside the bare property-list write and read of the same dictionary and beside
// libplist writing the same dictionary as XML to the same file and parsing it back.
#include <benchmark/benchmark.h>
#include <plist/plist.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchDevice.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/PropertyListSerialization.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"

using host::Plist;
using vorlan::VLPreferencesManager;

namespace {

// A settings file with `cells` stored cells spread over pages, each hidden or disabled, each
// with a cell record holding a 2 KB icon.
Plist settingsWithCells(int cells) {
  Plist::Bytes icon(2048);
  for (std::size_t i = 0; i < icon.size(); ++i)
    icon[i] = static_cast<std::uint8_t>(i * 31 + 7);
  std::vector<Plist::Entry> hidden, enabled, specs, classes;
  std::vector<std::vector<Plist::Entry>> hiddenPages(10), enabledPages(10);
  for (int i = 0; i < cells; ++i) {
    const std::string id = "CELL_" + std::to_string(i);
    const std::string page = "Controller" + std::to_string(i % 10);
    (i % 2 ? hiddenPages : enabledPages)[i % 10].emplace_back(id, Plist::boolean(i % 3 == 0));
    specs.emplace_back(id, Plist::dictionary({{"name", Plist::string("Cell " + std::to_string(i))},
                                              {"icon", Plist::data(icon)}}));
    classes.emplace_back(id, Plist::string(page));
  }
  for (int p = 0; p < 10; ++p) {
    const std::string page = "Controller" + std::to_string(p);
    hidden.emplace_back(page, Plist::dictionary(hiddenPages[p]));
    enabled.emplace_back(page, Plist::dictionary(enabledPages[p]));
  }
  return Plist::dictionary({{"hidden", Plist::dictionary(hidden)},
                            {"enabled", Plist::dictionary(enabled)},
                            {"specs", Plist::dictionary(specs)},
                            {"class", Plist::dictionary(classes)},
                            {"firstTime", Plist::boolean(true)}});
}

std::shared_ptr<VLPreferencesManager> managerWith(BenchDevice& device, int cells) {
  device.fs().writeFileAtomically(
      VLPreferencesManager::kSettingsPath,
      *host::PropertyListSerialization::writeXml(settingsWithCells(cells)));
  return std::make_shared<VLPreferencesManager>();
}

void BM_ManagerLookup(benchmark::State& state) {
  BenchDevice device("manager");
  auto manager = managerWith(device, 1000);
  auto spec = host::PSSpecifier::specifier("CELL_501", "Cell 501");
  for (auto _ : state) {
    benchmark::DoNotOptimize(manager->isSpecifierHidden(spec.get(), "Controller1"));
    benchmark::DoNotOptimize(manager->isSpecifierEnabled(*spec, "Controller1"));
  }
}
BENCHMARK(BM_ManagerLookup);

void BM_ManagerSave(benchmark::State& state) {
  BenchDevice device("manager");
  auto manager = managerWith(device, static_cast<int>(state.range(0)));
  auto controller =
      host::Runtime::shared()
          .defineClass("Controller3", host::Object::objcClass(), host::factoryFor<host::Object>())
          ->createInstance();
  auto spec = host::PSSpecifier::specifier("CELL_3", "Cell 3");
  bool value = false;
  for (auto _ : state) {
    manager->saveSpecifier(*spec, Plist::boolean(value = !value), "hidden", "CELL_3", controller);
  }
  state.SetBytesProcessed(
      state.iterations() *
      static_cast<int64_t>(device.fs().readFile(VLPreferencesManager::kSettingsPath)->size()));
}
BENCHMARK(BM_ManagerSave)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same dictionary written and read back by the property-list layer alone.
void BM_BareWriteAndRead(benchmark::State& state) {
  BenchDevice device("manager");
  const Plist root = settingsWithCells(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto xml = host::PropertyListSerialization::writeXml(root);
    device.fs().writeFileAtomically(VLPreferencesManager::kSettingsPath, *xml);
    auto read = host::PropertyListSerialization::read(
        *device.fs().readFile(VLPreferencesManager::kSettingsPath));
    benchmark::DoNotOptimize(read.value);
    bytes = xml->size();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_BareWriteAndRead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

plist_t toLibplist(const Plist& value) {
  if (value.isDictionary()) {
    plist_t dictionary = plist_new_dict();
    for (const auto& [key, item] : value.entries())
      plist_dict_set_item(dictionary, key.c_str(), toLibplist(item));
    return dictionary;
  }
  if (const auto* text = value.asString()) return plist_new_string(text->c_str());
  if (const auto* bytes = value.asData()) {
    return plist_new_data(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  }
  return plist_new_bool(value.asBoolean().value_or(false) ? 1 : 0);
}

// A save as a store built on libplist would make it: the tree written as XML, the same atomic
// write to the same file, the file read and parsed back.
void BM_LibplistWriteAndRead(benchmark::State& state) {
  BenchDevice device("manager");
  plist_t tree = toLibplist(settingsWithCells(static_cast<int>(state.range(0))));
  std::size_t bytes = 0;
  for (auto _ : state) {
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(tree, &xml, &length);
    device.fs().writeFileAtomically(VLPreferencesManager::kSettingsPath,
                                    std::string_view(xml, length));
    plist_to_xml_free(xml);
    const auto file = device.fs().readFile(VLPreferencesManager::kSettingsPath);
    plist_t read = nullptr;
    plist_from_xml(file->data(), static_cast<std::uint32_t>(file->size()), &read);
    benchmark::DoNotOptimize(read);
    plist_free(read);
    bytes = length;
  }
  plist_free(tree);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_LibplistWriteAndRead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
