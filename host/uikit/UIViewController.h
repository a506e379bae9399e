#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uikit/UIResponder.h"
#include "uikit/UITraitCollection.h"

namespace host {

class UINavigationController;
class UINavigationItem;
class UIView;
class UIViewControllerPreviewing;

enum UIModalPresentationStyle {
  // Covers the screen; the presenting controller disappears (appearance calls) while covered.
  UIModalPresentationFullScreen = 0,
  UIModalPresentationCustom = 4,
  // Covers the screen; the presenting controller stays on screen (no appearance calls).
  UIModalPresentationOverFullScreen = 5,
};

// Manages one view and its place among other controllers.
//
// The view is made on first use: "loadView" (a plain view unless a subclass or a hook provides
// one), then "viewDidLoad". The appearance calls "viewWillAppear:", "viewDidAppear:",
// "viewWillDisappear:" and "viewDidDisappear:" (all void(bool)), "loadView" and "viewDidLoad"
// (void()), "presentViewController:animated:completion:" (void(std::shared_ptr<UIViewController>,
// bool, std::function<void()>)) and "dismissViewControllerAnimated:completion:" (void(bool,
// std::function<void()>)) are sent through the runtime, so hooks on them see every caller.
//
// Appearance follows a state machine (disappeared, appearing, appeared, disappearing): a
// transition that does not change the state sends nothing, so each call comes once per change.
// A controller forwards its transitions to the children whose views are inside its own view.
//
// Presentation: the controller at the top of the presenting controller's parent chain presents,
// over the whole window, the presented view sliding up from the bottom (a custom style fades in)
// over 0.3 s. For full-screen styles the presenting controller's view stays in the window under
// the presented one but gets its disappearance calls. Appearance order: the old controller's
// will-disappear, the new one's will-appear, then after the animation the old one's
// did-disappear, the new one's did-appear, then the completion. Presenting while presenting, or
// while a presentation or dismissal runs, is refused with a logged warning, as on the device.
//
// Ownership: a controller owns its view, its children, its navigation item and the controller it
// presents; its parent and its presenting controller are weak.
class UIViewController : public UIResponder {
 public:
  using Completion = std::function<void()>;
  static constexpr double kPresentationDuration = 0.3;

  static Class* objcClass();
  explicit UIViewController(Class* cls = objcClass());
  ~UIViewController() override;

  // The view's superview, or the parent controller while the view has none.
  std::shared_ptr<UIResponder> nextResponder() const override;

  // The view, loaded on first use.
  std::shared_ptr<UIView> view();
  void setView(std::shared_ptr<UIView> view);
  bool isViewLoaded() const { return view_ != nullptr; }
  void loadView();     // sends "loadView"
  void viewDidLoad();  // sends "viewDidLoad"
  // Around each layout pass of the view.
  virtual void viewWillLayoutSubviews() {}
  virtual void viewDidLayoutSubviews() {}

  // Appearance calls; containers send them through begin/endAppearanceTransition.
  void viewWillAppear(bool animated);
  void viewDidAppear(bool animated);
  void viewWillDisappear(bool animated);
  void viewDidDisappear(bool animated);
  void beginAppearanceTransition(bool appearing, bool animated);
  void endAppearanceTransition();
  // True from will-appear until will-disappear.
  bool isViewVisible() const;

  const std::string& title() const { return title_; }
  void setTitle(std::string title);  // the navigation item's title too
  const std::shared_ptr<UINavigationItem>& navigationItem();

  // Containment.
  std::shared_ptr<UIViewController> parentViewController() const { return parent_.lock(); }
  const std::vector<std::shared_ptr<UIViewController>>& childViewControllers() const {
    return children_;
  }
  // Takes the child from its old parent; sends willMoveToParentViewController (the container
  // sends didMove once the child's view is in place).
  void addChildViewController(const std::shared_ptr<UIViewController>& child);
  // Sends didMoveToParentViewController(nullptr); the container sends willMove first.
  void removeFromParentViewController();
  virtual void willMoveToParentViewController(UIViewController* /*parent*/) {}
  virtual void didMoveToParentViewController(UIViewController* /*parent*/) {}
  // The nearest navigation controller up the parent chain.
  std::shared_ptr<UINavigationController> navigationController() const;

  // Presentation.
  std::shared_ptr<UIViewController> presentingViewController() const;
  std::shared_ptr<UIViewController> presentedViewController() const;
  UIModalPresentationStyle modalPresentationStyle() const { return modalPresentationStyle_; }
  void setModalPresentationStyle(UIModalPresentationStyle style) {
    modalPresentationStyle_ = style;
  }
  // While this controller's presentation or dismissal animation runs.
  bool isBeingPresented() const { return beingPresented_; }
  bool isBeingDismissed() const { return beingDismissed_; }
  void presentViewController(std::shared_ptr<UIViewController> controller, bool animated,
                             Completion completion = {});
  // Dismisses what this controller (or its top ancestor) presents, or else this controller
  // itself; controllers presented above it go at once.
  void dismissViewControllerAnimated(bool animated, Completion completion = {});
  // Pushes onto the navigation controller, or presents when there is none.
  void showViewController(std::shared_ptr<UIViewController> controller, Object* sender);
  void showDetailViewController(std::shared_ptr<UIViewController> controller, Object* sender);
  // Every presented controller of the process, in the order presented (for the simulator).
  static std::vector<std::shared_ptr<UIViewController>> presentedControllers();

  // Traits and previewing.
  std::shared_ptr<UITraitCollection> traitCollection() const {
    return UITraitCollection::current();
  }
  // The delegate answers "previewingContext:viewControllerForLocation:" and
  // "previewingContext:commitViewController:" by name (see UIViewControllerPreviewing).
  std::shared_ptr<UIViewControllerPreviewing> registerForPreviewingWithDelegate(
      const std::shared_ptr<Object>& delegate, const std::shared_ptr<UIView>& sourceView);
  void unregisterForPreviewingWithContext(const std::shared_ptr<UIViewControllerPreviewing>& ctx);
  const std::vector<std::shared_ptr<UIViewControllerPreviewing>>& previewingContexts() const {
    return previewing_;
  }

  void setNeedsStatusBarAppearanceUpdate() {}

  // "<ClassName: 0x...>", as the platform prints objects in warnings.
  std::string describe() const;

 protected:
  // What the runtime methods run; subclasses override these.
  virtual void loadViewImpl();
  virtual void viewDidLoadImpl() {}
  virtual void viewWillAppearImpl(bool /*animated*/) {}
  virtual void viewDidAppearImpl(bool /*animated*/) {}
  virtual void viewWillDisappearImpl(bool /*animated*/) {}
  virtual void viewDidDisappearImpl(bool /*animated*/) {}
  virtual void presentViewControllerImpl(std::shared_ptr<UIViewController> controller,
                                         bool animated, Completion completion);
  virtual void dismissViewControllerImpl(bool animated, Completion completion);

  std::shared_ptr<UIViewController> sharedController();

 private:
  enum class AppearState { Disappeared, Appearing, Appeared, Disappearing };

  std::shared_ptr<UIViewController> topAncestor();
  // Removes what `controller` presents, recursively, at once.
  static void dismissPresentedImmediately(UIViewController& controller);

  std::shared_ptr<UIView> view_;
  bool loadingView_ = false;
  std::string title_;
  std::shared_ptr<UINavigationItem> navigationItem_;
  std::weak_ptr<UIViewController> parent_;
  std::vector<std::shared_ptr<UIViewController>> children_;
  std::weak_ptr<UIViewController> presenting_;
  std::shared_ptr<UIViewController> presented_;
  bool transitioning_ = false;  // a presentation or dismissal of presented_ runs
  bool beingPresented_ = false;
  bool beingDismissed_ = false;
  UIModalPresentationStyle modalPresentationStyle_ = UIModalPresentationFullScreen;
  AppearState appearState_ = AppearState::Disappeared;
  bool appearAnimated_ = false;
  std::vector<std::shared_ptr<UIViewControllerPreviewing>> previewing_;
};

}  // namespace host
