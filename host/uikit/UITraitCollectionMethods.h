#pragma once

#include "runtime/Method.h"

namespace host {

class UITraitCollection;

// The runtime methods of UITraitCollection, by descriptor.
template <>
struct MethodsOf<UITraitCollection> {
  using ForceTouchCapability = Method<"forceTouchCapability", long()>;
};

}  // namespace host
