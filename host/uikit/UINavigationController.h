#pragma once

#include <memory>
#include <vector>

#include "uikit/UIViewController.h"

namespace host {

class UINavigationBar;

// A stack of pages under a navigation bar. The bar sits under the status bar (0, 20, width, 44)
// and shows the top page's navigation item; the pages' views fill the controller's view, under
// the bar.
//
// Pushing slides the new page in from the right over 0.35 s (the old one moves a third of the
// width to the left); popping slides it back out. While the controller is on screen the pages
// get their appearance calls in UIKit's order: the old page's will-disappear, the new page's
// will-appear, and after the slide the old page's did-disappear, then the new page's
// did-appear (a transition without animation completes on the next turn of the run loop).
// `viewControllers` changes at once; a popped page stays a child until its slide ends. A push or
// pop while another runs, pushing a page already on a stack or popping the root page is refused
// (with a logged warning for the push).
class UINavigationController : public UIViewController {
 public:
  static constexpr double kTransitionDuration = 0.35;
  // The bar sits below the status bar (20 points; none when it is hidden, as on an iPhone in
  // landscape, where the bar is also compact).
  static constexpr double kBarTop = 20;

  static Class* objcClass();
  explicit UINavigationController(Class* cls = objcClass());

  static std::shared_ptr<UINavigationController> withRootViewController(
      std::shared_ptr<UIViewController> root);

  const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return stack_; }
  // Replaces the stack at once (no slide).
  void setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers,
                          bool animated = false);
  std::shared_ptr<UIViewController> topViewController() const;
  // What this controller presents, else the top page.
  std::shared_ptr<UIViewController> visibleViewController() const;

  void pushViewController(std::shared_ptr<UIViewController> controller, bool animated);
  // The page taken off, or nothing.
  std::shared_ptr<UIViewController> popViewControllerAnimated(bool animated);
  std::vector<std::shared_ptr<UIViewController>> popToRootViewControllerAnimated(bool animated);
  std::vector<std::shared_ptr<UIViewController>> popToViewController(
      const std::shared_ptr<UIViewController>& controller, bool animated);
  bool isTransitioning() const { return transitioning_; }

  // The bar (loads the view).
  const std::shared_ptr<UINavigationBar>& navigationBar();

  void viewWillLayoutSubviews() override;

 protected:
  void loadViewImpl() override;

 private:
  void installTopView();
  // A page that scrolls (a table) runs under the translucent bar: its content starts below the
  // bar, as UIKit's automatic scroll-view insets place it.
  void adjustScrollViewInsets(const std::shared_ptr<UIView>& view);
  // The bar's place and height for the orientation, set when the orientation changes only, so
  // that a height others animate is left alone in between.
  void placeBarForOrientation();
  bool barPlacedForLandscape_ = false;
  std::vector<std::shared_ptr<UINavigationItem>> stackItems();
  // Slides from `from` to `to` (to is already in the stack); `popped` leave when it ends.
  void transition(const std::shared_ptr<UIViewController>& from,
                  const std::shared_ptr<UIViewController>& to, bool push, bool animated,
                  std::vector<std::shared_ptr<UIViewController>> popped);

  std::vector<std::shared_ptr<UIViewController>> stack_;
  std::shared_ptr<UINavigationBar> bar_;
  bool transitioning_ = false;
};

}  // namespace host
