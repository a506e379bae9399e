#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/RunLoop.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UIScrollView.h"
#include "uikit/UIScrollViewDelegate.h"
#include "uikit/UIWindow.h"

namespace host {
namespace {

class Recorder : public UIScrollViewDelegate {
 public:
  void scrollViewDidScroll(UIScrollView&) override { ++scrolls; }
  void scrollViewWillBeginDragging(UIScrollView&) override {
    events.push_back("willBeginDragging");
  }
  void scrollViewWillEndDragging(UIScrollView&, CGPoint, CGPoint& target) override {
    events.push_back("willEndDragging");
    proposed = target;
    if (override) target = *override;
  }
  void scrollViewDidEndDragging(UIScrollView&, bool decelerate) override {
    events.push_back(decelerate ? "didEndDragging decelerating" : "didEndDragging");
  }
  void scrollViewDidEndDecelerating(UIScrollView&) override {
    events.push_back("didEndDecelerating");
  }
  void scrollViewDidEndScrollingAnimation(UIScrollView&) override {
    events.push_back("didEndScrollingAnimation");
  }

  int scrolls = 0;
  std::vector<std::string> events;
  CGPoint proposed;
  std::optional<CGPoint> override;
};

class ScrollViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().reset();
    scroll = std::make_shared<UIScrollView>();
    scroll->setFrame(CGRectMake(0, 0, 320, 480));
    scroll->setContentSize({320, 2000});
    scroll->setDelegate(recorder);
  }

  void drag(CGPoint translation, CGPoint velocity) {
    ASSERT_TRUE(scroll->beginDrag());
    scroll->dragBy(translation);
    scroll->endDrag(velocity);
  }

  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
  std::shared_ptr<UIScrollView> scroll;
};

TEST_F(ScrollViewTest, DragFollowsTheFingerAndBouncesBackFromPastTheTop) {
  EXPECT_TRUE(scroll->clipsToBounds());
  ASSERT_TRUE(scroll->beginDrag());
  EXPECT_TRUE(scroll->isDragging());
  scroll->dragBy({0, -100});
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(0, 100));
  scroll->dragBy({0, 0});
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(0, 0));
  scroll->dragBy({0, 200});  // pulled 200 past the top: the content follows at half speed
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(0, -100));
  scroll->endDrag({0, 0});
  EXPECT_FALSE(scroll->isDragging());
  EXPECT_TRUE(scroll->isDecelerating());
  EXPECT_EQ(recorder->proposed, CGPointMake(0, 0));

  RunLoop::main().advance(2);
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(0, 0));
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_EQ(recorder->events,
            (std::vector<std::string>{"willBeginDragging", "willEndDragging",
                                      "didEndDragging decelerating", "didEndDecelerating"}));
  EXPECT_GT(recorder->scrolls, 5);

  scroll->setBounces(false);
  drag({0, 300}, {0, 0});
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(0, 0));
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_EQ(recorder->events.back(), "didEndDragging");
}

TEST_F(ScrollViewTest, ReleaseGlidesToRestWithinTheScrollableRange) {
  drag({0, -100}, {0, -1000});  // finger flicks up: the content keeps going down
  EXPECT_TRUE(scroll->isDecelerating());
  EXPECT_NEAR(recorder->proposed.y, 600, 1);
  RunLoop::main().advance(0.5);
  const double midway = scroll->contentOffset().y;
  EXPECT_GT(midway, 300);
  EXPECT_LT(midway, 599.5);
  RunLoop::main().advance(5);
  EXPECT_NEAR(scroll->contentOffset().y, 600, 1e-9);
  EXPECT_EQ(std::count(recorder->events.begin(), recorder->events.end(), "didEndDecelerating"), 1);

  drag({0, 0}, {0, -100000});
  RunLoop::main().advance(10);
  EXPECT_EQ(scroll->contentOffset().y, 2000 - 480);  // the largest resting offset

  // The delegate may choose the resting place; answers outside the range are clamped.
  recorder->override = CGPointMake(0, -500);
  drag({0, 50}, {0, 0});
  RunLoop::main().advance(10);
  EXPECT_EQ(scroll->contentOffset().y, 0);

  scroll->setContentInset(UIEdgeInsetsMake(64, 0, 20, 0));
  EXPECT_EQ(scroll->minimumContentOffset(), CGPointMake(0, -64));
  EXPECT_EQ(scroll->maximumContentOffset(), CGPointMake(0, 2000 - 480 + 20));
}

TEST_F(ScrollViewTest, PagingSettlesOnThePageNearestTheOffsetCarriedByTheVelocity) {
  scroll->setContentSize({320 * 5, 480});
  scroll->setPagingEnabled(true);

  drag({-100, 0}, {0, 0});  // a slow drag under half a page falls back
  RunLoop::main().advance(2);
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(0, 0));

  drag({-100, 0}, {-800, 0});  // the same distance, flicked, turns the page
  EXPECT_EQ(recorder->proposed, CGPointMake(320, 0));
  RunLoop::main().advance(2);
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(320, 0));
  EXPECT_EQ(recorder->events.back(), "didEndDecelerating");

  drag({-200, 0}, {-20000, 0});  // at most one page per release
  RunLoop::main().advance(2);
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(640, 0));

  drag({-1000, 0}, {0, 0});  // dragged far past the last page: settles on the last
  RunLoop::main().advance(2);
  EXPECT_EQ(scroll->contentOffset(), CGPointMake(1280, 0));
}

TEST_F(ScrollViewTest, SettingTheOffsetReportsScrollsAndAnimatesOnTheClock) {
  scroll->setContentOffset({0, 100});
  EXPECT_EQ(recorder->scrolls, 1);
  scroll->setContentOffset({0, 100});
  EXPECT_EQ(recorder->scrolls, 1);  // no change, no report

  scroll->setContentOffset({0, 400}, true);
  EXPECT_EQ(scroll->contentOffset().y, 100);
  EXPECT_TRUE(scroll->isScrollingAnimated());
  RunLoop::main().advance(0.15);
  EXPECT_GT(scroll->contentOffset().y, 100);
  EXPECT_LT(scroll->contentOffset().y, 400);
  RunLoop::main().advance(0.2);
  EXPECT_EQ(scroll->contentOffset().y, 400);
  EXPECT_FALSE(scroll->isScrollingAnimated());
  EXPECT_EQ(recorder->events, std::vector<std::string>{"didEndScrollingAnimation"});
  EXPECT_GT(recorder->scrolls, 10);

  // A drag catches a running animation where it is, without its end report.
  scroll->setContentOffset({0, 0}, true);
  RunLoop::main().advance(0.1);
  ASSERT_TRUE(scroll->beginDrag());
  EXPECT_FALSE(scroll->isScrollingAnimated());
  scroll->endDrag({0, 0});
  RunLoop::main().advance(1);
  EXPECT_EQ(
      std::count(recorder->events.begin(), recorder->events.end(), "didEndScrollingAnimation"), 1);

  scroll->setScrollEnabled(false);
  EXPECT_FALSE(scroll->beginDrag());
  EXPECT_FALSE(scroll->panGestureRecognizer()->isEnabled());
}

TEST_F(ScrollViewTest, ItsPanRecognizerDragsTheContentByTouches) {
  auto window = std::make_shared<UIWindow>();
  window->setFrame(CGRectMake(0, 0, 320, 480));
  window->addSubview(scroll);
  window->makeKeyAndVisible();
  EXPECT_EQ(scroll->panGestureRecognizer()->view(), scroll);

  TouchInjector finger(window);
  ASSERT_TRUE(finger.touchDown({160, 400}));
  for (int y = 380; y >= 200; y -= 20) {
    RunLoop::main().advance(0.02);
    finger.touchMove({160, static_cast<double>(y)});
  }
  EXPECT_TRUE(scroll->isDragging());
  EXPECT_NEAR(scroll->contentOffset().y, 200, 1e-9);  // the translation since touch-down
  RunLoop::main().advance(0.02);
  finger.touchUp({160, 200});
  EXPECT_FALSE(scroll->isDragging());
  EXPECT_TRUE(scroll->isDecelerating());  // released while moving at 1000 pt/s
  RunLoop::main().advance(5);
  EXPECT_GT(scroll->contentOffset().y, 300);
  EXPECT_EQ(recorder->events.front(), "willBeginDragging");
  EXPECT_EQ(recorder->events.back(), "didEndDecelerating");
}

}  // namespace
}  // namespace host
