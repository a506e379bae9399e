#pragma once

#include "runtime/Object.h"

namespace host {

class Class;

// What a UIVisualEffectView does to the content behind it. Effects are immutable.
class UIVisualEffect : public Object {
 public:
  static Class* objcClass();
  explicit UIVisualEffect(Class* cls = objcClass());
};

}  // namespace host
