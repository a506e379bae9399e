#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ScriptCommand.h"

namespace vorlan {

// Shortens the steps of a failed monkey run by delta debugging: it drops ever smaller chunks of
// the steps and keeps each shorter list that still fails in the same way, re-running every
// candidate from the start state on a fresh device. A candidate counts only if it runs as a
// script would, every step succeeding up to the failure, so the result replays with
// `vorlan sim --script`.
class MonkeyShrinker {
 public:
  // True when the steps, run from the start, break the same invariant.
  using Reproduces = std::function<bool(const std::vector<ScriptCommand>&)>;

  MonkeyShrinker(Reproduces reproduces, std::chrono::seconds budget)
      : reproduces_(std::move(reproduces)), budget_(budget) {}

  // The shortest failing list found within the time budget; `steps` itself when nothing
  // reproduces (then `reproduced` is false). When the whole list does not fail again (a failure
  // that hangs on timing that steps left out of the list had), its first `prefix` steps followed
  // by ever longer tails of it are tried first.
  std::vector<ScriptCommand> shrink(std::vector<ScriptCommand> steps, std::size_t prefix = 0);
  bool reproduced() const { return reproduced_; }
  std::size_t runs() const { return runs_; }

 private:
  bool test(const std::vector<ScriptCommand>& steps);

  Reproduces reproduces_;
  std::chrono::seconds budget_;
  std::chrono::steady_clock::time_point deadline_;
  bool reproduced_ = false;
  std::size_t runs_ = 0;
};

}  // namespace vorlan
