#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "foundation/RunLoop.h"

namespace host {

// A timer on the main run loop (see RunLoop::scheduledTimer). Invalidating it, or a one-shot
// timer firing, takes it off the loop and releases its callback together with what that holds.
class Timer : public std::enable_shared_from_this<Timer> {
 public:
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Takes the timer off the run loop for good. Safe from any callback, including its own.
  void invalidate();
  bool isValid() const;
  // Calls the callback now, leaving the schedule as it is. A one-shot timer is invalidated
  // afterwards. Does nothing on an invalid timer.
  void fire();
  // Seconds since boot of the next scheduled fire (the last one once the timer is invalid).
  double fireDate() const;
  // The repeat interval in seconds; 0 for a one-shot timer.
  double timeInterval() const;

 private:
  friend class RunLoop;
  using Callback = std::function<void(Timer&)>;
  using Nanoseconds = std::int64_t;

  Timer(RunLoop& loop, Nanoseconds interval, bool repeats, Callback callback);

  // Called by the run loop when the scheduled fire date has come.
  void fireScheduled();

  RunLoop& loop_;
  // Guarded by the loop's mutex:
  const Nanoseconds interval_;
  const bool repeats_;
  Nanoseconds fireDate_ = 0;
  bool valid_ = true;
  std::uint64_t generation_ = 0;
  std::optional<RunLoop::Key> scheduled_;
  std::shared_ptr<const Callback> callback_;
};

}  // namespace host
