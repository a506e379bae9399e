#include "foundation/Shell.h"

#include "foundation/PlatformEvents.h"

namespace host {

namespace {
struct ShellState {
  std::vector<std::string> commands;
  Shell::Handler handler;
};
ShellState& state() {
  static ShellState s;
  return s;
}
}  // namespace

int Shell::system(std::string_view command) {
  state().commands.emplace_back(command);
  PlatformEvents::record("system", command);
  return state().handler ? state().handler(command) : 0;
}

const std::vector<std::string>& Shell::commands() {
  return state().commands;
}

void Shell::clearCommands() {
  state().commands.clear();
}

void Shell::setHandler(Handler handler) {
  state().handler = std::move(handler);
}

}  // namespace host
