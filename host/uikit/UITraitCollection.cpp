#include "uikit/UITraitCollection.h"

#include "runtime/Runtime.h"
#include "uikit/UITraitCollectionMethods.h"

namespace host {

namespace {
UIForceTouchCapability& deviceCapability() {
  static UIForceTouchCapability capability = UIForceTouchCapabilityAvailable;
  return capability;
}
}  // namespace

Class* UITraitCollection::objcClass() {
  static Class* const cls = [] {
    Class* c = Runtime::shared().defineClass("UITraitCollection", Object::objcClass(),
                                             factoryFor<UITraitCollection>());
    define<MethodsOf<UITraitCollection>::ForceTouchCapability>(c, [](Object* self) -> long {
      const auto* traits = dynamic_cast<UITraitCollection*>(self);
      return traits ? traits->forceTouchCapability() : UIForceTouchCapabilityUnknown;
    });
    return c;
  }();
  return cls;
}

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
