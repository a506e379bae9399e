#include "uikit/UIViewController.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "foundation/Log.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UINavigationController.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"
#include "uikit/UIViewControllerMethods.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

using Methods = MethodsOf<UIViewController>;

std::vector<std::weak_ptr<UIViewController>>& presentedRegistry() {
  static std::vector<std::weak_ptr<UIViewController>> controllers;
  return controllers;
}

void forgetPresented(const UIViewController* controller) {
  std::erase_if(presentedRegistry(), [controller](const auto& weak) {
    const auto entry = weak.lock();
    return !entry || entry.get() == controller;
  });
}

// Runs `body` on `self` when it is a view controller (the registered methods' receivers).
template <class F>
void withController(Object* self, F&& body) {
  if (auto* controller = dynamic_cast<UIViewController*>(self)) body(*controller);
}

// The registered implementations reach the protected ...Impl members through this.
struct UIViewControllerMethods : UIViewController {
  static void define(Class* c) {
    host::define<Methods::LoadView>(c, [](Object* self) {
      withController(self, [](UIViewController& vc) { callLoadView(vc); });
    });
    host::define<Methods::ViewDidLoad>(c, [](Object* self) {
      withController(self, [](UIViewController& vc) { callViewDidLoad(vc); });
    });
    defineAppearance<Methods::ViewWillAppear>(c, &UIViewControllerMethods::viewWillAppearImpl);
    defineAppearance<Methods::ViewDidAppear>(c, &UIViewControllerMethods::viewDidAppearImpl);
    defineAppearance<Methods::ViewWillDisappear>(c,
                                                 &UIViewControllerMethods::viewWillDisappearImpl);
    defineAppearance<Methods::ViewDidDisappear>(c, &UIViewControllerMethods::viewDidDisappearImpl);
    host::define<Methods::PresentViewController>(
        c, [](Object* self, std::shared_ptr<UIViewController> controller, bool animated,
              std::function<void()> completion) {
          withController(self, [&](UIViewController& vc) {
            (vc.*&UIViewControllerMethods::presentViewControllerImpl)(
                std::move(controller), animated, std::move(completion));
          });
        });
    host::define<Methods::DismissViewController>(c, [](Object* self, bool animated,
                                                       std::function<void()> completion) {
      withController(self, [&](UIViewController& vc) {
        (vc.*&UIViewControllerMethods::dismissViewControllerImpl)(animated, std::move(completion));
      });
    });
  }

  static void callLoadView(UIViewController& vc) { (vc.*&UIViewControllerMethods::loadViewImpl)(); }
  static void callViewDidLoad(UIViewController& vc) {
    (vc.*&UIViewControllerMethods::viewDidLoadImpl)();
  }
  template <class M>
  static void defineAppearance(Class* c, void (UIViewController::*impl)(bool)) {
    host::define<M>(c, [impl](Object* self, bool animated) {
      withController(self, [&](UIViewController& vc) { (vc.*impl)(animated); });
    });
  }
};

}  // namespace

HOST_CLASS_WITH(UIViewController, UIResponder, [](Class* c) { UIViewControllerMethods::define(c); })

UIViewController::UIViewController(Class* cls) : UIResponder(cls) {}

UIViewController::~UIViewController() {
  for (const auto& context : previewing_)
    context->detach();
  forgetPresented(this);
}

std::shared_ptr<UIViewController> UIViewController::sharedController() {
  return std::static_pointer_cast<UIViewController>(shared_from_this());
}

std::string UIViewController::describe() const {
  char address[32];
  std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
  return "<" + className() + ": " + address + ">";
}

std::shared_ptr<UIResponder> UIViewController::nextResponder() const {
  if (view_) {
    if (auto superview = view_->superview()) return superview;
  }
  return parentViewController();
}

// The view.

std::shared_ptr<UIView> UIViewController::view() {
  if (!view_ && !loadingView_) {
    // A load that asks for the view again gets nothing rather than recursing.
    loadingView_ = true;
    loadView();
    loadingView_ = false;
    if (!view_) {
      // A replaced loadView that made no view: the controller still needs one.
      loadViewImpl();
    }
    viewDidLoad();
  }
  return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
  if (view_ == view) return;
  if (view_) view_->setViewDelegate({});
  view_ = std::move(view);
  if (view_) view_->setViewDelegate(sharedController());
}

void UIViewController::loadView() {
  send<Methods::LoadView>(this);
}

void UIViewController::viewDidLoad() {
  send<Methods::ViewDidLoad>(this);
}

void UIViewController::loadViewImpl() {
  auto view = std::make_shared<UIView>();
  view->setFrame(UIScreen::mainScreen()->bounds());
  setView(std::move(view));
}

// Appearance.

void UIViewController::viewWillAppear(bool animated) {
  send<Methods::ViewWillAppear>(this, animated);
}

void UIViewController::viewDidAppear(bool animated) {
  send<Methods::ViewDidAppear>(this, animated);
}

void UIViewController::viewWillDisappear(bool animated) {
  send<Methods::ViewWillDisappear>(this, animated);
}

void UIViewController::viewDidDisappear(bool animated) {
  send<Methods::ViewDidDisappear>(this, animated);
}

bool UIViewController::isViewVisible() const {
  return appearState_ == AppearState::Appearing || appearState_ == AppearState::Appeared;
}

void UIViewController::beginAppearanceTransition(bool appearing, bool animated) {
  const auto keep = shared_from_this();
  if (appearing == isViewVisible()) return;
  appearState_ = appearing ? AppearState::Appearing : AppearState::Disappearing;
  appearAnimated_ = animated;
  if (appearing) {
    viewWillAppear(animated);
  } else {
    viewWillDisappear(animated);
  }
  for (const auto& child : std::vector(children_)) {
    if (view_ && child->view_ && child->view_->isDescendantOfView(view_.get())) {
      child->beginAppearanceTransition(appearing, animated);
    }
  }
}

void UIViewController::endAppearanceTransition() {
  const auto keep = shared_from_this();
  if (appearState_ == AppearState::Appearing) {
    appearState_ = AppearState::Appeared;
    viewDidAppear(appearAnimated_);
  } else if (appearState_ == AppearState::Disappearing) {
    appearState_ = AppearState::Disappeared;
    viewDidDisappear(appearAnimated_);
  } else {
    return;
  }
  for (const auto& child : std::vector(children_))
    child->endAppearanceTransition();
}

void UIViewController::setTitle(std::string title) {
  title_ = std::move(title);
  navigationItem()->setTitle(title_);
}

const std::shared_ptr<UINavigationItem>& UIViewController::navigationItem() {
  if (!navigationItem_) {
    navigationItem_ = std::make_shared<UINavigationItem>();
    navigationItem_->setTitle(title_);
  }
  return navigationItem_;
}

// Containment.

void UIViewController::addChildViewController(const std::shared_ptr<UIViewController>& child) {
  if (!child || child.get() == this) return;
  if (child->parentViewController().get() == this) return;
  const auto keep = child;
  child->willMoveToParentViewController(this);
  if (child->parentViewController()) child->removeFromParentViewController();
  children_.push_back(child);
  child->parent_ = sharedController();
}

void UIViewController::removeFromParentViewController() {
  auto parent = parent_.lock();
  if (!parent) return;
  const auto keep = sharedController();
  std::erase(parent->children_, keep);
  parent_.reset();
  didMoveToParentViewController(nullptr);
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
  for (auto parent = parentViewController(); parent; parent = parent->parentViewController()) {
    if (auto navigation = std::dynamic_pointer_cast<UINavigationController>(parent)) {
      return navigation;
    }
  }
  return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::topAncestor() {
  auto top = sharedController();
  while (auto parent = top->parentViewController())
    top = std::move(parent);
  return top;
}

// Presentation.

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const {
  for (auto vc = std::const_pointer_cast<UIViewController>(
           std::static_pointer_cast<const UIViewController>(shared_from_this()));
       vc; vc = vc->parentViewController()) {
    if (auto presenting = vc->presenting_.lock()) return presenting;
  }
  return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::presentedViewController() const {
  for (auto vc = std::const_pointer_cast<UIViewController>(
           std::static_pointer_cast<const UIViewController>(shared_from_this()));
       vc; vc = vc->parentViewController()) {
    if (vc->presented_) return vc->presented_;
  }
  return nullptr;
}

void UIViewController::presentViewController(std::shared_ptr<UIViewController> controller,
                                             bool animated, Completion completion) {
  send<Methods::PresentViewController>(this, std::move(controller), animated,
                                       std::move(completion));
}

void UIViewController::dismissViewControllerAnimated(bool animated, Completion completion) {
  send<Methods::DismissViewController>(this, animated, std::move(completion));
}

void UIViewController::presentViewControllerImpl(std::shared_ptr<UIViewController> controller,
                                                 bool animated, Completion completion) {
  if (!controller) return;
  const auto presenter = topAncestor();
  if (presenter->presented_) {
    NSLog("Warning: Attempt to present " + controller->describe() + " on " + presenter->describe() +
          " which is already presenting " + presenter->presented_->describe());
    return;
  }
  // A controller already on screen, or one of the presenting chain, cannot be presented.
  bool active = controller->parentViewController() || !controller->presenting_.expired() ||
                (controller->view_ && controller->view_->window());
  for (auto p = presenter; p && !active; p = p->presenting_.lock())
    active = p == controller;
  if (active) {
    NSLog("Warning: Application tried to present modally an active controller " +
          controller->describe());
    return;
  }
  const auto window = presenter->view_ ? presenter->view_->window() : nullptr;
  if (!window) {
    NSLog("Warning: Attempt to present " + controller->describe() + " on " + presenter->describe() +
          " whose view is not in the window hierarchy!");
    return;
  }

  presenter->presented_ = controller;
  presenter->transitioning_ = true;
  controller->beingPresented_ = true;
  controller->presenting_ = presenter;
  presentedRegistry().push_back(controller);

  const bool coversPresenter = controller->modalPresentationStyle_ == UIModalPresentationFullScreen;
  const bool fades = controller->modalPresentationStyle_ == UIModalPresentationCustom;
  const auto view = controller->view();
  const CGRect bounds = window->bounds();
  UIView::performWithoutAnimation([&] {
    view->setFrame(bounds);
    view->setAlpha(1);
    if (animated && fades) view->setAlpha(0);
    if (animated && !fades) view->setFrame(bounds.offsetBy(0, bounds.size.height));
  });
  window->addSubview(view);
  if (coversPresenter) presenter->beginAppearanceTransition(false, animated);
  controller->beginAppearanceTransition(true, animated);
  UIView::animateWithDuration(
      animated ? kPresentationDuration : 0,
      [&] {
        view->setFrame(bounds);
        view->setAlpha(1);
      },
      [presenter, controller, coversPresenter, completion = std::move(completion)](bool) {
        presenter->transitioning_ = false;
        controller->beingPresented_ = false;
        if (coversPresenter) presenter->endAppearanceTransition();
        controller->endAppearanceTransition();
        if (completion) completion();
      });
}

void UIViewController::dismissPresentedImmediately(UIViewController& controller) {
  const auto presented = std::exchange(controller.presented_, nullptr);
  if (!presented) return;
  dismissPresentedImmediately(*presented);
  const bool covered = presented->modalPresentationStyle_ == UIModalPresentationFullScreen;
  presented->beginAppearanceTransition(false, false);
  if (covered) controller.beginAppearanceTransition(true, false);
  if (presented->view_) presented->view_->removeFromSuperview();
  presented->presenting_.reset();
  controller.transitioning_ = false;
  forgetPresented(presented.get());
  presented->endAppearanceTransition();
  if (covered) controller.endAppearanceTransition();
}

void UIViewController::dismissViewControllerImpl(bool animated, Completion completion) {
  const auto top = topAncestor();
  auto presenter = top->presented_ ? top : top->presenting_.lock();
  if (!presenter) return;
  if (presenter->transitioning_) {
    NSLog("Warning: Attempt to dismiss from view controller " + presenter->describe() +
          " while a presentation or dismiss is in progress!");
    return;
  }
  const auto controller = presenter->presented_;
  dismissPresentedImmediately(*controller);
  presenter->transitioning_ = true;
  controller->beingDismissed_ = true;

  const bool uncoversPresenter =
      controller->modalPresentationStyle_ == UIModalPresentationFullScreen;
  const bool fades = controller->modalPresentationStyle_ == UIModalPresentationCustom;
  const auto view = controller->view();
  controller->beginAppearanceTransition(false, animated);
  if (uncoversPresenter) presenter->beginAppearanceTransition(true, animated);
  const CGRect frame = view->frame();
  UIView::animateWithDuration(
      animated ? kPresentationDuration : 0,
      [&] {
        if (!animated) return;
        if (fades) {
          view->setAlpha(0);
        } else {
          const auto window = view->window();
          const double height = window ? window->bounds().size.height : frame.size.height;
          view->setFrame(CGRectMake(frame.origin.x, height, frame.size.width, frame.size.height));
        }
      },
      [presenter, controller, uncoversPresenter, completion = std::move(completion)](bool) {
        if (controller->view_) controller->view_->removeFromSuperview();
        if (presenter->presented_ == controller) presenter->presented_.reset();
        controller->presenting_.reset();
        presenter->transitioning_ = false;
        controller->beingDismissed_ = false;
        forgetPresented(controller.get());
        controller->endAppearanceTransition();
        if (uncoversPresenter) presenter->endAppearanceTransition();
        if (completion) completion();
      });
}

void UIViewController::showViewController(std::shared_ptr<UIViewController> controller,
                                          Object* /*sender*/) {
  if (auto navigation = navigationController()) {
    navigation->pushViewController(std::move(controller), true);
  } else {
    presentViewController(std::move(controller), true);
  }
}

void UIViewController::showDetailViewController(std::shared_ptr<UIViewController> controller,
                                                Object* sender) {
  // Without a split view the detail page is shown as any other.
  showViewController(std::move(controller), sender);
}

std::vector<std::shared_ptr<UIViewController>> UIViewController::presentedControllers() {
  std::vector<std::shared_ptr<UIViewController>> out;
  for (const auto& weak : presentedRegistry()) {
    if (auto controller = weak.lock()) out.push_back(std::move(controller));
  }
  return out;
}

// Previewing.

std::shared_ptr<UIViewControllerPreviewing> UIViewController::registerForPreviewingWithDelegate(
    const std::shared_ptr<Object>& delegate, const std::shared_ptr<UIView>& sourceView) {
  if (!delegate || !sourceView) return nullptr;
  auto context = std::make_shared<UIViewControllerPreviewing>();
  context->attach(sharedController(), delegate, sourceView);
  previewing_.push_back(context);
  return context;
}

void UIViewController::unregisterForPreviewingWithContext(
    const std::shared_ptr<UIViewControllerPreviewing>& context) {
  const auto it = std::find(previewing_.begin(), previewing_.end(), context);
  if (it == previewing_.end()) return;
  context->detach();
  previewing_.erase(it);
}

}  // namespace host
