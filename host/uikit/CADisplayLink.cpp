#include "uikit/CADisplayLink.h"

#include <utility>

#include "foundation/DisplayLink.h"
#include "foundation/RunLoop.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(CADisplayLink, Object)

CADisplayLink::CADisplayLink(Class* cls) : Object(cls) {}

CADisplayLink::~CADisplayLink() {
  if (link_) link_->invalidate();
}

std::shared_ptr<CADisplayLink> CADisplayLink::displayLinkWithTarget(Callback callback) {
  auto link = std::make_shared<CADisplayLink>();
  link->callback_ = std::move(callback);
  return link;
}

void CADisplayLink::addToRunLoop() {
  if (invalidated_ || link_) return;
  // The frame callback holds this object: the run loop keeps it until invalidate().
  link_ = RunLoop::main().displayLink(
      [self = std::static_pointer_cast<CADisplayLink>(shared_from_this())](DisplayLink&) {
        if (self->invalidated_) return;
        const Callback callback = self->callback_;  // survives an invalidate() from inside
        if (callback) callback(*self);
      });
  link_->setPaused(paused_);
  link_->addToRunLoop();
}

void CADisplayLink::invalidate() {
  if (invalidated_) return;
  invalidated_ = true;
  auto callback = std::exchange(callback_, nullptr);
  if (auto link = link_) link->invalidate();
}

void CADisplayLink::setPaused(bool paused) {
  paused_ = paused;
  if (link_) link_->setPaused(paused);
}

double CADisplayLink::timestamp() const {
  return link_ ? link_->timestamp() : 0;
}

double CADisplayLink::duration() const {
  return 1.0 / 60.0;
}

}  // namespace host
