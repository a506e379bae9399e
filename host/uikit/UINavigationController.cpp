#include "uikit/UINavigationController.h"

#include <algorithm>

#include "foundation/Log.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIScreen.h"
#include "uikit/UIScrollView.h"
#include "uikit/UIView.h"

namespace host {

HOST_CLASS(UINavigationController, UIViewController)

UINavigationController::UINavigationController(Class* cls) : UIViewController(cls) {}

std::shared_ptr<UINavigationController> UINavigationController::withRootViewController(
    std::shared_ptr<UIViewController> root) {
  auto navigation = std::make_shared<UINavigationController>();
  navigation->setViewControllers({std::move(root)});
  return navigation;
}

const std::shared_ptr<UINavigationBar>& UINavigationController::navigationBar() {
  view();
  return bar_;
}

std::shared_ptr<UIViewController> UINavigationController::topViewController() const {
  return stack_.empty() ? nullptr : stack_.back();
}

std::shared_ptr<UIViewController> UINavigationController::visibleViewController() const {
  if (auto presented = presentedViewController()) return presented;
  return topViewController();
}

std::vector<std::shared_ptr<UINavigationItem>> UINavigationController::stackItems() {
  std::vector<std::shared_ptr<UINavigationItem>> items;
  for (const auto& controller : stack_)
    items.push_back(controller->navigationItem());
  return items;
}

void UINavigationController::loadViewImpl() {
  auto container = std::make_shared<UIView>();
  const CGRect screen = UIScreen::mainScreen()->bounds();
  container->setFrame(screen);
  setView(container);
  bar_ = std::make_shared<UINavigationBar>();
  bar_->setFrame(CGRectMake(0, kBarTop, screen.size.width, UINavigationBar::kHeight));
  placeBarForOrientation();
  bar_->setBackAction([weak = std::weak_ptr<Object>(shared_from_this())] {
    if (auto self = std::static_pointer_cast<UINavigationController>(weak.lock())) {
      self->popViewControllerAnimated(true);
    }
  });
  bar_->setItems(stackItems());
  container->addSubview(bar_);
  installTopView();
}

void UINavigationController::installTopView() {
  const auto top = topViewController();
  if (!top || !isViewLoaded()) return;
  const auto container = view();
  const auto topView = top->view();
  UIView::performWithoutAnimation([&] { topView->setFrame(container->bounds()); });
  adjustScrollViewInsets(topView);
  container->insertSubviewBelowSubview(topView, bar_);
}

void UINavigationController::placeBarForOrientation() {
  const auto& application = UIApplication::sharedApplication();
  const bool landscape = application->isLandscape();
  if (landscape == barPlacedForLandscape_) return;
  barPlacedForLandscape_ = landscape;
  const bool compact = application->isStatusBarHidden();
  const CGRect bar = bar_->frame();
  bar_->setFrame(CGRectMake(bar.origin.x, application->statusBarFrame().size.height, bar.size.width,
                            compact ? UINavigationBar::kCompactHeight : UINavigationBar::kHeight));
}

void UINavigationController::adjustScrollViewInsets(const std::shared_ptr<UIView>& view) {
  const auto scroll = std::dynamic_pointer_cast<UIScrollView>(view);
  if (!scroll) return;
  const double top = bar_->frame().maxY();
  UIEdgeInsets inset = scroll->contentInset();
  if (inset.top == top) return;
  // Content resting at its top stays at its top; a scrolled page keeps its place.
  const CGPoint offset = scroll->contentOffset();
  const bool atTop = offset.y <= -inset.top;
  inset.top = top;
  scroll->setContentInset(inset);
  if (atTop) scroll->setContentOffset(CGPointMake(offset.x, -top));
}

void UINavigationController::viewWillLayoutSubviews() {
  const auto container = view();
  const CGRect bounds = container->bounds();
  // Frames are set only when they change: setting one, even to its value, would end an
  // animation of it (the bar's height is animated by others).
  placeBarForOrientation();
  const CGRect bar = bar_->frame();
  if (bar.size.width != bounds.size.width) {
    bar_->setFrame(CGRectMake(bar.origin.x, bar.origin.y, bounds.size.width, bar.size.height));
  }
  const auto top = topViewController();
  if (!transitioning_ && top && top->isViewLoaded() && top->view()->superview() == container &&
      top->view()->frame() != bounds) {
    top->view()->setFrame(bounds);
  }
  if (!transitioning_ && top && top->isViewLoaded()) adjustScrollViewInsets(top->view());
}

void UINavigationController::setViewControllers(
    std::vector<std::shared_ptr<UIViewController>> controllers, bool /*animated*/) {
  std::vector<std::shared_ptr<UIViewController>> list;
  for (auto& controller : controllers) {
    if (controller && controller.get() != this &&
        std::find(list.begin(), list.end(), controller) == list.end()) {
      list.push_back(std::move(controller));
    }
  }
  if (transitioning_) {
    NSLog("Warning: setViewControllers called on " + describe() +
          " while an existing transition is occurring; the navigation stack will not be updated.");
    return;
  }
  const auto oldTop = topViewController();
  std::vector<std::shared_ptr<UIViewController>> removed, added;
  for (const auto& old : stack_) {
    if (std::find(list.begin(), list.end(), old) == list.end()) removed.push_back(old);
  }
  for (const auto& controller : list) {
    if (std::find(stack_.begin(), stack_.end(), controller) == stack_.end()) {
      added.push_back(controller);
    }
  }
  for (const auto& old : removed)
    old->willMoveToParentViewController(nullptr);
  for (const auto& controller : added)
    addChildViewController(controller);
  stack_ = std::move(list);
  const auto newTop = topViewController();
  if (isViewLoaded()) {
    bar_->setItems(stackItems());
    if (newTop != oldTop) {
      const bool visible = isViewVisible();
      if (visible && oldTop) oldTop->beginAppearanceTransition(false, false);
      if (oldTop && oldTop->isViewLoaded()) oldTop->view()->removeFromSuperview();
      installTopView();
      if (visible && newTop) newTop->beginAppearanceTransition(true, false);
      if (visible && oldTop) oldTop->endAppearanceTransition();
      if (visible && newTop) newTop->endAppearanceTransition();
    }
  }
  for (const auto& old : removed)
    old->removeFromParentViewController();
  for (const auto& controller : added)
    controller->didMoveToParentViewController(this);
}

void UINavigationController::pushViewController(std::shared_ptr<UIViewController> controller,
                                                bool animated) {
  if (!controller) return;
  if (transitioning_) {
    NSLog("Warning: pushViewController:animated: called on " + describe() +
          " while an existing transition or presentation is occurring; the navigation stack "
          "will not be updated.");
    return;
  }
  bool refused = controller->parentViewController() || controller->presentingViewController();
  for (const UIViewController* p = this; p && !refused; p = p->parentViewController().get()) {
    refused = p == controller.get();
  }
  if (refused) {
    NSLog("Warning: Pushing the same view controller instance more than once is not supported (" +
          controller->describe() + ")");
    return;
  }
  const auto from = topViewController();
  addChildViewController(controller);
  stack_.push_back(controller);
  if (!isViewLoaded()) {
    controller->didMoveToParentViewController(this);
    return;
  }
  bar_->pushNavigationItem(controller->navigationItem(), animated);
  transition(from, controller, true, animated, {});
}

std::shared_ptr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) {
  if (stack_.size() < 2) return nullptr;
  const auto popped = popToViewController(stack_[stack_.size() - 2], animated);
  return popped.empty() ? nullptr : popped.back();
}

std::vector<std::shared_ptr<UIViewController>>
UINavigationController::popToRootViewControllerAnimated(bool animated) {
  if (stack_.empty()) return {};
  return popToViewController(stack_.front(), animated);
}

std::vector<std::shared_ptr<UIViewController>> UINavigationController::popToViewController(
    const std::shared_ptr<UIViewController>& controller, bool animated) {
  const auto it = std::find(stack_.begin(), stack_.end(), controller);
  if (transitioning_ || it == stack_.end() || it + 1 == stack_.end()) return {};
  const auto from = topViewController();
  std::vector<std::shared_ptr<UIViewController>> popped(it + 1, stack_.end());
  stack_.erase(it + 1, stack_.end());
  for (const auto& page : popped)
    page->willMoveToParentViewController(nullptr);
  if (!isViewLoaded()) {
    for (const auto& page : popped)
      page->removeFromParentViewController();
    return popped;
  }
  bar_->setItems(stackItems());
  transition(from, controller, false, animated, popped);
  return popped;
}

void UINavigationController::transition(const std::shared_ptr<UIViewController>& from,
                                        const std::shared_ptr<UIViewController>& to, bool push,
                                        bool animated,
                                        std::vector<std::shared_ptr<UIViewController>> popped) {
  const auto container = view();
  const CGRect bounds = container->bounds();
  const CGFloat width = bounds.size.width;
  const auto toView = to->view();
  const auto fromView = from ? from->view() : nullptr;
  UIView::performWithoutAnimation([&] {
    const CGFloat start = !animated || !from ? 0 : push ? width : -width / 3;
    toView->setFrame(bounds.offsetBy(start, 0));
  });
  if (!push && fromView && fromView->superview() == container) {
    container->insertSubviewBelowSubview(toView, fromView);
  } else {
    container->insertSubviewBelowSubview(toView, bar_);
  }
  const bool visible = isViewVisible();
  if (visible && from) from->beginAppearanceTransition(false, animated);
  if (visible) to->beginAppearanceTransition(true, animated);
  // As in UIKit, the incoming page is laid out under the bar after the appearance calls, which
  // may change the bar (a page leaving can give it back the height it took away).
  adjustScrollViewInsets(toView);
  transitioning_ = true;
  const auto self = std::static_pointer_cast<UINavigationController>(shared_from_this());
  UIView::animateWithDuration(
      animated && from ? kTransitionDuration : 0,
      [&] {
        if (!animated || !from) return;
        toView->setFrame(bounds);
        fromView->setFrame(bounds.offsetBy(push ? -width / 3 : width, 0));
      },
      [self, from, to, push, visible, popped = std::move(popped)](bool) {
        if (from && from != self->topViewController() && from->isViewLoaded()) {
          const auto oldView = from->view();
          if (oldView->superview() == self->view()) oldView->removeFromSuperview();
          UIView::performWithoutAnimation([&] { oldView->setFrame(self->view()->bounds()); });
        }
        self->transitioning_ = false;
        if (visible && from) from->endAppearanceTransition();
        if (visible) to->endAppearanceTransition();
        if (push) to->didMoveToParentViewController(self.get());
        for (const auto& page : popped)
          page->removeFromParentViewController();
      });
}

}  // namespace host
