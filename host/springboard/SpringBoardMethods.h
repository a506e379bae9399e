#pragma once

#include "runtime/Method.h"
#include "runtime/Object.h"

namespace host {

class SpringBoard;

// The runtime methods of SpringBoard's application object, by descriptor.
template <>
struct MethodsOf<SpringBoard> {
  using ApplicationDidFinishLaunching = Method<"applicationDidFinishLaunching:", void(Id)>;
};

}  // namespace host
