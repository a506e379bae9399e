#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The operating system's `system` call on the simulated device. No command ever reaches a real
// shell: each is recorded, and the simulator installs a handler that acts on the ones it knows
// ("killall -HUP SpringBoard" restarts the simulated apps).
class Shell {
 public:
  using Handler = std::function<int(std::string_view command)>;

  // Runs a command the way system(3) would; answers the handler's status, 0 when there is none.
  static int system(std::string_view command);
  static const std::vector<std::string>& commands();
  static void clearCommands();
  static void setHandler(Handler handler);
};

}  // namespace host
