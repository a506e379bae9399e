#pragma once

#include <memory>

#include "runtime/Method.h"
#include "runtime/Selector.h"
#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"

namespace vorlan {

class VLSpecifierScrollView;

}  // namespace vorlan

namespace host {

// The runtime methods of the cell action menu, and the list page's passcode gate that it asks
// before a protected change: the gate shows the keypad anchored at a view, toward a rectangle
// in the key window, and sends the named method to the menu once the passcode is right.
template <>
struct MethodsOf<vorlan::VLSpecifierScrollView> {
  using EnabledAutenticated = Method<"enabledAutenticated", void()>;
  using PasscodeAutenticated = Method<"passcodeAutenticated", void()>;
  using PasscodeRequiredToChangeSettings =
      Method<"passcodeRequiredToChangeSettings:offset:selector:",
             void(std::shared_ptr<UIView>, CGRect, Selector)>;
};

}  // namespace host
