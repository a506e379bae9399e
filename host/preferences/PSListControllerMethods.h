#pragma once

#include <memory>

#include "foundation/NSBundle.h"
#include "foundation/Plist.h"
#include "preferences/PSSpecifier.h"
#include "uikit/NSIndexPath.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIViewControllerMethods.h"

namespace host {

class PSListController;

// The runtime methods of PSListController, by descriptor (a list page also answers every
// UIViewController method).
template <>
struct MethodsOf<PSListController> : MethodsOf<UIViewController> {
  using Table = std::shared_ptr<UITableView>;
  using Specifier = std::shared_ptr<PSSpecifier>;

  using ReloadSpecifiers = Method<"reloadSpecifiers", void()>;
  using Bundle = Method<"bundle", std::shared_ptr<NSBundle>()>;
  using CellForRowAtIndexPath = Method<"tableView:cellForRowAtIndexPath:",
                                       std::shared_ptr<UITableViewCell>(Table, NSIndexPath)>;
  using DidSelectRowAtIndexPath =
      Method<"tableView:didSelectRowAtIndexPath:", void(Table, NSIndexPath)>;
  using ReadPreferenceValue = Method<"readPreferenceValue:", Plist(Specifier)>;
  using SetPreferenceValue = Method<"setPreferenceValue:specifier:", void(Plist, Specifier)>;
};

}  // namespace host
