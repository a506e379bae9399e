#include "foundation/RunLoop.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "foundation/DisplayLink.h"
#include "foundation/Timer.h"

namespace host {

namespace {

// The shortest interval a timer may have, as on the device.
constexpr std::int64_t kShortestTimerInterval = 100'000;
// Delays are capped at about 31 years, which is "never" for a simulated session, so that adding
// them to the clock cannot overflow in practice.
constexpr std::int64_t kLongestDelay = 1'000'000'000'000'000'000;

}  // namespace

RunLoop& RunLoop::main() {
  // Never destroyed: work still queued at exit may refer to objects that are already gone.
  static RunLoop* const loop = new RunLoop();
  return *loop;
}

RunLoop::Nanoseconds RunLoop::toNanoseconds(double seconds) {
  if (!(seconds > 0)) return 0;  // also NaN
  if (seconds >= static_cast<double>(kLongestDelay) / 1e9) return kLongestDelay;
  return std::llround(seconds * 1e9);
}

RunLoop::Nanoseconds RunLoop::later(Nanoseconds time, Nanoseconds span) {
  constexpr Nanoseconds kMax = std::numeric_limits<Nanoseconds>::max();
  return span > kMax - time ? kMax : time + span;
}

double RunLoop::now() const {
  std::lock_guard lock(mutex_);
  return toSeconds(now_);
}

RunLoop::Key RunLoop::scheduleLocked(Nanoseconds time, Event event) {
  Key key{time, nextSequence_++};
  queue_.emplace(key, std::move(event));
  return key;
}

void RunLoop::dispatchAsync(std::function<void()> block) {
  if (!block) return;
  std::lock_guard lock(mutex_);
  scheduleLocked(now_, Event{.block = std::move(block)});
}

void RunLoop::performAfter(double delaySeconds, std::function<void()> block) {
  if (!block) return;
  const Nanoseconds delay = toNanoseconds(delaySeconds);
  std::lock_guard lock(mutex_);
  scheduleLocked(later(now_, delay), Event{.block = std::move(block)});
}

std::shared_ptr<Timer> RunLoop::scheduledTimer(double interval, bool repeats,
                                               std::function<void(Timer&)> fire) {
  Nanoseconds nanoseconds = toNanoseconds(interval);
  if (nanoseconds <= 0) nanoseconds = kShortestTimerInterval;
  std::shared_ptr<Timer> timer(new Timer(*this, nanoseconds, repeats, std::move(fire)));
  std::lock_guard lock(mutex_);
  timer->generation_ = generation_;
  timer->fireDate_ = later(now_, nanoseconds);
  timer->scheduled_ = scheduleLocked(timer->fireDate_, Event{.timer = timer});
  return timer;
}

std::shared_ptr<DisplayLink> RunLoop::displayLink(std::function<void(DisplayLink&)> callback) {
  return std::shared_ptr<DisplayLink>(new DisplayLink(*this, std::move(callback)));
}

bool RunLoop::runNext(Nanoseconds limit, std::uint64_t generation) {
  // The event is taken out of the queue before it runs, so its callback may schedule or cancel
  // anything; it is destroyed, with whatever it captured, only after it ran and with no lock held.
  Event event;
  {
    std::lock_guard lock(mutex_);
    if (generation_ != generation || queue_.empty()) return false;
    auto first = queue_.begin();
    if (first->first.time > (limit < 0 ? now_ : limit)) return false;
    now_ = std::max(now_, first->first.time);
    event = std::move(first->second);
    queue_.erase(first);
  }
  if (event.timer) {
    event.timer->fireScheduled();
  } else if (event.link) {
    event.link->fireFrame();
  } else {
    event.block();
  }
  return true;
}

void RunLoop::leaveRun() {
  std::lock_guard lock(mutex_);
  --runDepth_;
}

void RunLoop::advance(double seconds) {
  const Nanoseconds span = toNanoseconds(seconds);
  Nanoseconds target = 0;
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    if (runDepth_ > 0) {
      // Called from a callback: the main thread is busy that long and runs nothing meanwhile.
      now_ = later(now_, span);
      return;
    }
    target = later(now_, span);
    generation = generation_;
    ++runDepth_;
  }
  try {
    while (runNext(target, generation)) {
    }
  } catch (...) {
    leaveRun();
    throw;
  }
  leaveRun();
  std::lock_guard lock(mutex_);
  if (generation_ == generation) now_ = std::max(now_, target);
}

void RunLoop::runUntilIdle() {
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    if (runDepth_ > 0) return;  // the running loop gets to the work anyway
    generation = generation_;
    ++runDepth_;
  }
  try {
    while (runNext(-1, generation)) {
    }
  } catch (...) {
    leaveRun();
    throw;
  }
  leaveRun();
}

std::size_t RunLoop::pendingCount() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

void RunLoop::reset() {
  Queue dropped;
  std::vector<std::shared_ptr<DisplayLink>> links;
  {
    std::lock_guard lock(mutex_);
    dropped.swap(queue_);
    links.swap(links_);
    now_ = 0;
    ++generation_;
  }
  // Outside the lock: releasing callbacks may run destructors that schedule new work.
  for (auto& [key, event] : dropped) {
    if (event.timer) event.timer->invalidate();
  }
  for (auto& link : links)
    link->invalidate();
}

}  // namespace host
