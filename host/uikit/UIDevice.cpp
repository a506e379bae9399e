#include "uikit/UIDevice.h"

#include "runtime/Runtime.h"

namespace host {

Class* UIDevice::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("UIDevice", Object::objcClass(), factoryFor<UIDevice>());
  return cls;
}

UIDevice::UIDevice(Class* cls) : Object(cls) {}

const std::shared_ptr<UIDevice>& UIDevice::currentDevice() {
  static const auto* const device = new std::shared_ptr<UIDevice>(std::make_shared<UIDevice>());
  return *device;
}

}  // namespace host
