#include "uikit/UIVisualEffect.h"

#include "runtime/Runtime.h"

namespace host {

Class* UIVisualEffect::objcClass() {
  static Class* const cls = Runtime::shared().defineClass("UIVisualEffect", Object::objcClass(),
                                                          factoryFor<UIVisualEffect>());
  return cls;
}

UIVisualEffect::UIVisualEffect(Class* cls) : Object(cls) {}

}  // namespace host
