#include "uikit/UIDevice.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(UIDevice, Object)

UIDevice::UIDevice(Class* cls) : Object(cls) {}

const std::shared_ptr<UIDevice>& UIDevice::currentDevice() {
  static const auto* const device = new std::shared_ptr<UIDevice>(std::make_shared<UIDevice>());
  return *device;
}

}  // namespace host
