#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

// What the app asked of the platform that leaves no trace on its screen: a sound played, a shell
// command run, an URL opened, a video played. Each is recorded in the order it happened, as one
// line ("sound 1104", "system killall -HUP SpringBoard", "open twitter://...", "play URL"), for
// the simulator's `events` command.
class PlatformEvents {
 public:
  static void record(std::string kind, std::string_view detail);
  // The events recorded since the last take, oldest first; the record is then empty.
  static std::vector<std::string> take();
  static void clear();
};

}  // namespace host
