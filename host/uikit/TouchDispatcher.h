#pragma once

namespace host {

class UIEvent;
class UITouch;
class UIWindow;

// Delivers touches the way UIKit's window does. At touch-down the touch is hit-tested in its
// window and stays with the view it hit; it collects the gesture recognisers of that view and its
// ancestors, innermost first, that are enabled and accept it. Every phase then goes to those
// recognisers first and then, unless a recogniser took the touch (cancelsTouchesInView) or holds
// its beginning back (delaysTouchesBegan), to the view's touches... methods, which pass it up the
// responder chain unless the view handles it.
class TouchDispatcher {
 public:
  // Hit tests a touch that has just begun and picks its recognisers.
  static void attach(UITouch& touch, UIWindow& window);
  // Delivers the touch's current phase.
  static void dispatch(UITouch& touch, UIEvent& event);

 private:
  static void cancelForView(UITouch& touch, UIEvent& event);
};

}  // namespace host
