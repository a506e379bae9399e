#include "uikit/UIViewControllerPreviewing.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UITraitCollection.h"
#include "uikit/UIView.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewingMethods.h"

namespace host {

namespace {

using ViewControllerForLocation = MethodsOf<UIViewControllerPreviewing>::ViewControllerForLocation;
using CommitViewController = MethodsOf<UIViewControllerPreviewing>::CommitViewController;

// Never destroyed: a controller still registered when the process ends (one a process-wide
// object holds) leaves the registry during the static destructors, after this file's would run.
std::vector<std::weak_ptr<UIViewControllerPreviewing>>& registry() {
  static auto* const contexts = new std::vector<std::weak_ptr<UIViewControllerPreviewing>>();
  return *contexts;
}

}  // namespace

HOST_CLASS(UIViewControllerPreviewing, Object)

UIViewControllerPreviewing::UIViewControllerPreviewing(Class* cls) : Object(cls) {}

CGRect UIViewControllerPreviewing::sourceRect() const {
  if (sourceRect_) return *sourceRect_;
  return sourceView_ ? sourceView_->bounds() : CGRectZero;
}

void UIViewControllerPreviewing::attach(const std::shared_ptr<UIViewController>& controller,
                                        const std::shared_ptr<Object>& delegate,
                                        std::shared_ptr<UIView> sourceView) {
  controller_ = controller;
  delegate_ = delegate;
  sourceView_ = std::move(sourceView);
  auto& contexts = registry();
  std::erase_if(contexts, [](const auto& weak) { return weak.expired(); });
  contexts.push_back(std::static_pointer_cast<UIViewControllerPreviewing>(shared_from_this()));
}

void UIViewControllerPreviewing::detach() {
  preview_.reset();
  controller_.reset();
  std::erase_if(registry(), [this](const auto& weak) {
    const auto context = weak.lock();
    return !context || context.get() == this;
  });
}

std::shared_ptr<UIViewController> UIViewControllerPreviewing::peek(const CGPoint& location) {
  preview_.reset();
  const auto controller = controller_.lock();
  const auto target = delegate_.lock();
  if (!controller || !target) return nullptr;
  if (controller->traitCollection()->forceTouchCapability() != UIForceTouchCapabilityAvailable) {
    return nullptr;
  }
  if (!host::respondsToSelector(target.get(), ViewControllerForLocation::selector)) return nullptr;
  const auto self = std::static_pointer_cast<UIViewControllerPreviewing>(shared_from_this());
  preview_ = send<ViewControllerForLocation>(target, self, location);
  return preview_;
}

bool UIViewControllerPreviewing::commit() {
  auto preview = std::move(preview_);
  preview_.reset();
  const auto target = delegate_.lock();
  if (!preview || !target ||
      !host::respondsToSelector(target.get(), CommitViewController::selector)) {
    return false;
  }
  const auto self = std::static_pointer_cast<UIViewControllerPreviewing>(shared_from_this());
  send<CommitViewController>(target, self, std::move(preview));
  return true;
}

std::vector<std::shared_ptr<UIViewControllerPreviewing>>
UIViewControllerPreviewing::registeredContexts() {
  std::vector<std::shared_ptr<UIViewControllerPreviewing>> out;
  for (const auto& weak : registry()) {
    if (auto context = weak.lock()) out.push_back(std::move(context));
  }
  return out;
}

}  // namespace host
