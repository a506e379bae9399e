#pragma once

#include <functional>
#include <memory>

#include "runtime/Method.h"
#include "uikit/UIViewController.h"

namespace host {

// The runtime methods of UIViewController, by descriptor.
template <>
struct MethodsOf<UIViewController> {
  using Page = std::shared_ptr<UIViewController>;

  using LoadView = Method<"loadView", void()>;
  using ViewDidLoad = Method<"viewDidLoad", void()>;
  using ViewWillAppear = Method<"viewWillAppear:", void(bool)>;
  using ViewDidAppear = Method<"viewDidAppear:", void(bool)>;
  using ViewWillDisappear = Method<"viewWillDisappear:", void(bool)>;
  using ViewDidDisappear = Method<"viewDidDisappear:", void(bool)>;
  using PresentViewController =
      Method<"presentViewController:animated:completion:", void(Page, bool, std::function<void()>)>;
  using DismissViewController =
      Method<"dismissViewControllerAnimated:completion:", void(bool, std::function<void()>)>;
};

}  // namespace host
