#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "foundation/RunLoop.h"
#include "uikit/CALayer.h"
#include "uikit/TimingCurve.h"
#include "uikit/UIColor.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {
namespace {

constexpr double kEps = 1e-6;

class AnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loop.reset();
    window = std::make_shared<UIWindow>();
    window->setFrame(CGRectMake(0, 0, 375, 667));
    view = std::make_shared<UIView>();
    view->setFrame(CGRectMake(0, 0, 100, 100));
    window->addSubview(view);
  }
  void TearDown() override { loop.reset(); }

  // A completion that records its name and flag.
  std::function<void(bool)> record(std::string name) {
    return [this, name](bool finished) {
      done.push_back(name + (finished ? ":yes" : ":no") + "@" + std::to_string(loop.now()));
    };
  }

  RunLoop& loop = RunLoop::main();
  std::shared_ptr<UIWindow> window;
  std::shared_ptr<UIView> view;
  std::vector<std::string> done;
};

TEST_F(AnimationTest, ModelChangesAtOncePresentationFollowsTheCurve) {
  UIView::animateWithDuration(
      1.0, 0.5, UIViewAnimationOptionCurveEaseIn,
      [&] {
        view->setAlpha(0);
        view->setFrame(CGRectMake(100, 0, 100, 100));
      },
      record("fade"));
  EXPECT_EQ(view->alpha(), 0);
  EXPECT_EQ(view->frame().origin.x, 100);
  EXPECT_TRUE(view->hasRunningAnimations());

  // The delay shows the old values.
  loop.advance(0.25);
  EXPECT_NEAR(view->presentationAlpha(), 1, kEps);
  EXPECT_NEAR(view->presentationFrame().origin.x, 0, kEps);

  // Halfway in time, ease-in has shown less than half the change.
  loop.advance(0.75);
  const double shown = TimingCurve::easeIn().valueAt(0.5);
  EXPECT_LT(shown, 0.4);
  EXPECT_NEAR(view->presentationAlpha(), 1 - shown, kEps);
  EXPECT_NEAR(view->presentationFrame().origin.x, 100 * shown, kEps);
  EXPECT_NEAR(view->presentationCenter().x, 50 + 100 * shown, kEps);
  EXPECT_TRUE(done.empty());

  loop.advance(0.5);
  EXPECT_EQ(done, (std::vector<std::string>{"fade:yes@1.500000"}));
  EXPECT_FALSE(view->hasRunningAnimations());
  EXPECT_EQ(view->presentationAlpha(), 0);
  EXPECT_EQ(view->presentationFrame(), view->frame());
}

TEST_F(AnimationTest, CompletionsRunInOrderAndReportInterruptions) {
  auto other = std::make_shared<UIView>();
  window->addSubview(other);
  UIView::animateWithDuration(
      0.3, [&] { view->setAlpha(0.5); }, record("first"));
  UIView::animateWithDuration(
      0.3, [&] { other->setAlpha(0.5); }, record("second"));
  UIView::animateWithDuration(
      0.1, [] {}, record("nothing"));  // next turn, not after 0.1 s
  UIView::animateWithDuration(
      0,
      [&] {
        other->setCenter({5, 5});
      },
      record("instant"));
  EXPECT_EQ(other->presentationCenter(), (CGPoint{5, 5}));
  loop.runUntilIdle();
  EXPECT_EQ(done, (std::vector<std::string>{"nothing:yes@0.000000", "instant:yes@0.000000"}));
  done.clear();
  loop.advance(0.3);
  EXPECT_EQ(done, (std::vector<std::string>{"first:yes@0.300000", "second:yes@0.300000"}));
  done.clear();

  // A newer animation of the same property starts from what is on screen and replaces the
  // older one, whose block then reports that it did not finish.
  UIView::animateWithDuration(
      1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(1); }, record("up"));
  loop.advance(0.5);
  EXPECT_NEAR(view->presentationAlpha(), 0.75, kEps);
  UIView::animateWithDuration(
      1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(0); }, record("down"));
  EXPECT_NEAR(view->presentationAlpha(), 0.75, kEps);
  loop.advance(0.5);
  EXPECT_NEAR(view->presentationAlpha(), 0.375, kEps);
  EXPECT_EQ(done, (std::vector<std::string>{"up:no@0.800000"}));
  loop.advance(0.5);
  EXPECT_EQ(done, (std::vector<std::string>{"up:no@0.800000", "down:yes@1.800000"}));
}

TEST_F(AnimationTest, ChainedStagesTakeTheirTotalTime) {
  // Two stages, the second started by the first's completion (the panel's grow animation).
  view->setTransform(CGAffineTransform::makeScale(0.01, 0.01));
  UIView::animateWithDuration(
      0.3, 0, UIViewAnimationOptionCurveEaseIn,
      [&] { view->setTransform(CGAffineTransform::makeScale(1.1, 1.1)); },
      [&](bool) {
        UIView::animateWithDuration(
            0.2, 0, UIViewAnimationOptionCurveEaseOut,
            [&] { view->setTransform(CGAffineTransformIdentity); }, record("stage2"));
      });
  loop.advance(0.3);
  EXPECT_NEAR(view->presentationTransform().a, 1.1, kEps);
  loop.advance(0.1);
  EXPECT_NEAR(view->presentationTransform().a, 1.1 - 0.1 * TimingCurve::easeOut().valueAt(0.5),
              kEps);
  loop.advance(0.1);
  EXPECT_EQ(done, (std::vector<std::string>{"stage2:yes@0.500000"}));
  EXPECT_TRUE(view->presentationTransform().isIdentity());
}

TEST_F(AnimationTest, RotationsTurnRatherThanShrink) {
  UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
    view->setTransform(CGAffineTransform::makeRotation(std::numbers::pi / 2));
  });
  loop.advance(0.5);
  const CGAffineTransform t = view->presentationTransform();
  EXPECT_NEAR(std::atan2(t.b, t.a), std::numbers::pi / 4, kEps);
  EXPECT_NEAR(std::hypot(t.a, t.b), 1, kEps);  // component-wise mixing would give 0.707
}

TEST_F(AnimationTest, RemovingAnimationsSnapsToTheModel) {
  UIView::animateWithDuration(
      1.0,
      [&] {
        view->setAlpha(0);
        view->setBackgroundColor(UIColor::blackColor());
      },
      record("fade"));
  loop.advance(0.5);
  EXPECT_GT(view->presentationAlpha(), 0);
  view->layer()->removeAllAnimations();
  EXPECT_EQ(view->presentationAlpha(), 0);
  EXPECT_TRUE(view->presentationBackgroundColor()->isEqual(*UIColor::blackColor()));
  EXPECT_FALSE(view->hasRunningAnimations());
  loop.runUntilIdle();
  EXPECT_EQ(done, (std::vector<std::string>{"fade:no@0.500000"}));
  loop.advance(1);
  EXPECT_EQ(done.size(), 1u);

  // A change outside any block jumps and ends the running animation.
  UIView::animateWithDuration(
      1.0, [&] { view->setAlpha(1); }, record("show"));
  view->setAlpha(0.2);
  EXPECT_EQ(view->presentationAlpha(), 0.2);
  loop.advance(0.1);
  EXPECT_EQ(done.back(), "show:no@1.500000");

  // Leaving the window ends them too.
  UIView::animateWithDuration(
      1.0,
      [&] {
        view->setCenter({0, 0});
      },
      record("move"));
  view->removeFromSuperview();
  loop.advance(0.1);
  EXPECT_EQ(done.back(), "move:no@1.600000");
}

TEST_F(AnimationTest, NestedBlocksRepeatsAndTransitions) {
  auto inner = std::make_shared<UIView>();
  window->addSubview(inner);
  UIView::animateWithDuration(
      1.0,
      [&] {
        view->setAlpha(0);
        UIView::animateWithDuration(
            0.2, [&] { inner->setAlpha(0); }, record("inner"));
        UIView::performWithoutAnimation([&] { inner->setCenter({1, 1}); });
      },
      record("outer"));
  EXPECT_FALSE(inner->layer()->hasAnimation(AnimatedProperty::Position));
  loop.advance(1.0);
  EXPECT_EQ(done, (std::vector<std::string>{"inner:yes@0.200000", "outer:yes@1.000000"}));
  done.clear();

  // Repeating forever never completes until removed; autoreversing comes back.
  UIView::animateWithDuration(
      1.0, 0,
      UIViewAnimationOptionRepeat | UIViewAnimationOptionAutoreverse |
          UIViewAnimationOptionCurveLinear,
      [&] { view->setAlpha(1); }, record("pulse"));
  loop.advance(1.5);
  EXPECT_NEAR(view->presentationAlpha(), 0.5, kEps);
  loop.advance(100.25);
  EXPECT_NEAR(view->presentationAlpha(), 0.25, kEps);
  EXPECT_TRUE(done.empty());
  view->layer()->removeAllAnimations();
  loop.runUntilIdle();
  EXPECT_EQ(done, (std::vector<std::string>{"pulse:no@102.750000"}));
  done.clear();

  // A cross-dissolve changes the model at once and runs as a transition.
  UIView::transitionWithView(
      inner, 0.2, UIViewAnimationOptionTransitionCrossDissolve,
      [&] { inner->setBackgroundColor(UIColor::whiteColor()); }, record("dissolve"));
  EXPECT_TRUE(inner->presentationBackgroundColor()->isEqual(*UIColor::whiteColor()));
  ASSERT_NE(inner->layer()->runningTransition(), nullptr);
  loop.advance(0.2);
  EXPECT_EQ(inner->layer()->runningTransition(), nullptr);
  EXPECT_EQ(done, (std::vector<std::string>{"dissolve:yes@102.950000"}));
}

TEST_F(AnimationTest, AnimationsWithoutInteractionBlockTouchesToTheirSubtree) {
  auto button = std::make_shared<UIView>();
  view->addSubview(button);
  UIView::animateWithDuration(0.5, 0.5, 0, [&] { view->setAlpha(0.5); });
  EXPECT_TRUE(button->isUserInteractionBlockedByAnimation());  // also during the delay
  loop.advance(1.0);
  EXPECT_FALSE(button->isUserInteractionBlockedByAnimation());
  UIView::animateWithDuration(0.5, 0, UIViewAnimationOptionAllowUserInteraction,
                              [&] { view->setAlpha(1); });
  EXPECT_TRUE(view->hasRunningAnimations());
  EXPECT_FALSE(button->isUserInteractionBlockedByAnimation());
}

TEST_F(AnimationTest, FinishedAnimationsReleaseTheirViews) {
  std::weak_ptr<UIView> weakView = view;
  std::weak_ptr<UIWindow> weakWindow = window;
  // The completion keeps the view until it has run.
  UIView::animateWithDuration(
      0.5, [v = view] { v->setAlpha(0); }, [v = view](bool) { v->removeFromSuperview(); });
  auto looping = std::make_shared<UIView>();
  std::weak_ptr<UIView> weakLooping = looping;
  window->addSubview(looping);
  UIView::animateWithDuration(
      1.0, 0, UIViewAnimationOptionRepeat, [&] { looping->setAlpha(0); }, [looping](bool) {});
  looping->removeFromSuperview();
  looping.reset();
  view.reset();
  window.reset();
  EXPECT_FALSE(weakView.expired());
  loop.advance(0.5);
  EXPECT_TRUE(weakView.expired());
  EXPECT_TRUE(weakWindow.expired());
  EXPECT_TRUE(weakLooping.expired());
}

}  // namespace
}  // namespace host
