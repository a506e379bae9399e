#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "foundation/RunLoop.h"
#include "uikit/CADisplayLink.h"
#include "uikit/UIApplication.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {
namespace {

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().reset(); }
  void TearDown() override { RunLoop::main().reset(); }
};

TEST_F(PlatformTest, DisplayLinksHoldTheirTargetUntilInvalidated) {
  struct Target {
    std::vector<double> frames;
  };
  auto target = std::make_shared<Target>();
  std::weak_ptr<Target> weakTarget = target;
  std::weak_ptr<CADisplayLink> weakLink;
  {
    auto link = CADisplayLink::displayLinkWithTarget([target](CADisplayLink& l) {
      target->frames.push_back(l.timestamp());
      if (target->frames.size() == 3) l.invalidate();  // from inside its own callback
    });
    weakLink = link;
    link->setPaused(true);
    link->addToRunLoop();
    RunLoop::main().advance(0.05);
    EXPECT_TRUE(target->frames.empty());
    link->setPaused(false);
  }
  target.reset();
  RunLoop::main().advance(1.0);
  // The run loop kept the link and its target alive while it ran, and let go after.
  EXPECT_TRUE(weakLink.expired());
  EXPECT_TRUE(weakTarget.expired());
}

TEST_F(PlatformTest, DisplayLinkFramesFollowTheClock) {
  std::vector<double> frames;
  auto link = CADisplayLink::displayLinkWithTarget(
      [&](CADisplayLink& l) { frames.push_back(l.timestamp()); });
  link->addToRunLoop();
  RunLoop::main().advance(0.05);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_NEAR(frames[2] - frames[1], link->duration(), 1e-9);
  link->invalidate();
  link->addToRunLoop();  // an invalidated link stays stopped
  RunLoop::main().advance(0.05);
  EXPECT_EQ(frames.size(), 3u);
}

TEST_F(PlatformTest, ApplicationWindowsStatusBarAndURLs) {
  auto& app = UIApplication::sharedApplication();
  auto first = std::make_shared<UIWindow>();
  auto second = std::make_shared<UIWindow>();
  first->makeKeyAndVisible();
  EXPECT_TRUE(first->isKeyWindow());
  EXPECT_FALSE(first->isHidden());
  second->makeKeyAndVisible();
  first->makeKeyWindow();
  EXPECT_FALSE(second->isKeyWindow());
  EXPECT_EQ(app->windows(), (std::vector{first, second}));
  second.reset();
  EXPECT_EQ(app->windows(), (std::vector{first}));
  first.reset();
  EXPECT_EQ(app->keyWindow(), nullptr);

  UIScreen::mainScreen()->setBounds(CGRectMake(0, 0, 414, 736));
  EXPECT_EQ(app->statusBarFrame(), CGRectMake(0, 0, 414, 20));
  EXPECT_EQ(app->statusBar()->frame(), app->statusBarFrame());
  EXPECT_EQ(app->statusBarOrientation(), UIInterfaceOrientationPortrait);

  EXPECT_FALSE(app->canOpenURL("tweetbot:///user_profile/someone"));
  app->setInstalledURLSchemes({"Tweetbot", "http", "https"});
  EXPECT_TRUE(app->canOpenURL("TWEETBOT:///user_profile/someone"));
  EXPECT_FALSE(app->openURL("twitter://user?screen_name=someone"));
  EXPECT_FALSE(app->openURL("no scheme here"));
  EXPECT_FALSE(app->openURL(":empty"));
  EXPECT_TRUE(app->openURL("https://example.com/follow"));
  EXPECT_EQ(app->openedURLs(), (std::vector<std::string>{"https://example.com/follow"}));
}

}  // namespace
}  // namespace host
