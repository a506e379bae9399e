#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace host {

class DisplayLink;
class Timer;

// The main run loop of the process, on a virtual clock that moves only when told to. Time is kept
// in whole nanoseconds since the simulated boot, so equal times are exactly equal and repeated
// intervals never drift; the interface speaks seconds.
//
// Work that falls due at the same time runs in the order it was scheduled. advance() and
// runUntilIdle() run the loop and belong to the main thread; scheduling may happen from any
// thread and from inside callbacks. Callbacks run with no lock held.
//
// A callback that itself calls advance() stands for the main thread being busy for that long:
// the clock moves on but nothing runs until the callback returns. Work that fell due meanwhile
// then runs late, in order; a repeating timer that missed several fires fires once and goes back
// to its schedule, and a display link skips the frames it missed. runUntilIdle() from a callback
// does nothing: the loop that is running gets to that work anyway.
class RunLoop {
 public:
  static RunLoop& main();

  RunLoop(const RunLoop&) = delete;
  RunLoop& operator=(const RunLoop&) = delete;

  // Seconds since the simulated boot.
  double now() const;

  // Runs `block` on the main queue at the current time, after everything already due.
  void dispatchAsync(std::function<void()> block);
  // Runs `block` once `delaySeconds` have passed (a negative delay counts as none).
  void performAfter(double delaySeconds, std::function<void()> block);

  // A timer first firing `interval` seconds from now. A repeating one then fires every interval
  // on the grid set by its first fire date. An interval of zero or less means 0.1 ms. The loop
  // holds the timer until it is invalidated or, for a one-shot timer, has fired.
  std::shared_ptr<Timer> scheduledTimer(double interval, bool repeats,
                                        std::function<void(Timer&)> fire);

  // A display link, not yet running: see DisplayLink::addToRunLoop().
  std::shared_ptr<DisplayLink> displayLink(std::function<void(DisplayLink&)> callback);

  // Runs, in time order, everything due within the next `seconds`, with the clock set to each
  // event's time while it runs, so work scheduled by a callback inside the window runs too.
  // Ends with the clock `seconds` later.
  void advance(double seconds);
  // Runs everything due now, including what that work queues for now, without moving the clock.
  void runUntilIdle();

  // Number of scheduled events (blocks, timer fires, display link frames).
  std::size_t pendingCount() const;
  // Drops all scheduled work, invalidates every timer and display link and sets the clock back
  // to zero, as after a restart. Called from a callback, the loop run that called it stops.
  void reset();

 private:
  friend class DisplayLink;
  friend class Timer;

  using Nanoseconds = std::int64_t;

  struct Key {
    Nanoseconds time;
    std::uint64_t sequence;
    auto operator<=>(const Key&) const = default;
  };
  // One scheduled event: a block, a timer fire or a display link frame.
  struct Event {
    std::function<void()> block = {};
    std::shared_ptr<Timer> timer = {};
    std::shared_ptr<DisplayLink> link = {};
  };
  using Queue = std::map<Key, Event>;

  RunLoop() = default;

  static Nanoseconds toNanoseconds(double seconds);
  static Nanoseconds later(Nanoseconds time, Nanoseconds span);
  static double toSeconds(Nanoseconds time) { return static_cast<double>(time) / 1e9; }

  Key scheduleLocked(Nanoseconds time, Event event);
  // Runs the earliest event due at or before `limit`, or the current time if `limit` is
  // negative. False if there is none or the loop was reset since `generation`.
  bool runNext(Nanoseconds limit, std::uint64_t generation);
  void leaveRun();

  mutable std::mutex mutex_;
  Nanoseconds now_ = 0;
  std::uint64_t nextSequence_ = 0;
  std::uint64_t generation_ = 0;  // counts reset() calls
  int runDepth_ = 0;              // > 0 while advance() or runUntilIdle() is running
  Queue queue_;
  std::vector<std::shared_ptr<DisplayLink>> links_;  // added and not invalidated
};

}  // namespace host
