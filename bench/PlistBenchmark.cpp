// Property-list reading and writing on settings-like dictionaries of 100, 1,000 and 10,000 cells,
// each beside the library underneath doing the same work directly: pugixml parsing the same XML,
// libplist reading the same binary file and writing XML from the same tree. The memory
// benchmarks report the heap that reading an XML file takes, per byte of the file.
#include <benchmark/benchmark.h>
#include <plist/plist.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"

using host::Plist;
using host::PropertyListSerialization;

namespace {

// The options our XML reader gives pugixml: no entity decoding, white space kept in text.
constexpr unsigned kOurPugixmlOptions = pugi::parse_cdata | pugi::parse_eol |
                                        pugi::parse_ws_pcdata | pugi::parse_doctype |
                                        pugi::parse_fragment;

// One settings file in every form the benchmarks need.
struct SettingsFile {
  Plist tree;
  std::string xml;
  std::string binary;
  plist_t libplistTree = nullptr;
};

std::string cellIdentifier(int cell) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "com.vorlan.cell.%05d", cell);
  return buffer;
}

// Sections keyed by page class then cell identifier, as the settings store keeps them, and a
// "specs" record for every cell with its name and, unless `dense`, a 2 KB icon.
Plist settings(int cells, bool dense) {
  std::map<std::string, std::vector<Plist::Entry>> hidden, enabled, renamed;
  std::vector<Plist::Entry> specs;
  for (int cell = 0; cell < cells; ++cell) {
    const std::string page = "PSPageController" + std::to_string(cell / 20);
    const std::string id = cellIdentifier(cell);
    if (cell % 3 == 0) hidden[page].emplace_back(id, Plist::boolean(true));
    enabled[page].emplace_back(id, Plist::boolean(cell % 7 != 0));
    if (cell % 5 == 0) renamed[page].emplace_back(id, Plist::string("Renamed cell " + id));
    std::vector<Plist::Entry> record{{"name", Plist::string("Cell " + id)}};
    if (!dense) {
      Plist::Bytes icon(2048);
      for (std::size_t i = 0; i < icon.size(); ++i) {
        icon[i] = static_cast<std::uint8_t>((i * 31 + static_cast<std::size_t>(cell)) & 0xFF);
      }
      record.emplace_back("icon", Plist::data(std::move(icon)));
    }
    specs.emplace_back(id, Plist::dictionary(std::move(record)));
  }
  auto section = [](std::map<std::string, std::vector<Plist::Entry>>& pages) {
    std::vector<Plist::Entry> entries;
    for (auto& [page, cellEntries] : pages) {
      entries.emplace_back(page, Plist::dictionary(std::move(cellEntries)));
    }
    return Plist::dictionary(std::move(entries));
  };
  return Plist::dictionary({{"hidden", section(hidden)},
                            {"enabled", section(enabled)},
                            {"renamed", section(renamed)},
                            {"specs", Plist::dictionary(std::move(specs))}});
}

plist_t toLibplist(const Plist& value) {
  switch (value.type()) {
    case host::PlistType::Dictionary: {
      plist_t dictionary = plist_new_dict();
      for (const auto& [key, item] : value.entries()) {
        plist_dict_set_item(dictionary, key.c_str(), toLibplist(item));
      }
      return dictionary;
    }
    case host::PlistType::Array: {
      plist_t array = plist_new_array();
      for (const auto& item : value.items())
        plist_array_append_item(array, toLibplist(item));
      return array;
    }
    case host::PlistType::String:
      return plist_new_string(value.asString()->c_str());
    case host::PlistType::Boolean:
      return plist_new_bool(*value.asBoolean() ? 1 : 0);
    case host::PlistType::Data: {
      const auto& bytes = *value.asData();
      return plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    default:
      std::fprintf(stderr, "the benchmark trees hold no other types\n");
      std::abort();
  }
}

const SettingsFile& settingsFile(int cells, bool dense = false) {
  static std::map<std::pair<int, bool>, SettingsFile> files;
  auto [it, inserted] = files.try_emplace({cells, dense});
  SettingsFile& file = it->second;
  if (inserted) {
    file.tree = settings(cells, dense);
    file.xml = *PropertyListSerialization::writeXml(file.tree);
    file.libplistTree = toLibplist(file.tree);
    char* bytes = nullptr;  // libplist writes only into a null pointer
    std::uint32_t length = 0;
    plist_to_bin(file.libplistTree, &bytes, &length);
    file.binary.assign(bytes, length);
    plist_to_bin_free(bytes);
    // Check once that both files hold the tree, so every benchmark below does the full work.
    if (!(PropertyListSerialization::readXml(file.xml).value == file.tree) ||
        !(PropertyListSerialization::readBinary(file.binary).value == file.tree)) {
      std::fprintf(stderr, "the benchmark files do not read back as written\n");
      std::abort();
    }
  }
  return file;
}

void setBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
}

void BM_Plist_XmlRead_Ours(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto result = PropertyListSerialization::readXml(file.xml);
    benchmark::DoNotOptimize(result);
  }
  setBytes(state, file.xml.size());
}

void BM_Plist_XmlRead_PugixmlParseOnly(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document document;
    auto parsed = document.load_buffer(file.xml.data(), file.xml.size(), kOurPugixmlOptions,
                                       pugi::encoding_utf8);
    benchmark::DoNotOptimize(parsed);
  }
  setBytes(state, file.xml.size());
}

void BM_Plist_XmlRead_PugixmlDefaultOptions(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document document;
    auto parsed = document.load_buffer(file.xml.data(), file.xml.size());
    benchmark::DoNotOptimize(parsed);
  }
  setBytes(state, file.xml.size());
}

void BM_Plist_BinaryRead_Ours(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto result = PropertyListSerialization::readBinary(file.binary);
    benchmark::DoNotOptimize(result);
  }
  setBytes(state, file.binary.size());
}

void BM_Plist_BinaryRead_LibplistFromBin(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    plist_t tree = nullptr;
    plist_from_bin(file.binary.data(), static_cast<std::uint32_t>(file.binary.size()), &tree);
    benchmark::DoNotOptimize(tree);
    plist_free(tree);
  }
  setBytes(state, file.binary.size());
}

void BM_Plist_XmlWrite_Ours(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto xml = PropertyListSerialization::writeXml(file.tree);
    benchmark::DoNotOptimize(xml);
  }
  setBytes(state, file.xml.size());
}

void BM_Plist_XmlWrite_LibplistToXml(benchmark::State& state) {
  const auto& file = settingsFile(static_cast<int>(state.range(0)));
  std::size_t written = 0;
  for (auto _ : state) {
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(file.libplistTree, &xml, &length);
    benchmark::DoNotOptimize(xml);
    written = length;
    plist_to_xml_free(xml);
  }
  setBytes(state, written);
}

// The heap that reading takes, in bytes per byte of the file: at its height during the read
// (the parser's document and the value side by side) and held by the value afterwards. The
// file's own bytes are not counted. Dense files (flags and names, no icons) cost the most.
void BM_Plist_XmlRead_Memory(benchmark::State& state) {
  const bool dense = state.range(1) != 0;
  const auto& file = settingsFile(static_cast<int>(state.range(0)), dense);
  double peak = 0;
  double held = 0;
  for (auto _ : state) {
    AllocationCounter::start();
    {
      auto result = PropertyListSerialization::readXml(file.xml);
      held = static_cast<double>(AllocationCounter::current());
      benchmark::DoNotOptimize(result);
    }
    peak = static_cast<double>(AllocationCounter::peak());
    AllocationCounter::stop();
  }
  setBytes(state, file.xml.size());
  state.counters["heap_peak_per_file_byte"] = peak / static_cast<double>(file.xml.size());
  state.counters["heap_held_per_file_byte"] = held / static_cast<double>(file.xml.size());
  state.SetLabel(dense ? "dense" : "with icons");
}

void cellCounts(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Plist_XmlRead_Ours)->Apply(cellCounts);
// About 21 MB dense and 33 MB with icons.
BENCHMARK(BM_Plist_XmlRead_Memory)
    ->Args({100000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_Plist_XmlRead_PugixmlParseOnly)->Apply(cellCounts);
BENCHMARK(BM_Plist_XmlRead_PugixmlDefaultOptions)->Apply(cellCounts);
BENCHMARK(BM_Plist_BinaryRead_Ours)->Apply(cellCounts);
BENCHMARK(BM_Plist_BinaryRead_LibplistFromBin)->Apply(cellCounts);
BENCHMARK(BM_Plist_XmlWrite_Ours)->Apply(cellCounts);
BENCHMARK(BM_Plist_XmlWrite_LibplistToXml)->Apply(cellCounts);
