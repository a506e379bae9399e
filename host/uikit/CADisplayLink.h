#pragma once

#include <functional>
#include <memory>

#include "runtime/Object.h"

namespace host {

class DisplayLink;
class RunLoop;

// A callback on every display frame (60 a second) of the main run loop. Once added to the run
// loop, the loop keeps the link, and with it the callback and what it captured (the target),
// until it is invalidated.
class CADisplayLink : public Object {
 public:
  using Callback = std::function<void(CADisplayLink&)>;

  static Class* objcClass();
  explicit CADisplayLink(Class* cls = objcClass());
  ~CADisplayLink() override;

  static std::shared_ptr<CADisplayLink> displayLinkWithTarget(Callback callback);

  // Starts the frames (the run loop has one mode for all). Does nothing once invalidated.
  void addToRunLoop();
  // Stops for good and releases the callback; safe from the callback itself.
  void invalidate();
  bool isPaused() const { return paused_; }
  void setPaused(bool paused);
  // The time of the frame being (or last) delivered; 0 before the first.
  double timestamp() const;
  double duration() const;

 private:
  Callback callback_;
  std::shared_ptr<DisplayLink> link_;
  bool paused_ = false;
  bool invalidated_ = false;
};

}  // namespace host
