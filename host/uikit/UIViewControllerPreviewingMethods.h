#pragma once

#include <memory>

#include "runtime/Method.h"
#include "uikit/CGGeometry.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"

namespace host {

// What a previewing context sends to its delegate, by descriptor: the page to peek at a point
// of the registered view, and the page to show when the peek is pressed through.
template <>
struct MethodsOf<UIViewControllerPreviewing> {
  using Context = std::shared_ptr<UIViewControllerPreviewing>;
  using Page = std::shared_ptr<UIViewController>;

  using ViewControllerForLocation =
      Method<"previewingContext:viewControllerForLocation:", Page(Context, CGPoint)>;
  using CommitViewController =
      Method<"previewingContext:commitViewController:", void(Context, Page)>;
};

}  // namespace host
