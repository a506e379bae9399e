#pragma once

#include <functional>
#include <memory>
#include <string>

#include "uikit/CGGeometry.h"

namespace host {
class TouchInjector;
class UIWindow;
}  // namespace host

namespace vorlan {

// A finger and the passing of time in one app process. Time moves a frame (1/60 s) at a time,
// with a layout pass before each frame as the device does before drawing, so animations and
// display links run as they would; a touch spread over a duration moves once a frame.
class TouchDriver {
 public:
  static constexpr double kFrame = 1.0 / 60;
  // How long a tap keeps the finger down, and a press without pressure-sensitive touch.
  static constexpr double kTapSeconds = 0.05;
  static constexpr double kPressSeconds = 0.6;
  // A press reaches the peek force half way and the maximum at the end of this.
  static constexpr double kForceRiseSeconds = 0.3;

  explicit TouchDriver(const std::shared_ptr<host::UIWindow>& window);
  ~TouchDriver();
  TouchDriver(const TouchDriver&) = delete;
  TouchDriver& operator=(const TouchDriver&) = delete;

  const std::shared_ptr<host::UIWindow> window() const;

  // Runs the frames of `seconds` (at least everything due now).
  static void run(double seconds);
  // Runs frames until `done` answers true or `limit` seconds have passed; answers `done`.
  static bool runUntil(const std::function<bool()>& done, double limit);

  void tap(const host::CGPoint& point);
  // Moves the finger from `from` to `to` over `seconds`; with `rest`, keeps it still there that
  // long before lifting it, so that what it moved stops under it instead of gliding on.
  void drag(const host::CGPoint& from, const host::CGPoint& to, double seconds, double rest = 0);
  void hold(const host::CGPoint& point, double seconds);
  // A firm press. With pressure-sensitive touch the force rises to the maximum: at the peek force
  // the previewing context registered for the view under the finger is asked for a preview,
  // which takes the touch away from the views; at the maximum the preview is committed. Without
  // a preview, or without pressure-sensitive touch, it is a plain tap-and-hold. Answers whether a
  // preview was shown.
  bool press(const host::CGPoint& point);

  // One step of a finger driven live (a mouse, a script's `touch`), the clock left to the
  // caller: false when the finger is already down (down) or not down (move, up).
  bool touchDown(const host::CGPoint& point);
  bool touchMove(const host::CGPoint& point);
  bool touchUp(const host::CGPoint& point);
  bool isTouching() const;

 private:
  std::unique_ptr<host::TouchInjector> injector_;
  std::weak_ptr<host::UIWindow> window_;
};

}  // namespace vorlan
