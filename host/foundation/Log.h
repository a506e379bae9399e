#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace host {

// The platform log. Every line goes to a process-wide list that tests can read, and by default
// also to stderr as "Vorlan[<pid>] <line>".
class Log {
 public:
  // The most recent lines are kept; beyond this many the oldest are dropped.
  static constexpr std::size_t kMaxLines = 100'000;

  static void append(std::string line);
  static std::vector<std::string> lines();
  static void clear();
  static void setEchoToStderr(bool echo);
};

// Logs one line, already formatted by the caller.
void NSLog(std::string line);

}  // namespace host
