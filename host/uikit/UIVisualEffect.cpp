#include "uikit/UIVisualEffect.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(UIVisualEffect, Object)

UIVisualEffect::UIVisualEffect(Class* cls) : Object(cls) {}

}  // namespace host
