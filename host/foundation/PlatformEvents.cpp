#include "foundation/PlatformEvents.h"

#include <mutex>
#include <utility>

namespace host {

namespace {

struct Record {
  std::mutex mutex;
  std::vector<std::string> events;
};

Record& record() {
  static Record shared;
  return shared;
}

}  // namespace

void PlatformEvents::record(std::string kind, std::string_view detail) {
  kind += ' ';
  kind += detail;
  std::lock_guard lock(host::record().mutex);
  host::record().events.push_back(std::move(kind));
}

std::vector<std::string> PlatformEvents::take() {
  std::lock_guard lock(host::record().mutex);
  return std::exchange(host::record().events, {});
}

void PlatformEvents::clear() {
  std::lock_guard lock(host::record().mutex);
  host::record().events.clear();
}

}  // namespace host
