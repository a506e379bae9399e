// Fuzzes the whole settings store. An input is one byte n, n bytes that choose operations and
// their arguments, and then the settings file itself (XML, binary or anything else). The file is
// laid on a device kept in memory (/dev/shm, reused by every run), a manager is made on it, and
// up to six chosen operations run one after the other, then (chosen by the first of the bytes)
// the main list's rewriting over a fixed list of cells, twice, as the hooks run it on load and
// on reload. After every operation:
//   - nothing the operation does not touch (StoreOperations says what it touches) has changed or
//     gone from the file, which the manager's view must equal;
//   - an unreadable file is kept aside, byte for byte, before the first save replaces it;
//   - no temporary file is left beside the settings file.
// Crashes, leaks and hangs are the sanitizers' and libFuzzer's to find.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "StoreOperations.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/PlatformEvents.h"
#include "foundation/PropertyListSerialization.h"
#include "foundation/RunLoop.h"
#include "foundation/Shell.h"
#include "hooks/PageRecords.h"
#include "hooks/PageRewriter.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"
#include "runtime/Runtime.h"
#include "uikit/UIImage.h"

namespace fs = std::filesystem;
using host::Plist;
using vorlan::VLPreferencesManager;

namespace {

constexpr const char* kIcons = "/Library/Application Support/Vorlan3/folder_icons";

struct Device {
  fs::path root;
  std::shared_ptr<host::DeviceFileSystem> files;
  fs::path preferences;
  fs::path settings;
  std::shared_ptr<host::UIImage> icon;
};

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "store fuzzer: %s\n", what.c_str());
  for (const auto& line : host::Log::lines())
    std::fprintf(stderr, "  log: %s\n", line.c_str());
  std::abort();
}

// The fixed main list of every run: three groups, a cell without an identifier among them.
std::string mainList() {
  std::vector<Plist> items;
  const auto group = [&] {
    items.push_back(Plist::dictionary({{"cell", Plist::string("PSGroupCell")}}));
  };
  const auto cell = [&](const char* id) {
    items.push_back(Plist::dictionary({{"cell", Plist::string("PSLinkCell")},
                                       {"id", Plist::string(id)},
                                       {"label", Plist::string(id)}}));
  };
  group();
  cell("AIRPLANE_MODE");
  cell("WIFI");
  cell("Bluetooth");
  group();
  cell("General");
  cell("DISPLAY");
  items.push_back(Plist::dictionary({{"label", Plist::string("No identifier")}}));
  group();
  cell("com.x.notes");
  return *host::PropertyListSerialization::writeXml(
      Plist::dictionary({{"items", Plist::array(std::move(items))}}));
}

Device& device() {
  static Device* const made = [] {
    auto* d = new Device;
    d->root = fs::path("/dev/shm") / ("vorlan-store-fuzz-" + std::to_string(::getpid()));
    fs::remove_all(d->root);
    d->files = std::make_shared<host::DeviceFileSystem>(d->root);
    d->preferences = *d->files->hostPath("/var/mobile/Library/Preferences");
    d->settings = *d->files->hostPath(VLPreferencesManager::kSettingsPath);
    fs::create_directories(d->preferences);
    fs::create_directories(*d->files->hostPath("/var/mobile/Documents/Vorlan"));
    writeFile(*d->files->hostPath(host::PSUIPrefsListController::kSettingsList), mainList());
    host::DeviceFileSystem::setCurrent(d->files);
    host::Log::setEchoToStderr(false);
    // A small icon for cells and the wallpaper, and folder icons to list and to show.
    const std::uint8_t png[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
        0x00, 0x1f, 0x15, 0xc4, 0x89, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x44, 0x41, 0x54, 0x78,
        0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x00, 0x05, 0x00, 0x01, 0xff, 0x89, 0x99,
        0x3d, 0x1d, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    const std::string pngBytes(reinterpret_cast<const char*>(png), sizeof png);
    for (const char* name : {"settings.png", "settings_icon.png", "blue@2x.png", "blue_icon.png"})
      writeFile(*d->files->hostPath(std::string(kIcons) + "/" + name), pngBytes);
    d->icon = host::UIImage::imageWithData(host::UIImage::Bytes(png, png + sizeof png));
    // Leave nothing behind in memory-backed storage.
    std::atexit([] { fs::remove_all(device().root); });
    return d;
  }();
  return *made;
}

// The settings file and the files beside it, starting every run from the input alone.
void resetPreferences(const Device& d, std::string_view file, bool present) {
  for (const auto& entry : fs::directory_iterator(d.preferences))
    fs::remove_all(entry.path());
  fs::remove(*d.files->hostPath(VLPreferencesManager::kWallpaperPath));
  if (present) writeFile(d.settings, std::string(file));
}

std::vector<std::string> besideSettings(const Device& d, std::string_view infix) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(d.preferences)) {
    const std::string name = entry.path().filename().string();
    if (name.find(infix) != std::string::npos) names.push_back(name);
  }
  return names;
}

// The checks after one operation (see the top of this file).
void check(const Device& d, const VLPreferencesManager& manager, const Plist& before, bool existed,
           const StoreOperations::Outcome& outcome) {
  const std::string op = outcome.name;
  if (!besideSettings(d, ".tmp.").empty()) fail(op + ": a temporary file was left behind");
  if (!fs::exists(d.settings)) {
    if (existed && !outcome.erasesFile) fail(op + ": the settings file is gone");
    return;
  }
  if (outcome.erasesFile) fail(op + ": the settings file was not deleted");
  auto read = host::PropertyListSerialization::read(readFile(d.settings));
  if (!read.ok() || !read.value.isDictionary()) {
    // Only the input itself may still be unreadable: nothing was saved over it.
    if (!manager.settingsFileUnreadable()) fail(op + ": the saved file cannot be read");
    return;
  }
  if (!(read.value == manager.dictionary())) fail(op + ": the manager holds another root");
  if (!outcome.replacedBy.isNone() && !TouchedKeys::kept(outcome.replacedBy, read.value))
    fail(op + ": the import was not saved as given");
  if (auto loss = outcome.touched.firstLoss(before, read.value); !loss.empty())
    fail(op + ": " + loss + " was lost or changed");
  if (outcome.moved) {
    if (auto loss = outcome.moved(read.value); !loss.empty()) fail(op + ": " + loss);
  }
}

// The main list's rewriting on the file as it stands: it may write the default folders, and
// nothing else.
void rewriteMainList(const Device& d) {
  auto& records = vorlan::PageRecords::shared();
  records = vorlan::PageRecords();
  auto manager = VLPreferencesManager::sharedInstance();
  const Plist before = manager->updatedDictionary();
  const bool existed = fs::exists(d.settings);
  auto page = std::make_shared<host::PSUIPrefsListController>();
  page->specifiers();
  vorlan::PageRewriter::rewriteMainList(*page);
  vorlan::PageRewriter::rewriteMainList(*page);
  vorlan::PageRewriter::rewriteWithoutPositions(*page);
  StoreOperations::Outcome outcome;
  outcome.name = "main list rewriting";
  outcome.touched.all({"firstTime_folder"}).key("folders");
  check(d, *manager, before, existed, outcome);
  records = vorlan::PageRecords();
  host::RunLoop::main().reset();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Device& d = device();
  if (size == 0) return 0;
  const std::size_t opBytes = std::min<std::size_t>(data[0], size - 1);
  FuzzedDataProvider ops(data + 1, opBytes);
  const std::string_view file(reinterpret_cast<const char*>(data) + 1 + opBytes,
                              size - 1 - opBytes);
  // An empty rest stands for a device without a settings file.
  resetPreferences(d, file, !file.empty());
  host::Log::clear();
  host::Shell::clearCommands();

  // About half the runs end with the main list's rewriting.
  const bool rewrite = opBytes > 0 && (data[1] & 1) != 0;
  std::vector<host::Id> pages = {nullptr, std::make_shared<host::PSUIPrefsListController>(),
                                 std::make_shared<host::PSAppListController>(),
                                 std::make_shared<host::PSListController>()};
  {
    auto manager = std::make_shared<VLPreferencesManager>();
    const bool unreadable = manager->settingsFileUnreadable();
    StoreOperations operations(ops, pages, d.icon);
    bool saved = false;
    for (int n = 0; n < 6 && ops.remaining_bytes() > 0; ++n) {
      if (ops.ConsumeIntegralInRange(0, 3) == 0) {
        manager->setCurrentController(pages[ops.ConsumeIntegralInRange<std::size_t>(0, 3)]);
        manager->setMainController(pages[1]);
      }
      const Plist before = manager->dictionary();
      const bool existed = fs::exists(d.settings);
      const auto outcome = operations.runOne(*manager);
      check(d, *manager, before, existed, outcome);
      saved = saved || !besideSettings(d, ".unreadable-").empty();
    }
    if (unreadable && saved) {
      const auto aside = besideSettings(d, ".unreadable-");
      if (aside.size() != 1 || readFile(d.preferences / aside.front()) != file)
        fail("the unreadable settings file was not kept aside as it was");
    }
  }
  if (rewrite) rewriteMainList(d);
  // The shared manager lets go of this run's settings, as the run's other objects do.
  resetPreferences(d, {}, false);
  VLPreferencesManager::sharedInstance()->updatedDictionary();
  // What the run logged and queued goes before it ends, so that a run frees all it allocated
  // (libFuzzer then skips its costly leak search).
  host::RunLoop::main().reset();
  host::Log::clear();
  host::Shell::clearCommands();
  host::PlatformEvents::clear();
  return 0;
}
