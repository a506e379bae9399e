#include "MonkeyShrinker.h"

#include <algorithm>

namespace vorlan {

bool MonkeyShrinker::test(const std::vector<ScriptCommand>& steps) {
  ++runs_;
  return reproduces_(steps);
}

std::vector<ScriptCommand> MonkeyShrinker::shrink(std::vector<ScriptCommand> steps,
                                                  std::size_t prefix) {
  deadline_ = std::chrono::steady_clock::now() + budget_;
  reproduced_ = test(steps);
  prefix = std::min(prefix, steps.size());
  for (std::size_t tail = 1;
       !reproduced_ && tail < steps.size() - prefix && std::chrono::steady_clock::now() < deadline_;
       tail *= 2) {
    std::vector<ScriptCommand> candidate(steps.begin(), steps.begin() + static_cast<long>(prefix));
    candidate.insert(candidate.end(), steps.end() - static_cast<long>(tail), steps.end());
    if (test(candidate)) {
      steps = std::move(candidate);
      reproduced_ = true;
    }
  }
  if (!reproduced_) return steps;
  // Delta debugging: try dropping each of n chunks; on success keep the rest and coarsen, else
  // refine, until single steps cannot be dropped or the time is up.
  std::size_t chunks = 2;
  while (steps.size() >= 2 && std::chrono::steady_clock::now() < deadline_) {
    const std::size_t size = (steps.size() + chunks - 1) / chunks;
    bool dropped = false;
    for (std::size_t start = 0; start < steps.size(); start += size) {
      if (std::chrono::steady_clock::now() >= deadline_) break;
      std::vector<ScriptCommand> rest(steps.begin(), steps.begin() + static_cast<long>(start));
      const std::size_t end = std::min(steps.size(), start + size);
      rest.insert(rest.end(), steps.begin() + static_cast<long>(end), steps.end());
      if (!rest.empty() && test(rest)) {
        steps = std::move(rest);
        chunks = std::max<std::size_t>(chunks - 1, 2);
        dropped = true;
        break;
      }
    }
    if (dropped) continue;
    if (size <= 1) break;
    chunks = std::min(steps.size(), chunks * 2);
  }
  return steps;
}

}  // namespace vorlan
