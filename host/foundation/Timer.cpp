#include "foundation/Timer.h"

#include <utility>

namespace host {

Timer::Timer(RunLoop& loop, Nanoseconds interval, bool repeats, Callback callback)
    : loop_(loop),
      interval_(interval),
      repeats_(repeats),
      callback_(std::make_shared<const Callback>(std::move(callback))) {}

void Timer::invalidate() {
  // Released after the lock: the callback's captures (and the loop's hold on this timer) may be
  // the last references to objects whose destructors call back into the run loop.
  auto self = shared_from_this();
  std::shared_ptr<const Callback> released;
  RunLoop::Queue::node_type entry;
  std::lock_guard lock(loop_.mutex_);
  if (!valid_) return;
  valid_ = false;
  released = std::move(callback_);
  if (scheduled_) entry = loop_.queue_.extract(*std::exchange(scheduled_, std::nullopt));
}

bool Timer::isValid() const {
  std::lock_guard lock(loop_.mutex_);
  return valid_;
}

void Timer::fire() {
  auto self = shared_from_this();
  std::shared_ptr<const Callback> callback;
  {
    std::lock_guard lock(loop_.mutex_);
    if (!valid_) return;
    callback = callback_;
  }
  if (*callback) (*callback)(*this);
  if (!repeats_) invalidate();
}

double Timer::fireDate() const {
  std::lock_guard lock(loop_.mutex_);
  return RunLoop::toSeconds(fireDate_);
}

double Timer::timeInterval() const {
  return repeats_ ? RunLoop::toSeconds(interval_) : 0.0;
}

void Timer::fireScheduled() {
  // The run loop holds this timer while it fires; a copy of the callback keeps it alive even if
  // the callback invalidates the timer.
  std::shared_ptr<const Callback> callback;
  {
    std::lock_guard lock(loop_.mutex_);
    scheduled_.reset();
    if (!valid_) return;
    callback = callback_;
  }
  if (*callback) (*callback)(*this);

  std::shared_ptr<const Callback> released;
  std::lock_guard lock(loop_.mutex_);
  if (!valid_) return;
  auto retire = [&] {
    valid_ = false;
    released = std::move(callback_);
  };
  // A one-shot timer is done; so is every timer if the loop was reset meanwhile.
  if (!repeats_ || generation_ != loop_.generation_) return retire();

  // The next fire keeps the phase of the first. If the clock has passed it (the callback kept
  // the main thread busy), the missed fires are dropped and the next one still on the grid is
  // taken.
  Nanoseconds next = RunLoop::later(fireDate_, interval_);
  if (next <= loop_.now_) {
    const Nanoseconds missed = (loop_.now_ - next) / interval_ + 1;
    next = RunLoop::later(next, missed * interval_);
  }
  if (next <= loop_.now_) return retire();  // the clock has run out
  fireDate_ = next;
  scheduled_ = loop_.scheduleLocked(next, RunLoop::Event{.timer = shared_from_this()});
}

}  // namespace host
