#include <memory>
#include <string>
#include <vector>

#include "ControllerTestSupport.h"
#include "uikit/UIView.h"
#include "uikit/UIViewControllerPreviewing.h"

namespace host {
namespace {

using Strings = std::vector<std::string>;
using PresentSig = void(std::shared_ptr<UIViewController>, bool, std::function<void()>);

TEST_F(ControllerTest, ViewLoadsLazilyThroughAHookedLoadView) {
  // A page class hooks loadView to build its own view, calling the original first.
  Class* page = Runtime::shared().defineClass("LazyPage", RecordingController::objcClass());
  Imp<void()> original;
  int hookCalls = 0;
  MSHookMessageEx<void()>(
      page, "loadView",
      [&](Object* self) {
        ++hookCalls;
        original(self);
        auto* controller = dynamic_cast<UIViewController*>(self);
        auto view = std::make_shared<UIView>();
        view->setTag(7);
        controller->setView(view);
      },
      &original);

  auto controller = std::static_pointer_cast<RecordingController>(page->createInstance());
  controller->name = "page";
  EXPECT_FALSE(controller->isViewLoaded());
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(controller->view()->tag(), 7);
  EXPECT_EQ(controller->view(), controller->view());
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(takeLog(), Strings{"page:didLoad"});
  EXPECT_EQ(controller->view()->nextResponder(), controller);

  // A hook that makes no view still leaves the controller with one; plain controllers are not
  // affected by the subclass's hook.
  Class* broken = Runtime::shared().defineClass("ViewlessPage", UIViewController::objcClass());
  MSHookMessageEx<void()>(
      broken, "loadView", [](Object*) {}, nullptr);
  auto viewless = std::static_pointer_cast<UIViewController>(broken->createInstance());
  EXPECT_NE(viewless->view(), nullptr);
  EXPECT_NE(std::make_shared<UIViewController>()->view()->tag(), 7);
}

TEST_F(ControllerTest, RootControllerFillsTheWindowAndAppears) {
  auto root = RecordingController::named("root");
  window->setRootViewController(root);
  EXPECT_EQ(root->view()->superview(), window);
  EXPECT_EQ(root->view()->frame(), window->bounds());
  EXPECT_EQ(takeLog(), (Strings{"root:didLoad", "root:willAppear", "root:didAppear"}));

  auto other = RecordingController::named("other");
  window->setRootViewController(other);
  EXPECT_EQ(root->view()->superview(), nullptr);
  EXPECT_EQ(takeLog(), (Strings{"root:willDisappear", "root:didDisappear", "other:didLoad",
                                "other:willAppear", "other:didAppear"}));
}

TEST_F(ControllerTest, PresentAndDismissInAppearanceOrder) {
  auto root = RecordingController::named("root");
  window->setRootViewController(root);
  auto modal = RecordingController::named("modal");
  takeLog();

  bool presented = false;
  root->presentViewController(modal, true, [&] { presented = true; });
  EXPECT_EQ(root->presentedViewController(), modal);
  EXPECT_EQ(modal->presentingViewController(), root);
  EXPECT_EQ(modal->view()->superview(), window);
  EXPECT_EQ(takeLog(), (Strings{"modal:didLoad", "root:willDisappear", "modal:willAppear"}));
  // Slides up from the bottom over 0.3 s; the completion comes after the animation.
  RunLoop::main().advance(0.15);
  EXPECT_GT(modal->view()->presentationFrame().origin.y, 0);
  EXPECT_LT(modal->view()->presentationFrame().origin.y, 667);
  EXPECT_FALSE(presented);
  RunLoop::main().advance(0.2);
  EXPECT_TRUE(presented);
  EXPECT_EQ(takeLog(), (Strings{"root:didDisappear", "modal:didAppear"}));
  EXPECT_EQ(UIViewController::presentedControllers(),
            std::vector<std::shared_ptr<UIViewController>>{modal});

  // The presented controller dismisses itself.
  bool dismissed = false;
  modal->dismissViewControllerAnimated(true, [&] { dismissed = true; });
  EXPECT_EQ(takeLog(), (Strings{"modal:willDisappear", "root:willAppear"}));
  RunLoop::main().advance(0.35);
  EXPECT_TRUE(dismissed);
  EXPECT_EQ(takeLog(), (Strings{"modal:didDisappear", "root:didAppear"}));
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(modal->view()->superview(), nullptr);
  EXPECT_TRUE(UIViewController::presentedControllers().empty());

  // Released once nothing holds it: the presentation kept no references.
  std::weak_ptr<UIViewController> weakModal = modal;
  modal.reset();
  EXPECT_TRUE(weakModal.expired());
}

TEST_F(ControllerTest, PresentingTwiceOrOffScreenIsRefusedWithAWarning) {
  auto root = RecordingController::named("root");
  window->setRootViewController(root);
  auto first = RecordingController::named("first");
  auto second = RecordingController::named("second");
  root->presentViewController(first, false);
  bool ran = false;
  root->presentViewController(second, false, [&] { ran = true; });
  RunLoop::main().advance(0.1);
  EXPECT_FALSE(ran);
  EXPECT_EQ(root->presentedViewController(), first);
  EXPECT_EQ(second->presentingViewController(), nullptr);
  const auto lines = Log::lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.back().find("which is already presenting"), std::string::npos);

  // A controller cannot present itself or an ancestor of the presenting chain.
  first->presentViewController(root, false);
  EXPECT_EQ(first->presentedViewController(), nullptr);
  // A controller whose view is not in a window cannot present.
  auto loose = RecordingController::named("loose");
  loose->presentViewController(second, false);
  EXPECT_EQ(loose->presentedViewController(), nullptr);
  EXPECT_NE(Log::lines().back().find("not in the window hierarchy"), std::string::npos);

  // Dismissing from the root takes down everything presented above it at once.
  first->presentViewController(second, false);
  RunLoop::main().advance(0.1);
  takeLog();
  root->dismissViewControllerAnimated(false);
  RunLoop::main().advance(0.1);
  EXPECT_EQ(second->view()->superview(), nullptr);
  EXPECT_EQ(first->view()->superview(), nullptr);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(takeLog().back(), "root:didAppear");
}

TEST_F(ControllerTest, PresentHookOnUIViewControllerReachesSubclassesAndCanCallTheOriginal) {
  auto root = RecordingController::named("root");
  window->setRootViewController(root);
  std::vector<std::string> seen;
  Imp<PresentSig> original;
  bool redirect = false;
  auto target = RecordingController::named("target");
  MSHookMessageEx<PresentSig>(
      UIViewController::objcClass(), "presentViewController:animated:completion:",
      [&](Object* self, std::shared_ptr<UIViewController> controller, bool animated,
          std::function<void()> completion) {
        seen.push_back(self->className());
        Object* from = redirect ? static_cast<Object*>(target.get()) : self;
        original(from, std::move(controller), animated, std::move(completion));
      },
      &original);

  auto modal = RecordingController::named("modal");
  root->presentViewController(modal, false);  // a subclass: the hook on the base applies
  EXPECT_EQ(seen, Strings{"RecordingController"});
  EXPECT_EQ(root->presentedViewController(), modal);
  RunLoop::main().advance(0.1);
  modal->dismissViewControllerAnimated(false);
  RunLoop::main().advance(0.1);

  // The hook can present from another controller instead.
  window->setRootViewController(target);
  redirect = true;
  auto next = RecordingController::named("next");
  root->presentViewController(next, false);
  EXPECT_EQ(target->presentedViewController(), next);
  EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(ControllerTest, ChildrenGetTheParentsAppearanceCalls) {
  auto parent = RecordingController::named("parent");
  auto child = RecordingController::named("child");
  auto hidden = RecordingController::named("hidden");
  parent->addChildViewController(child);
  parent->addChildViewController(hidden);  // its view is never added: no appearance calls
  parent->view()->addSubview(child->view());
  child->didMoveToParentViewController(parent.get());
  takeLog();
  window->setRootViewController(parent);
  EXPECT_EQ(takeLog(), (Strings{"parent:willAppear", "child:willAppear", "parent:didAppear",
                                "child:didAppear"}));
  EXPECT_EQ(child->parentViewController(), parent);
  child->removeFromParentViewController();
  EXPECT_EQ(parent->childViewControllers(), std::vector<std::shared_ptr<UIViewController>>{hidden});
}

// A page that answers the previewing delegate's selectors, added by name as the extension does.
TEST_F(ControllerTest, PreviewingRegistrationAndASimulatedPeek) {
  Class* pageClass = Runtime::shared().defineClass("PeekingPage", UIViewController::objcClass());
  auto preview = RecordingController::named("preview");
  CGPoint asked{};
  std::shared_ptr<UIViewController> committed;
  class_addMethod<std::shared_ptr<UIViewController>(std::shared_ptr<UIViewControllerPreviewing>,
                                                    CGPoint)>(
      pageClass, "previewingContext:viewControllerForLocation:",
      [&](Object*, std::shared_ptr<UIViewControllerPreviewing> context, CGPoint location) {
        asked = location;
        context->setSourceRect(CGRectMake(0, 44, 375, 44));
        return std::static_pointer_cast<UIViewController>(preview);
      },
      "@@:@{CGPoint=dd}");
  class_addMethod<void(std::shared_ptr<UIViewControllerPreviewing>,
                       std::shared_ptr<UIViewController>)>(
      pageClass, "previewingContext:commitViewController:",
      [&](Object*, std::shared_ptr<UIViewControllerPreviewing>,
          std::shared_ptr<UIViewController> page) { committed = std::move(page); },
      "v@:@@");

  auto page = std::static_pointer_cast<UIViewController>(pageClass->createInstance());
  ASSERT_TRUE(respondsToSelector(page->traitCollection().get(), "forceTouchCapability"));
  EXPECT_EQ(msgSend<long()>(page->traitCollection(), "forceTouchCapability"),
            UIForceTouchCapabilityAvailable);
  auto table = std::make_shared<UIView>();
  const auto context = page->registerForPreviewingWithDelegate(page, table);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->sourceView(), table);
  EXPECT_EQ(UIViewControllerPreviewing::registeredContexts().size(), 1u);

  EXPECT_EQ(context->peek(CGPointMake(10, 60)), preview);
  EXPECT_EQ(asked, CGPointMake(10, 60));
  EXPECT_EQ(context->sourceRect(), CGRectMake(0, 44, 375, 44));
  EXPECT_TRUE(context->commit());
  EXPECT_EQ(committed, preview);
  EXPECT_FALSE(context->commit());  // nothing left to commit

  // Without pressure-sensitive touch nothing peeks.
  UITraitCollection::setDeviceForceTouchCapability(UIForceTouchCapabilityUnavailable);
  EXPECT_EQ(context->peek(CGPointMake(10, 60)), nullptr);
  UITraitCollection::setDeviceForceTouchCapability(UIForceTouchCapabilityAvailable);

  // The page holds the context, which does not hold the page.
  std::weak_ptr<UIViewController> weakPage = page;
  page.reset();
  EXPECT_TRUE(weakPage.expired());
  EXPECT_TRUE(UIViewControllerPreviewing::registeredContexts().empty());
  EXPECT_EQ(context->peek(CGPointMake(10, 60)), nullptr);
}

}  // namespace
}  // namespace host
