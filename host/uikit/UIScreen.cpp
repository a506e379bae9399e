#include "uikit/UIScreen.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(UIScreen, Object)

UIScreen::UIScreen(Class* cls) : Object(cls) {}

const std::shared_ptr<UIScreen>& UIScreen::mainScreen() {
  // Never destroyed, like the run loop: work still queued at exit may use it.
  static const auto* const screen = new std::shared_ptr<UIScreen>(std::make_shared<UIScreen>());
  return *screen;
}

}  // namespace host
