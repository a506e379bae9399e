#pragma once

#include <memory>

#include "runtime/Object.h"
#include "uikit/UIViewControllerMethods.h"

namespace host {

class PreferencesAppController;

// The runtime methods of the Settings app's delegate, by descriptor.
template <>
struct MethodsOf<PreferencesAppController> {
  using Page = std::shared_ptr<UIViewController>;

  using ApplicationDidBecomeActive = Method<"applicationDidBecomeActive:", void(Id)>;
  using CollapseSecondary =
      Method<"splitViewController:collapseSecondaryViewController:ontoPrimaryViewController:",
             bool(Id, Page, Page)>;
  using SeparateSecondary =
      Method<"splitViewController:separateSecondaryViewControllerFromPrimaryViewController:",
             Page(Id, Page)>;
};

}  // namespace host
