#include "foundation/DisplayLink.h"

#include <algorithm>
#include <utility>

namespace host {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

}  // namespace

DisplayLink::DisplayLink(RunLoop& loop, Callback callback)
    : loop_(loop), callback_(std::make_shared<const Callback>(std::move(callback))) {}

// floor(frame * 1e9 / 60), split so the product cannot overflow for any realistic frame.
DisplayLink::Nanoseconds DisplayLink::frameTime(std::int64_t frame) {
  return frame / kFramesPerSecond * kNanosecondsPerSecond +
         frame % kFramesPerSecond * kNanosecondsPerSecond / kFramesPerSecond;
}

std::int64_t DisplayLink::frameAtOrBefore(Nanoseconds time) {
  // floor(time * 60 / 1e9) never lies after the answer; frame times are rounded down, so the
  // answer may be one further.
  std::int64_t frame = time / kNanosecondsPerSecond * kFramesPerSecond +
                       time % kNanosecondsPerSecond * kFramesPerSecond / kNanosecondsPerSecond;
  while (frameTime(frame + 1) <= time)
    ++frame;
  return frame;
}

void DisplayLink::scheduleNextFrameLocked() {
  const Nanoseconds next = frameTime(frameAtOrBefore(loop_.now_) + 1);
  scheduled_ = loop_.scheduleLocked(next, RunLoop::Event{.link = shared_from_this()});
}

void DisplayLink::addToRunLoop() {
  std::lock_guard lock(loop_.mutex_);
  if (!valid_ || added_) return;
  added_ = true;
  loop_.links_.push_back(shared_from_this());
  if (!paused_) scheduleNextFrameLocked();
}

void DisplayLink::invalidate() {
  // Everything let go of here is destroyed after the lock is released (see Timer::invalidate).
  auto self = shared_from_this();
  std::shared_ptr<const Callback> released;
  RunLoop::Queue::node_type entry;
  std::shared_ptr<DisplayLink> held;
  std::lock_guard lock(loop_.mutex_);
  if (!valid_) return;
  valid_ = false;
  released = std::move(callback_);
  if (scheduled_) entry = loop_.queue_.extract(*std::exchange(scheduled_, std::nullopt));
  auto& links = loop_.links_;
  if (auto it = std::find(links.begin(), links.end(), self); it != links.end()) {
    held = std::move(*it);
    links.erase(it);
  }
}

void DisplayLink::setPaused(bool paused) {
  RunLoop::Queue::node_type entry;
  std::lock_guard lock(loop_.mutex_);
  if (paused_ == paused) return;
  paused_ = paused;
  if (!valid_ || !added_) return;
  if (paused && scheduled_) {
    entry = loop_.queue_.extract(*std::exchange(scheduled_, std::nullopt));
  } else if (!paused && !scheduled_) {
    scheduleNextFrameLocked();
  }
}

bool DisplayLink::isPaused() const {
  std::lock_guard lock(loop_.mutex_);
  return paused_;
}

double DisplayLink::timestamp() const {
  std::lock_guard lock(loop_.mutex_);
  return RunLoop::toSeconds(timestamp_);
}

void DisplayLink::fireFrame() {
  std::shared_ptr<const Callback> callback;
  {
    std::lock_guard lock(loop_.mutex_);
    scheduled_.reset();
    if (!valid_ || paused_) return;
    // Normally the clock is exactly at the frame; if the main thread was busy past it, the frame
    // delivered is the latest one shown, and the missed ones are skipped.
    timestamp_ = frameTime(frameAtOrBefore(loop_.now_));
    callback = callback_;
  }
  if (*callback) (*callback)(*this);

  std::lock_guard lock(loop_.mutex_);
  // A reset of the loop invalidates every added link, so a valid one is still on this loop.
  if (valid_ && !paused_ && !scheduled_) scheduleNextFrameLocked();
}

}  // namespace host
