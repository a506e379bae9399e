#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TouchFixture.h"
#include "runtime/Runtime.h"
#include "uikit/UIEvent.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UISwipeGestureRecognizer.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UITouch.h"
#include "uikit/UIViewAnimation.h"

namespace host {
namespace {

// A view that logs the touches delivered to it.
class LoggingView : public UIView {
 public:
  void touchesBegan(const UITouchSet&, UIEvent*) override { log += "began "; }
  void touchesMoved(const UITouchSet&, UIEvent*) override { log += "moved "; }
  void touchesEnded(const UITouchSet&, UIEvent*) override { log += "ended "; }
  void touchesCancelled(const UITouchSet&, UIEvent*) override { log += "cancelled "; }
  std::string log;
};

class Simultaneous : public UIGestureRecognizerDelegate {
 public:
  bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
      UIGestureRecognizer&, UIGestureRecognizer&) override {
    return true;
  }
};

// The extension's way of using a pan: a subclass that is its own delegate and refuses to run
// together with recognisers of one particular view.
class ExclusivePan : public UIPanGestureRecognizer, public UIGestureRecognizerDelegate {
 public:
  static Class* objcClass() {
    static Class* const cls = Runtime::shared().defineClass(
        "ExclusiveTestPan", UIPanGestureRecognizer::objcClass(), factoryFor<ExclusivePan>());
    return cls;
  }
  explicit ExclusivePan(Class* cls = objcClass()) : UIPanGestureRecognizer(cls) {}

  bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
      UIGestureRecognizer&, UIGestureRecognizer& other) override {
    return other.view() != exclusiveOf.lock();
  }
  std::weak_ptr<UIView> exclusiveOf;
};

using GestureTest = TouchFixture;

TEST_F(GestureTest, TapRecognisesOnLiftAndFailsWhenTheFingerStraysOrStays) {
  auto view = addView({10, 10, 200, 200});
  auto tap = std::make_shared<UITapGestureRecognizer>();
  std::string log;
  record(*tap, log);
  view->addGestureRecognizer(tap);

  finger->touchDown({50, 50});
  EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);
  finger->touchMove({55, 55});  // within the allowance
  finger->touchUp({55, 55});
  EXPECT_EQ(log, "E");
  EXPECT_EQ(tap->state(), UIGestureRecognizerStateRecognized);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);

  RunLoop::main().advance(1);
  finger->touchDown({50, 50});
  finger->touchMove({50, 65});
  EXPECT_EQ(tap->state(), UIGestureRecognizerStateFailed);
  finger->touchUp({50, 50});  // coming back does not help
  EXPECT_EQ(log, "E");

  RunLoop::main().advance(1);
  finger->touchDown({50, 50});
  RunLoop::main().advance(UITapGestureRecognizer::kMaximumTapDuration + 0.1);
  finger->touchUp({50, 50});
  EXPECT_EQ(log, "E");
  EXPECT_EQ(tap->locationInView(view.get()).x, 40);
}

TEST_F(GestureTest, DoubleTapCountsTapsInQuickSuccession) {
  auto view = addView({0, 0, 320, 480});
  auto doubleTap = std::make_shared<UITapGestureRecognizer>();
  doubleTap->setNumberOfTapsRequired(2);
  std::string log;
  record(*doubleTap, log);
  view->addGestureRecognizer(doubleTap);

  finger->tap({100, 100});
  EXPECT_EQ(log, "");
  RunLoop::main().advance(0.2);
  finger->tap({105, 100});
  EXPECT_EQ(log, "E");
  RunLoop::main().advance(1);  // too late for a third
  finger->tap({100, 100});
  RunLoop::main().advance(0.2);
  finger->tap({200, 300});  // too far from the last
  EXPECT_EQ(log, "E");
}

TEST_F(GestureTest, PanReportsTranslationAndVelocityThroughItsStates) {
  auto view = addView({0, 0, 320, 480});
  auto inner = addView({100, 100, 100, 100}, view);
  inner->setTransform(CGAffineTransform::makeScale(2, 2));
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  std::string log;
  record(*pan, log);
  view->addGestureRecognizer(pan);

  finger->touchDown({50, 50});
  RunLoop::main().advance(0.1);
  finger->touchMove({55, 50});  // below the hysteresis
  EXPECT_EQ(pan->state(), UIGestureRecognizerStatePossible);
  // 60 points a second along x, one display frame at a time.
  for (int i = 1; i <= 30; ++i) {
    RunLoop::main().advance(1.0 / 60);
    finger->touchMove({55.0 + i, 50});
  }
  EXPECT_EQ(log.substr(0, 2), "BC");
  EXPECT_EQ(pan->translationInView(view.get()).x, 35);     // from touch-down
  EXPECT_EQ(pan->translationInView(inner.get()).x, 17.5);  // the inner view is twice as large
  EXPECT_NEAR(pan->velocityInView(nullptr).x, 60, 1e-3);
  EXPECT_NEAR(pan->velocityInView(nullptr).y, 0, 1e-9);

  pan->setTranslation({0, 0}, view.get());
  RunLoop::main().advance(1.0 / 60);
  finger->touchMove({95, 60});
  EXPECT_EQ(pan->translationInView(view.get()).x, 10);
  EXPECT_EQ(pan->translationInView(view.get()).y, 10);

  // Holding still before lifting leaves no speed.
  RunLoop::main().advance(0.5);
  finger->touchUp({95, 60});
  EXPECT_EQ(log.back(), 'E');
  EXPECT_EQ(log.find_first_not_of('C', 1), log.size() - 1);
  EXPECT_EQ(pan->velocityInView(view.get()).x, 0);
  EXPECT_EQ(pan->locationInView(view.get()).x, 95);
}

TEST_F(GestureTest, PanNeedingMoreFingersThanOneNeverBegins) {
  auto view = addView({0, 0, 320, 480});
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  pan->setMinimumNumberOfTouches(2);
  std::string log;
  record(*pan, log);
  view->addGestureRecognizer(pan);
  dragBy({50, 50}, 100, 0, 10);
  finger->touchUp({150, 50});
  EXPECT_EQ(log, "");
}

TEST_F(GestureTest, SwipeRecognisesOnlyQuickStrokesInItsDirections) {
  auto view = addView({0, 0, 320, 480});
  auto swipe = std::make_shared<UISwipeGestureRecognizer>();
  swipe->setDirection(UISwipeGestureRecognizerDirectionLeft | UISwipeGestureRecognizerDirectionUp);
  int swipes = 0;
  swipe->addTarget([&swipes](const auto&) { ++swipes; });
  view->addGestureRecognizer(swipe);

  dragBy({200, 200}, -80, 10, 8);  // left, slightly down
  EXPECT_EQ(swipes, 1);
  finger->touchUp({120, 210});
  RunLoop::main().advance(1);

  dragBy({200, 200}, 0, -80, 8);  // up
  finger->touchUp({200, 120});
  EXPECT_EQ(swipes, 2);
  RunLoop::main().advance(1);

  dragBy({100, 200}, 80, 0, 8);  // right is not allowed
  EXPECT_EQ(swipe->state(), UIGestureRecognizerStateFailed);
  finger->touchUp({180, 200});
  RunLoop::main().advance(1);

  dragBy({200, 200}, -60, -60, 8);  // diagonal: too far off either axis
  finger->touchUp({140, 140});
  RunLoop::main().advance(1);

  dragBy({200, 200}, -80, 0, 60);  // a whole second: too slow
  finger->touchUp({120, 200});
  EXPECT_EQ(swipes, 2);
}

TEST_F(GestureTest, RecognisingFailsTheOthersUnlessADelegateAllowsBoth) {
  auto outer = addView({0, 0, 320, 480});
  auto inner = addView({0, 0, 320, 240}, outer);
  auto innerPan = std::make_shared<UIPanGestureRecognizer>();
  auto outerPan = std::make_shared<UIPanGestureRecognizer>();
  std::string innerLog, outerLog;
  record(*innerPan, innerLog);
  record(*outerPan, outerLog);
  inner->addGestureRecognizer(innerPan);
  outer->addGestureRecognizer(outerPan);

  // Innermost first: the inner pan wins and the outer one fails.
  dragBy({100, 100}, 40, 0, 4);
  finger->touchUp({140, 100});
  EXPECT_EQ(innerLog, "BCCCE");
  EXPECT_EQ(outerLog, "");

  // A delegate on either side lets both run.
  RunLoop::main().advance(1);
  auto both = std::make_shared<Simultaneous>();
  outerPan->setDelegate(both);
  innerLog.clear();
  dragBy({100, 100}, 40, 0, 4);
  finger->touchUp({140, 100});
  EXPECT_EQ(innerLog, "BCCCE");
  EXPECT_EQ(outerLog, "BCCCE");
}

TEST_F(GestureTest, PanSubclassAsItsOwnDelegateRunsBesideAllButOneView) {
  // A cell's pan runs together with the table's scrolling but never with the root view's pan.
  auto root = addView({0, 0, 320, 480});
  auto table = addView({0, 0, 320, 480}, root);
  auto cell = addView({0, 0, 320, 44}, table);
  auto cellPan = std::make_shared<ExclusivePan>();
  cellPan->setDelegate(cellPan);
  cellPan->exclusiveOf = root;
  auto tablePan = std::make_shared<UIPanGestureRecognizer>();
  auto rootPan = std::make_shared<UIPanGestureRecognizer>();
  std::string cellLog, tableLog, rootLog;
  record(*cellPan, cellLog);
  record(*tablePan, tableLog);
  record(*rootPan, rootLog);
  cell->addGestureRecognizer(cellPan);
  table->addGestureRecognizer(tablePan);
  root->addGestureRecognizer(rootPan);

  dragBy({100, 20}, -40, 0, 4);
  finger->touchUp({60, 20});
  EXPECT_EQ(cellLog, "BCCCE");
  EXPECT_EQ(tableLog, "BCCCE");
  EXPECT_EQ(rootLog, "");
  EXPECT_TRUE(cellPan->isKindOfClass(UIPanGestureRecognizer::objcClass()));
  EXPECT_EQ(cellPan->className(), "ExclusiveTestPan");
}

TEST_F(GestureTest, ARecogniserWaitsForTheOneItRequiresToFail) {
  auto view = addView({0, 0, 320, 480});
  auto swipe = std::make_shared<UISwipeGestureRecognizer>();
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  pan->requireGestureRecognizerToFail(swipe);
  std::string panLog;
  int swipes = 0;
  record(*pan, panLog);
  swipe->addTarget([&swipes](const auto&) { ++swipes; });
  view->addGestureRecognizer(pan);
  view->addGestureRecognizer(swipe);

  // A slow drag: the swipe fails once its time is up, and the pan begins then.
  dragBy({100, 100}, 40, 0, 40);
  finger->touchUp({140, 100});
  EXPECT_EQ(swipes, 0);
  EXPECT_EQ(panLog.front(), 'B');
  EXPECT_EQ(panLog.back(), 'E');

  // A quick stroke: the swipe recognises and the pan never begins.
  RunLoop::main().advance(1);
  panLog.clear();
  dragBy({100, 100}, 80, 0, 4);
  finger->touchUp({180, 100});
  EXPECT_EQ(swipes, 1);
  EXPECT_EQ(panLog, "");
}

TEST_F(GestureTest, RecognisedGestureTakesTheTouchesFromTheView) {
  auto view = std::make_shared<LoggingView>();
  view->setFrame({0, 0, 320, 480});
  window->addSubview(view);
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  view->addGestureRecognizer(pan);

  dragBy({100, 100}, 30, 0, 3);
  finger->touchUp({130, 100});
  EXPECT_EQ(view->log, "began cancelled ");

  view->log.clear();
  pan->setCancelsTouchesInView(false);
  RunLoop::main().advance(1);
  dragBy({100, 100}, 30, 0, 3);
  finger->touchUp({130, 100});
  EXPECT_EQ(view->log, "began moved moved moved ended ");

  // Held back until the recogniser fails.
  view->log.clear();
  auto tap = std::make_shared<UITapGestureRecognizer>();
  tap->setDelaysTouchesBegan(true);
  view->addGestureRecognizer(tap);
  RunLoop::main().advance(1);
  finger->touchDown({100, 100});
  EXPECT_EQ(view->log, "");
  finger->touchMove({100, 130});
  EXPECT_EQ(view->log, "began moved ");
}

TEST_F(GestureTest, DisabledOrRefusingRecognisersDoNothing) {
  auto view = addView({0, 0, 320, 480});
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  std::string log;
  record(*pan, log);
  view->addGestureRecognizer(pan);

  pan->setEnabled(false);
  dragBy({100, 100}, 40, 0, 4);
  finger->touchUp({140, 100});
  EXPECT_EQ(log, "");
  pan->setEnabled(true);

  // Turning it off mid-gesture cancels it; the rest of the drag is ignored.
  RunLoop::main().advance(1);
  dragBy({100, 100}, 40, 0, 4);
  pan->setEnabled(false);
  EXPECT_EQ(log, "BCCCX");
  finger->touchMove({200, 100});
  finger->touchUp({200, 100});
  EXPECT_EQ(log, "BCCCX");
  pan->setEnabled(true);

  // A delegate refusing to begin makes it fail.
  class NoBegin : public UIGestureRecognizerDelegate {
    bool gestureRecognizerShouldBegin(UIGestureRecognizer&) override { return false; }
  };
  auto noBegin = std::make_shared<NoBegin>();
  pan->setDelegate(noBegin);
  log.clear();
  RunLoop::main().advance(1);
  dragBy({100, 100}, 40, 0, 4);
  EXPECT_EQ(pan->state(), UIGestureRecognizerStateFailed);
  finger->touchUp({140, 100});
  EXPECT_EQ(log, "");
}

TEST_F(GestureTest, HitTestingSkipsHiddenAndAnimatingViews) {
  auto back = std::make_shared<LoggingView>();
  back->setFrame({0, 0, 320, 480});
  window->addSubview(back);
  auto front = std::make_shared<LoggingView>();
  front->setFrame({0, 0, 320, 480});
  window->addSubview(front);

  front->setHidden(true);
  finger->tap({10, 10});
  EXPECT_EQ(back->log, "began ended ");
  EXPECT_EQ(front->log, "");

  back->log.clear();
  front->setHidden(false);
  UIView::animateWithDuration(1, [&] { front->setAlpha(0.5); });
  finger->tap({10, 10});
  EXPECT_EQ(back->log, "began ended ");

  RunLoop::main().advance(1.05);  // the animation is over
  UIView::animateWithDuration(1, 0, UIViewAnimationOptionAllowUserInteraction,
                              [&] { front->setAlpha(0.9); });
  finger->tap({10, 10});
  EXPECT_EQ(front->log, "began ended ");

  // A touch stays with the view it came down on, even outside it.
  front->log.clear();
  front->setFrame({0, 0, 100, 100});
  finger->touchDown({10, 10});
  finger->touchMove({300, 400});
  finger->touchUp({300, 400});
  EXPECT_EQ(front->log, "began moved ended ");
}

TEST_F(GestureTest, UnhandledTouchesGoUpTheResponderChain) {
  auto parent = std::make_shared<LoggingView>();
  parent->setFrame({0, 0, 320, 480});
  window->addSubview(parent);
  auto child = addView({10, 10, 50, 50}, parent);
  finger->touchDown({20, 20});
  EXPECT_EQ(finger->currentTouch()->view(), child);
  finger->touchCancel();
  EXPECT_EQ(parent->log, "began cancelled ");
}

TEST_F(GestureTest, RecognisersAndTargetsAreNotKeptAlive) {
  std::weak_ptr<UIGestureRecognizer> weakPan;
  std::weak_ptr<Object> weakTarget;
  std::weak_ptr<UIView> weakView;
  int calls = 0;
  {
    auto view = addView({0, 0, 320, 480});
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    auto target = std::make_shared<Object>();
    pan->addTarget(target, [&calls](const auto&) { ++calls; });
    view->addGestureRecognizer(pan);
    weakPan = pan;
    weakTarget = target;
    weakView = view;
    target.reset();
    EXPECT_TRUE(weakTarget.expired());  // the recogniser holds its target weakly
    dragBy({100, 100}, 40, 0, 4);
    EXPECT_EQ(calls, 0);  // a target that is gone gets no actions
    view->removeFromSuperview();
  }
  // The finger still holds the touch, and the touch its view, until it lifts.
  EXPECT_FALSE(weakView.expired());
  finger->touchUp({140, 100});
  EXPECT_TRUE(weakView.expired());
  EXPECT_TRUE(weakPan.expired());
}

}  // namespace
}  // namespace host
