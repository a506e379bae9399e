#include "foundation/Log.h"

#include <unistd.h>

#include <cerrno>
#include <deque>
#include <mutex>
#include <utility>

namespace host {

namespace {

std::mutex logMutex;
std::deque<std::string> logLines;
bool echoToStderr = true;

}  // namespace

void Log::append(std::string line) {
  std::string echoed;
  {
    std::lock_guard lock(logMutex);
    if (echoToStderr) {
      echoed = "Vorlan[" + std::to_string(::getpid()) + "] " + line;
      if (echoed.back() != '\n') echoed += '\n';
    }
    logLines.push_back(std::move(line));
    if (logLines.size() > kMaxLines) logLines.pop_front();
  }
  // One write per line, so lines from several threads or processes never interleave mid-line.
  std::size_t done = 0;
  while (done < echoed.size()) {
    ssize_t written = ::write(STDERR_FILENO, echoed.data() + done, echoed.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;  // nowhere to report a broken stderr
    done += static_cast<std::size_t>(written);
  }
}

std::vector<std::string> Log::lines() {
  std::lock_guard lock(logMutex);
  return {logLines.begin(), logLines.end()};
}

void Log::clear() {
  std::lock_guard lock(logMutex);
  logLines.clear();
}

void Log::setEchoToStderr(bool echo) {
  std::lock_guard lock(logMutex);
  echoToStderr = echo;
}

void NSLog(std::string line) {
  Log::append(std::move(line));
}

}  // namespace host
