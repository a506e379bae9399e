#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "foundation/RunLoop.h"

namespace host {

// A callback once per display frame, 60 times a second. Frames lie on a fixed grid: frame k is
// shown at exactly k/60 s after boot (in whole nanoseconds), so long runs do not drift. Created by
// RunLoop::displayLink(); it runs once added to the run loop, which then holds it until it is
// invalidated.
class DisplayLink : public std::enable_shared_from_this<DisplayLink> {
 public:
  DisplayLink(const DisplayLink&) = delete;
  DisplayLink& operator=(const DisplayLink&) = delete;

  // Starts delivering frames from the first one after now. Does nothing if already added or
  // invalidated.
  void addToRunLoop();
  // Stops for good and releases the callback. Safe from any callback, including its own.
  void invalidate();
  // A paused link stays on the run loop but gets no frames; on resuming it gets the next one.
  void setPaused(bool paused);
  bool isPaused() const;
  // Seconds since boot of the frame being (or last) delivered; 0 before the first.
  double timestamp() const;
  // Seconds between frames.
  double duration() const { return 1.0 / kFramesPerSecond; }

 private:
  friend class RunLoop;
  using Callback = std::function<void(DisplayLink&)>;
  using Nanoseconds = std::int64_t;
  static constexpr std::int64_t kFramesPerSecond = 60;

  DisplayLink(RunLoop& loop, Callback callback);

  static Nanoseconds frameTime(std::int64_t frame);
  // The last frame at or before `time`.
  static std::int64_t frameAtOrBefore(Nanoseconds time);

  // Called with the loop's mutex held.
  void scheduleNextFrameLocked();
  // Called by the run loop when a frame is due.
  void fireFrame();

  RunLoop& loop_;
  // Guarded by the loop's mutex:
  bool added_ = false;
  bool valid_ = true;
  bool paused_ = false;
  Nanoseconds timestamp_ = 0;
  std::optional<RunLoop::Key> scheduled_;
  std::shared_ptr<const Callback> callback_;
};

}  // namespace host
