#include <memory>
#include <string>
#include <vector>

#include "ControllerTestSupport.h"
#include "uikit/UIApplication.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UIColor.h"
#include "uikit/UIDevice.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UINavigationController.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"

namespace host {
namespace {

using Strings = std::vector<std::string>;

class NavigationTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    if (HasFatalFailure()) return;
    root = RecordingController::named("root");
    root->setTitle("Settings");
    navigation = UINavigationController::withRootViewController(root);
    window->setRootViewController(navigation);
    takeLog();
  }

  std::shared_ptr<RecordingController> root;
  std::shared_ptr<UINavigationController> navigation;
};

TEST_F(NavigationTest, PushAndPopSlideWithAppearanceCallsInOrder) {
  auto page = RecordingController::named("page");
  page->setTitle("General");
  navigation->pushViewController(page, true);
  EXPECT_EQ(navigation->viewControllers().size(), 2u);
  EXPECT_EQ(navigation->topViewController(), page);
  EXPECT_EQ(page->navigationController(), navigation);
  EXPECT_EQ(takeLog(), (Strings{"page:didLoad", "root:willDisappear", "page:willAppear"}));
  RunLoop::main().advance(0.2);
  EXPECT_GT(page->view()->presentationFrame().origin.x, 0);  // still sliding in
  EXPECT_TRUE(takeLog().empty());
  RunLoop::main().advance(0.2);
  EXPECT_EQ(takeLog(), (Strings{"root:didDisappear", "page:didAppear"}));
  EXPECT_EQ(root->view()->superview(), nullptr);
  EXPECT_EQ(page->view()->frame(), navigation->view()->bounds());

  // Pushing the same page again, or pushing during a slide, is refused.
  navigation->pushViewController(page, false);
  EXPECT_EQ(navigation->viewControllers().size(), 2u);
  auto third = RecordingController::named("third");
  navigation->pushViewController(third, true);
  navigation->pushViewController(RecordingController::named("fourth"), true);
  EXPECT_EQ(navigation->viewControllers().size(), 3u);
  RunLoop::main().advance(0.4);
  takeLog();

  // Popping to the root: the top page slides out; the page in between never shows.
  EXPECT_EQ(navigation->popToRootViewControllerAnimated(true),
            (std::vector<std::shared_ptr<UIViewController>>{page, third}));
  EXPECT_EQ(navigation->viewControllers().size(), 1u);
  EXPECT_EQ(third->navigationController(), navigation);  // a child until the slide ends
  EXPECT_EQ(takeLog(), (Strings{"third:willDisappear", "root:willAppear"}));
  RunLoop::main().advance(0.4);
  EXPECT_EQ(takeLog(), (Strings{"third:didDisappear", "root:didAppear"}));
  EXPECT_EQ(third->parentViewController(), nullptr);
  EXPECT_EQ(navigation->popViewControllerAnimated(true), nullptr);  // the root stays

  std::weak_ptr<UIViewController> weakThird = third, weakPage = page;
  third.reset();
  page.reset();
  EXPECT_TRUE(weakThird.expired());
  EXPECT_TRUE(weakPage.expired());
}

TEST_F(NavigationTest, TitleViewAndLabelAreReadableAsInstanceVariables) {
  const auto bar = navigation->navigationBar();
  EXPECT_EQ(bar->frame(), CGRectMake(0, 20, 375, 44));
  const auto item = root->navigationItem();
  auto& titleView = MSHookIvar<std::shared_ptr<UIView>>(item, "_defaultTitleView");
  ASSERT_NE(titleView, nullptr);
  auto& label = MSHookIvar<std::shared_ptr<UILabel>>(titleView, "_label");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Settings");
  EXPECT_EQ(titleView->superview(), bar);
  label->setTextAlignment(NSTextAlignment::Center);

  // The title view is centred on the bar; renaming the page renames the label.
  bar->layoutIfNeeded();
  EXPECT_NEAR(titleView->frame().origin.x + titleView->frame().size.width / 2, 187.5, 0.5);
  root->setTitle("Réglages");
  EXPECT_EQ(label->text(), "Réglages");

  // A custom title view takes its place on the bar.
  auto custom = std::make_shared<UIView>();
  custom->setFrame(CGRectMake(0, 0, 100, 30));
  item->setTitleView(custom);
  EXPECT_EQ(custom->superview(), bar);
  EXPECT_EQ(titleView->superview(), nullptr);
  bar->layoutIfNeeded();
  EXPECT_EQ(custom->frame(), CGRectMake(137.5, 7, 100, 30));
}

TEST_F(NavigationTest, BarButtonItemsRunTheirActionsWhileTheTargetLives) {
  auto target = std::make_shared<Object>();
  int taps = 0;
  auto edit = UIBarButtonItem::withBarButtonSystemItem(UIBarButtonSystemItemEdit);
  edit->setTarget(target, [&, weak = std::weak_ptr<Object>(target)](const auto& sender) {
    if (weak.lock()) ++taps;
    EXPECT_EQ(sender->title(), "Edit");
  });
  root->navigationItem()->setRightBarButtonItem(edit, true);
  const auto bar = navigation->navigationBar();
  const auto button = std::dynamic_pointer_cast<UINavigationButton>(edit->view());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->superview(), bar);
  EXPECT_EQ(button->title(), "Edit");
  EXPECT_LT(button->presentationAlpha(), 0.01);  // fading in
  RunLoop::main().advance(0.3);
  EXPECT_DOUBLE_EQ(button->presentationAlpha(), 1);
  bar->layoutIfNeeded();
  EXPECT_NEAR(button->frame().origin.x + button->frame().size.width, 375 - 8, 1e-9);

  button->sendActionsForControlEvents(UIControlEventTouchUpInside);  // a tap
  EXPECT_EQ(taps, 1);
  edit->setEnabled(false);
  edit->sendAction();
  EXPECT_EQ(taps, 1);
  edit->setEnabled(true);
  target.reset();
  edit->sendAction();  // the target is gone
  EXPECT_EQ(taps, 1);

  // A custom view is shown as it is, with its own size; a tint reaches the item's button.
  auto gear = std::make_shared<UIView>();
  gear->setFrame(CGRectMake(0, 0, 30, 30));
  auto item = UIBarButtonItem::withCustomView(gear);
  root->navigationItem()->setRightBarButtonItem(item);
  EXPECT_EQ(button->superview(), nullptr);
  bar->layoutIfNeeded();
  EXPECT_EQ(gear->frame(), CGRectMake(337, 7, 30, 30));
  edit->setTintColor(UIColor::whiteColor());
  EXPECT_TRUE(button->tintColor()->isEqual(*UIColor::whiteColor()));
}

TEST_F(NavigationTest, BackButtonPopsUnlessHiddenOrReplaced) {
  auto page = RecordingController::named("page");
  navigation->pushViewController(page, false);
  RunLoop::main().advance(0.1);
  const auto bar = navigation->navigationBar();
  const auto back = bar->backButton();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->title(), "Settings");
  EXPECT_EQ(back->superview(), bar);
  // The chevron leads, the title follows it inside the button's fitted width.
  EXPECT_TRUE(back->showsBackIndicator());
  back->layoutIfNeeded();
  const CGRect label = back->titleLabel()->frame();
  EXPECT_GT(label.origin.x, 20);
  EXPECT_LE(label.origin.x + label.size.width, back->bounds().size.width);

  page->navigationItem()->setHidesBackButton(true);
  EXPECT_EQ(bar->backButton(), nullptr);
  EXPECT_EQ(back->superview(), nullptr);
  page->navigationItem()->setHidesBackButton(false);
  auto left = UIBarButtonItem::withTitle("Cancel", UIBarButtonItemStylePlain);
  page->navigationItem()->setLeftBarButtonItem(left);
  EXPECT_EQ(bar->backButton(), nullptr);
  EXPECT_EQ(left->view()->superview(), bar);
  page->navigationItem()->setLeftBarButtonItem(nullptr);

  takeLog();
  bar->backButton()->tap();
  EXPECT_EQ(navigation->viewControllers().size(), 1u);
  RunLoop::main().advance(0.4);
  EXPECT_EQ(takeLog(), (Strings{"page:willDisappear", "root:willAppear", "page:didDisappear",
                                "root:didAppear"}));
  EXPECT_EQ(bar->backButton(), nullptr);
  EXPECT_EQ(bar->topItem(), root->navigationItem());
}

TEST_F(NavigationTest, NavigationControllerPresentsForItsPages) {
  auto modal = RecordingController::named("modal");
  root->presentViewController(modal, false);
  EXPECT_EQ(navigation->presentedViewController(), modal);
  EXPECT_EQ(root->presentedViewController(), modal);
  EXPECT_EQ(navigation->visibleViewController(), modal);
  EXPECT_EQ(takeLog(), (Strings{"modal:didLoad", "root:willDisappear", "modal:willAppear"}));
  RunLoop::main().advance(0.1);
  modal->dismissViewControllerAnimated(false);
  RunLoop::main().advance(0.1);
  EXPECT_EQ(navigation->visibleViewController(), root);
}

// A table page under the bar starts below it; turning an iPhone hides the status bar and
// compacts the bar, and the page's inset follows. An iPad keeps both.
TEST(NavigationLayout, ThePageStartsBelowABarThatFollowsTheOrientation) {
  for (const std::string model : {"iPhone", "iPad"}) {
    SCOPED_TRACE(model);
    UIDevice::currentDevice()->setModel(model);
    const auto& application = UIApplication::sharedApplication();
    const auto& screen = UIScreen::mainScreen();
    application->setStatusBarOrientation(UIInterfaceOrientationPortrait);
    screen->setBounds(CGRectMake(0, 0, 375, 667));
    auto window = std::make_shared<UIWindow>();
    window->setFrame(screen->bounds());
    window->makeKeyAndVisible();
    auto page = std::make_shared<UIViewController>();
    auto table = std::make_shared<UITableView>();
    page->setView(table);
    auto navigation = UINavigationController::withRootViewController(page);
    window->setRootViewController(navigation);
    window->layoutIfNeeded();
    EXPECT_EQ(navigation->navigationBar()->frame(), CGRectMake(0, 20, 375, 44));
    EXPECT_EQ(table->contentInset().top, 64);
    EXPECT_EQ(table->contentOffset().y, -64);

    screen->setBounds(CGRectMake(0, 0, 667, 375));
    application->setStatusBarOrientation(UIInterfaceOrientationLandscapeRight);
    window->setFrame(screen->bounds());
    navigation->view()->setFrame(window->bounds());
    window->layoutIfNeeded();
    const bool phone = model == "iPhone";
    EXPECT_EQ(application->isStatusBarHidden(), phone);
    EXPECT_EQ(application->statusBar()->isHidden(), phone);
    EXPECT_EQ(application->statusBarFrame().size.height, phone ? 0 : 20);
    EXPECT_EQ(navigation->navigationBar()->frame(),
              phone ? CGRectMake(0, 0, 667, 32) : CGRectMake(0, 20, 667, 44));
    EXPECT_EQ(table->contentInset().top, phone ? 32 : 64);
    EXPECT_EQ(table->contentOffset().y, phone ? -32 : -64);
  }
}

}  // namespace
}  // namespace host
