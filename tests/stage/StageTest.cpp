#include <gtest/gtest.h>

#include <numbers>

#include "StageTestSupport.h"
#include "hooks/Vorlan3+Stage.h"
#include "uikit/CALayer.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIViewControllerMethods.h"
#include "uikit/UIVisualEffectView.h"

namespace vorlan::test {
namespace {

constexpr float kTurn = 2 * std::numbers::pi_v<float>;

TEST_F(StageTest, TheStageIsBuiltOnceWithTheSidePagesBetweenTheWallpaperAndTheRootView) {
  auto& s = stage();
  const auto& window = *app->window();
  ASSERT_TRUE(s.wallpaperView && s.configurationScrollView && s.specifierScrollView &&
              s.darkingView);
  const std::vector<std::shared_ptr<host::UIView>> order{s.wallpaperView, s.configurationScrollView,
                                                         s.specifierScrollView, root()};
  EXPECT_EQ(window.subviews(), order);
  EXPECT_EQ(root()->subviews().back(), s.darkingView);
  EXPECT_EQ(s.configurationScrollView->frame(), host::CGRectMake(75, 0, kPage, 667));
  EXPECT_EQ(s.specifierScrollView->frame(), host::CGRectMake(207.5, 0, kMenu, 667));

  // Coming back to the main list reuses everything; the wallpaper stays at the back.
  const auto page = s.configurationScrollView;
  push({cell("x")});
  EXPECT_EQ(s.offsetLink, nullptr);  // the bar handler runs only while the main list shows
  navigation().popViewControllerAnimated(false);
  settle();
  EXPECT_EQ(window.subviews(), order);
  EXPECT_EQ(s.configurationScrollView, page);
  EXPECT_NE(s.offsetLink, nullptr);
}

using StageBeforeLaunchTest = SettingsProcessTest;

TEST_F(StageBeforeLaunchTest, AMainListThatHasARightButtonAlreadyGetsNoGear) {
  // The host puts a right button on the main list as it appears, before the extension's steps.
  using WillAppear = host::MethodsOf<host::UIViewController>::ViewWillAppear::Signature;
  static host::Imp<WillAppear> hostWillAppear;
  host::MSHookMessageEx<WillAppear>(
      host::PSUIPrefsListController::objcClass(), "viewWillAppear:",
      [](host::Object* self, bool animated) {
        dynamic_cast<host::UIViewController&>(*self).navigationItem()->setRightBarButtonItem(
            host::UIBarButtonItem::withTitle("Edit", host::UIBarButtonItemStylePlain));
        hostWillAppear(self, animated);
      },
      &hostWillAppear);
  launch();
  EXPECT_EQ(main()->navigationItem()->rightBarButtonItem()->title(), "Edit");
  EXPECT_EQ(stage().settingsButton, nullptr);
  EXPECT_NE(stage().configurationScrollView, nullptr);  // the rest of the stage is there
}

TEST_F(StageBeforeLaunchTest, UnderATagFilterPagesPresentFromTheMainList) {
  using Present = host::MethodsOf<host::UIViewController>::PresentViewController::Signature;
  static host::Imp<Present> hostPresent;
  static std::vector<host::Object*> presenters;
  host::MSHookMessageEx<Present>(
      host::UIViewController::objcClass(), "presentViewController:animated:completion:",
      [](host::Object* self, std::shared_ptr<host::UIViewController>, bool, std::function<void()>) {
        presenters.push_back(self);
      },
      &hostPresent);
  launch();
  auto page = push({cell("x")});
  const auto present = [](const auto& from) {
    from->presentViewController(std::make_shared<host::UIViewController>(), false);
  };
  present(page);
  stage().isInTagView = true;
  present(page);
  present(main());
  const std::vector<host::Object*> expected{page.get(), main().get(), main().get()};
  EXPECT_EQ(presenters, expected);
}

TEST_F(StageTest, TheGearOpensTheConfigurationPageWithItsBounceAndClosesIt) {
  auto& s = stage();
  const auto gear = s.settingsButton;
  finger->tap(centreOf(*gear->customView()));
  EXPECT_EQ(gear->customView()->alpha(), 0.3);  // dimmed by the tap
  EXPECT_EQ(rootX(), -1.1f * 300.0f);           // past the page's width first
  EXPECT_FLOAT_EQ(gear->angle(), -1.1f * kTurn);
  EXPECT_EQ(application().statusBar()->alpha(), 0);
  host::RunLoop::main().advance(0.35);
  EXPECT_EQ(rootX(), -kPage);  // then back to it
  EXPECT_FLOAT_EQ(gear->angle(), -kTurn);
  settle();
  EXPECT_EQ(s.firstOffset, -kPage);
  EXPECT_EQ(gear->customView()->alpha(), 1);  // the bar handler brought it back
  EXPECT_EQ(s.configurationScrollView->title()->alpha(), 1);

  // A tap on the dimmed root view closes, as the gear would.
  finger->tap({20, 300});
  EXPECT_EQ(rootX(), 0);
  settle();
  EXPECT_EQ(s.firstOffset, 0);
  EXPECT_EQ(application().statusBar()->alpha(), 1);
  EXPECT_EQ(s.configurationScrollView->title()->alpha(), 0);  // ready for the next fade-in
  EXPECT_EQ(gear->angle(), 0);

  // In landscape the gear does nothing.
  application().setStatusBarOrientation(host::UIInterfaceOrientationLandscapeLeft);
  host::send<hooks::stage::SettingsButtonTapped>(main());
  settle();
  EXPECT_EQ(rootX(), 0);
}

TEST_F(StageTest, ScrollingShrinksTheBarFadesTheGearAndHoldsSwipesUntilTheListRests) {
  auto& s = stage();
  const auto table = main()->table();
  const auto& bar = navigation().navigationBar();
  ASSERT_EQ(s.original, 44);
  EXPECT_TRUE(s.canHandlePan);

  table->setContentOffset({0, -64 + 100});  // 100 points down
  frames(1);
  EXPECT_FALSE(s.canHandlePan);
  EXPECT_EQ(bar->frame().size.height, 27.5);
  EXPECT_EQ(s.settingsButton->customView()->alpha(), 0);
  frames(1);
  EXPECT_TRUE(s.canHandlePan);
  EXPECT_EQ(bar->frame().size.height, 27.5);  // never lower

  // Part way into the shrink the bar's new height does not count as scrolling: the list is at
  // rest on the next frame and the bar stays put.
  table->setContentOffset({0, -64 + 40});
  frames(1);
  EXPECT_FALSE(s.canHandlePan);
  frames(1);
  EXPECT_TRUE(s.canHandlePan);
  frames(10);
  EXPECT_TRUE(s.canHandlePan);
  EXPECT_EQ(bar->frame().size.height, 39);

  // Back at the top the bar and the gear come back.
  table->setContentOffset({0, -64});
  frames(30);
  EXPECT_EQ(bar->frame().size.height, 44);
  EXPECT_EQ(s.settingsButton->customView()->alpha(), 1);

  // Leaving the main list gives the bar its height back, in time for the next page's content
  // to start below it, and stops the handler.
  table->setContentOffset({0, -64 + 100});
  frames(2);
  const auto page = push({cell("x")});
  EXPECT_EQ(bar->frame().size.height, 44);
  EXPECT_EQ(page->table()->contentInset().top, 64);
  EXPECT_EQ(s.offsetLink, nullptr);
}

}  // namespace
}  // namespace vorlan::test
