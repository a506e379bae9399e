#pragma once

#include "runtime/Method.h"

namespace host {

class UIView;

// The runtime methods of UIView, by descriptor.
template <>
struct MethodsOf<UIView> {
  using LayoutSubviews = Method<"layoutSubviews", void()>;
};

}  // namespace host
