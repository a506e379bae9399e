#pragma once

#include <plist/plist.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The settings file of a device and the files beside it, as a kill left them.
class SettingsFileState {
 public:
  explicit SettingsFileState(const std::filesystem::path& device)
      : folder_(device / "var/mobile/Library/Preferences"),
        file_(folder_ / "com.vorlan.vorlan3.plist") {}

  const std::filesystem::path& path() const { return file_; }

  std::string bytes() const {
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    return read.str();
  }

  // Entries of the root dictionary as libplist (an independent reader) reads the file; -1 when it
  // cannot read it or the root is not a dictionary.
  long entriesAsLibplistReadsThem() const {
    const std::string data = bytes();
    plist_t root = nullptr;
    plist_from_memory(data.data(), static_cast<std::uint32_t>(data.size()), &root);
    long entries = -1;
    if (root != nullptr && plist_get_node_type(root) == PLIST_DICT)
      entries = static_cast<long>(plist_dict_get_size(root));
    if (root != nullptr) plist_free(root);
    return entries;
  }

  // Waits until a save begins: a temporary file appears beside the settings file. Answers at
  // once when it does (a save's write lasts a few milliseconds, too short for looking at the
  // folder now and then); false after `seconds` without one.
  bool waitForSaveToBegin(double seconds) const {
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0) return false;
    inotify_add_watch(watch, folder_.c_str(), IN_CREATE);
    const std::string prefix = "." + file_.filename().string() + ".tmp.";
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    bool begun = false;
    while (!begun && std::chrono::steady_clock::now() < until) {
      pollfd ready{watch, POLLIN, 0};
      if (::poll(&ready, 1, 10) <= 0) continue;
      alignas(inotify_event) char buffer[4096];
      const ssize_t length = ::read(watch, buffer, sizeof buffer);
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && std::string(event->name).starts_with(prefix)) begun = true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    ::close(watch);
    return begun;
  }

  // The temporary files of atomic writes beside the settings file (".<name>.tmp.<pid>.<n>").
  std::vector<std::string> temporaries() const {
    std::vector<std::string> names;
    const std::string prefix = "." + file_.filename().string() + ".tmp.";
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(prefix)) names.push_back(name);
    }
    return names;
  }

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};
