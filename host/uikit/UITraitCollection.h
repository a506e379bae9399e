#pragma once

#include <memory>

#include "runtime/Object.h"

namespace host {

enum UIForceTouchCapability : long {
  UIForceTouchCapabilityUnknown = 0,
  UIForceTouchCapabilityUnavailable = 1,
  UIForceTouchCapabilityAvailable = 2,
};

// The traits a view controller runs under. Only the pressure-sensitive touch capability is
// modelled; it answers "forceTouchCapability" through the runtime (signature long()), as code
// that checks respondsToSelector first expects.
//
// The device's capability is process-wide: available, as on the default iPhone 7, until the
// simulator says otherwise.
class UITraitCollection : public Object {
 public:
  static Class* objcClass();
  explicit UITraitCollection(Class* cls = objcClass());

  // A collection with the device's current traits.
  static std::shared_ptr<UITraitCollection> current();

  UIForceTouchCapability forceTouchCapability() const { return forceTouchCapability_; }

  static UIForceTouchCapability deviceForceTouchCapability();
  static void setDeviceForceTouchCapability(UIForceTouchCapability capability);

 private:
  UIForceTouchCapability forceTouchCapability_;
};

}  // namespace host
