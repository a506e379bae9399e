#include "uikit/UIScreen.h"

#include "runtime/Runtime.h"

namespace host {

Class* UIScreen::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("UIScreen", Object::objcClass(), factoryFor<UIScreen>());
  return cls;
}

UIScreen::UIScreen(Class* cls) : Object(cls) {}

const std::shared_ptr<UIScreen>& UIScreen::mainScreen() {
  // Never destroyed, like the run loop: work still queued at exit may use it.
  static const auto* const screen = new std::shared_ptr<UIScreen>(std::make_shared<UIScreen>());
  return *screen;
}

}  // namespace host
