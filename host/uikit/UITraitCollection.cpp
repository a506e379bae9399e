#include "uikit/UITraitCollection.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UITraitCollectionMethods.h"

namespace host {

namespace {
UIForceTouchCapability& deviceCapability() {
  static UIForceTouchCapability capability = UIForceTouchCapabilityAvailable;
  return capability;
}
}  // namespace

HOST_CLASS_WITH(UITraitCollection, Object, [](Class* c) {
  define<MethodsOf<UITraitCollection>::ForceTouchCapability>(c, [](Object* self) -> long {
    const auto* traits = dynamic_cast<UITraitCollection*>(self);
    return traits ? traits->forceTouchCapability() : UIForceTouchCapabilityUnknown;
  });
})

UITraitCollection::UITraitCollection(Class* cls)
    : Object(cls), forceTouchCapability_(deviceCapability()) {}

std::shared_ptr<UITraitCollection> UITraitCollection::current() {
  return std::make_shared<UITraitCollection>();
}

UIForceTouchCapability UITraitCollection::deviceForceTouchCapability() {
  return deviceCapability();
}

void UITraitCollection::setDeviceForceTouchCapability(UIForceTouchCapability capability) {
  deviceCapability() = capability;
}

}  // namespace host
