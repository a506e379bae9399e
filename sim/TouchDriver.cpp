#include "TouchDriver.h"

#include <cmath>
#include <vector>

#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "runtime/Class.h"
#include "uikit/TouchInjector.h"
#include "uikit/UITraitCollection.h"
#include "uikit/UIView.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

int framesIn(double seconds) {
  return std::max(1, static_cast<int>(std::lround(seconds / TouchDriver::kFrame)));
}

void frame(double seconds) {
  host::UIView::layoutAllPending();
  host::RunLoop::main().advance(seconds);
  host::UIView::layoutAllPending();
}

// The previewing registration whose source view holds the view under `point`, newest first.
std::shared_ptr<host::UIViewControllerPreviewing> previewingAt(host::UIWindow& window,
                                                               const host::CGPoint& point) {
  const auto hit = window.hitTest(point);
  if (!hit) return nullptr;
  auto contexts = host::UIViewControllerPreviewing::registeredContexts();
  for (auto it = contexts.rbegin(); it != contexts.rend(); ++it) {
    const auto& source = (*it)->sourceView();
    if (source && hit->isDescendantOfView(source.get())) return *it;
  }
  return nullptr;
}

}  // namespace

TouchDriver::TouchDriver(const std::shared_ptr<host::UIWindow>& window)
    : injector_(std::make_unique<host::TouchInjector>(window)), window_(window) {}

TouchDriver::~TouchDriver() = default;

const std::shared_ptr<host::UIWindow> TouchDriver::window() const {
  return window_.lock();
}

void TouchDriver::run(double seconds) {
  host::RunLoop::main().runUntilIdle();
  if (seconds <= 0) {
    host::UIView::layoutAllPending();
    return;
  }
  const int frames = framesIn(seconds);
  for (int i = 0; i < frames; ++i)
    frame(seconds / frames);
}

bool TouchDriver::runUntil(const std::function<bool()>& done, double limit) {
  host::RunLoop::main().runUntilIdle();
  host::UIView::layoutAllPending();
  for (double spent = 0; !done(); spent += kFrame) {
    if (spent >= limit) return false;
    frame(kFrame);
  }
  return true;
}

void TouchDriver::tap(const host::CGPoint& point) {
  injector_->touchDown(point);
  run(kTapSeconds);
  injector_->touchUp(point);
  run(0);
}

void TouchDriver::drag(const host::CGPoint& from, const host::CGPoint& to, double seconds,
                       double rest) {
  if (!injector_->touchDown(from)) return;
  const int frames = framesIn(seconds);
  for (int i = 1; i <= frames; ++i) {
    frame(seconds / frames);
    const double f = static_cast<double>(i) / frames;
    injector_->touchMove({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
  }
  for (int i = 0, still = rest > 0 ? framesIn(rest) : 0; i < still; ++i) {
    frame(rest / still);
    injector_->touchMove(to);
  }
  injector_->touchUp(to);
  run(0);
}

void TouchDriver::hold(const host::CGPoint& point, double seconds) {
  if (!injector_->touchDown(point)) return;
  const int frames = framesIn(seconds);
  for (int i = 0; i < frames; ++i) {
    frame(seconds / frames);
    injector_->touchMove(point);
  }
  injector_->touchUp(point);
  run(0);
}

bool TouchDriver::press(const host::CGPoint& point) {
  const auto window = window_.lock();
  if (!window || host::UITraitCollection::deviceForceTouchCapability() !=
                     host::UIForceTouchCapabilityAvailable) {
    hold(point, kPressSeconds);
    return false;
  }
  if (!injector_->touchDown(point)) return false;
  run(kForceRiseSeconds / 2);
  std::shared_ptr<host::UIViewController> preview;
  if (const auto context = previewingAt(*window, point)) {
    const auto& source = context->sourceView();
    preview = context->peek(source->convertPointFromView(point, nullptr));
    if (preview) {
      // The peek takes the touch from the views under it, as the device does.
      injector_->touchCancel();
      // Said in the log, since the committed page looks the same as one opened by a tap.
      host::NSLog("Peek: previewed " + preview->getClass()->name() + " \"" + preview->title() +
                  "\" and committed it");
      run(kForceRiseSeconds / 2);
      context->commit();
      run(0);
      return true;
    }
  }
  run(kPressSeconds - kForceRiseSeconds / 2);
  injector_->touchUp(point);
  run(0);
  return false;
}

bool TouchDriver::touchDown(const host::CGPoint& point) {
  if (!injector_->touchDown(point)) return false;
  run(0);
  return true;
}

bool TouchDriver::touchMove(const host::CGPoint& point) {
  if (!injector_->touchMove(point)) return false;
  run(0);
  return true;
}

bool TouchDriver::touchUp(const host::CGPoint& point) {
  if (!injector_->touchUp(point)) return false;
  run(0);
  return true;
}

bool TouchDriver::isTouching() const {
  return injector_->isTouching();
}

}  // namespace vorlan
