#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "foundation/RunLoop.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {
namespace {

constexpr double kEps = 1e-9;

std::shared_ptr<UIView> makeView(const CGRect& frame) {
  auto view = std::make_shared<UIView>();
  view->setFrame(frame);
  return view;
}

void expectPointNear(const CGPoint& actual, const CGPoint& expected) {
  EXPECT_NEAR(actual.x, expected.x, kEps);
  EXPECT_NEAR(actual.y, expected.y, kEps);
}

// A view that reports its hierarchy notifications and layout passes.
class RecordingView : public UIView {
 public:
  static Class* objcClass() {
    static Class* const cls = Runtime::shared().defineClass(
        "RecordingTestView", UIView::objcClass(), factoryFor<RecordingView>());
    return cls;
  }
  explicit RecordingView(Class* cls = objcClass()) : UIView(cls) {}

  void willMoveToWindow(UIWindow* window) override {
    events.push_back(window ? "willMoveToWindow" : "willLeaveWindow");
  }
  void didMoveToWindow() override {
    UIView::didMoveToWindow();
    events.push_back(this->window() ? "didMoveToWindow" : "didLeaveWindow");
  }
  void didMoveToSuperview() override { events.push_back("didMoveToSuperview"); }

  std::vector<std::string> events;
  int layouts = 0;

 protected:
  void layoutSubviewsImpl() override { ++layouts; }
};

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().reset(); }
  void TearDown() override { RunLoop::main().reset(); }
};

TEST_F(ViewTest, SubviewOrderAndReparenting) {
  auto root = makeView(CGRectMake(0, 0, 100, 100));
  auto a = makeView(CGRectZero), b = makeView(CGRectZero), c = makeView(CGRectZero);
  root->addSubview(a);
  root->addSubview(b);
  root->insertSubview(c, 99);  // past the end: at the end
  root->insertSubviewBelowSubview(c, a);
  EXPECT_EQ(root->subviews(), (std::vector{c, a, b}));
  root->insertSubviewAboveSubview(c, b);
  EXPECT_EQ(root->subviews(), (std::vector{a, b, c}));
  root->sendSubviewToBack(b);
  root->exchangeSubviewAtIndex(1, 2);
  root->exchangeSubviewAtIndex(0, 7);  // ignored
  EXPECT_EQ(root->subviews(), (std::vector{b, c, a}));
  root->addSubview(b);  // again: brought to the front
  EXPECT_EQ(root->subviews(), (std::vector{c, a, b}));
  root->insertSubviewAboveSubview(c, a);
  EXPECT_EQ(root->subviews(), (std::vector{a, c, b}));
  // Passing an entry of subviews() itself is safe although the entries move.
  root->sendSubviewToBack(root->subviews()[2]);
  root->bringSubviewToFront(root->subviews()[0]);
  EXPECT_EQ(root->subviews(), (std::vector{a, c, b}));
  root->insertSubview(root->subviews()[0], 1);
  EXPECT_EQ(root->subviews(), (std::vector{c, a, b}));

  // Moving a view takes it from its old superview.
  a->addSubview(b);
  EXPECT_EQ(root->subviews(), (std::vector{c, a}));
  EXPECT_EQ(b->superview(), a);
  EXPECT_TRUE(b->isDescendantOfView(root.get()));
  b->setTag(7);
  EXPECT_EQ(root->viewWithTag(7), b);
  EXPECT_EQ(root->viewWithTag(8), nullptr);

  // A view cannot become a subview of itself or of its own subview.
  b->addSubview(root);
  a->addSubview(a);
  EXPECT_EQ(root->superview(), nullptr);
  EXPECT_EQ(a->superview(), root);
  EXPECT_TRUE(b->subviews().empty());

  b->removeFromSuperview();
  EXPECT_EQ(b->superview(), nullptr);
  EXPECT_TRUE(a->subviews().empty());
  b->removeFromSuperview();  // harmless
}

TEST_F(ViewTest, WindowMovesAreAnnouncedToTheWholeSubtree) {
  auto window = std::make_shared<UIWindow>();
  auto parent = std::make_shared<RecordingView>();
  auto child = std::make_shared<RecordingView>();
  parent->addSubview(child);
  EXPECT_EQ(child->window(), nullptr);
  window->addSubview(parent);
  EXPECT_EQ(child->window(), window);
  EXPECT_EQ(window->window(), window);
  parent->removeFromSuperview();
  EXPECT_EQ(parent->events,
            (std::vector<std::string>{"willMoveToWindow", "didMoveToWindow", "didMoveToSuperview",
                                      "willLeaveWindow", "didLeaveWindow", "didMoveToSuperview"}));
  EXPECT_EQ(child->events,
            (std::vector<std::string>{"didMoveToSuperview", "willMoveToWindow", "didMoveToWindow",
                                      "willLeaveWindow", "didLeaveWindow"}));
}

TEST_F(ViewTest, FrameIsTheBoundingBoxOfTheTransformedBounds) {
  auto view = makeView(CGRectMake(10, 20, 100, 50));
  EXPECT_EQ(view->center(), (CGPoint{60, 45}));
  view->setTransform(CGAffineTransform::makeScale(2, 0.5));
  EXPECT_EQ(view->frame(), CGRectMake(-40, 32.5, 200, 25));
  EXPECT_EQ(view->bounds(), CGRectMake(0, 0, 100, 50));

  // A frame set under a scale keeps the scale and sizes the bounds to match.
  view->setFrame(CGRectMake(0, 0, 40, 10));
  EXPECT_EQ(view->frame(), CGRectMake(0, 0, 40, 10));
  EXPECT_EQ(view->bounds().size, (CGSize{20, 20}));
  EXPECT_EQ(view->transform(), CGAffineTransform::makeScale(2, 0.5));

  // Under a rotation only the frame's place can follow; the bounds keep their size.
  view->setTransform(CGAffineTransform::makeRotation(std::numbers::pi / 2));
  view->setFrame(CGRectMake(100, 100, 1, 1));
  EXPECT_EQ(view->bounds().size, (CGSize{20, 20}));
  expectPointNear(view->center(), {100.5, 100.5});

  // The anchor point is the point the transform turns about.
  auto anchored = makeView(CGRectMake(0, 0, 10, 10));
  anchored->layer()->setAnchorPoint({0, 0});
  anchored->setCenter({0, 0});
  anchored->setTransform(CGAffineTransform::makeScale(3, 3));
  EXPECT_EQ(anchored->frame(), CGRectMake(0, 0, 30, 30));
}

TEST_F(ViewTest, PointsConvertThroughTransformsAndScrolledBounds) {
  auto window = std::make_shared<UIWindow>();
  window->setFrame(CGRectMake(0, 0, 320, 480));
  auto scroller = makeView(CGRectMake(0, 100, 320, 200));
  scroller->setBounds(CGRectMake(0, 50, 320, 200));  // scrolled down by 50
  auto content = makeView(CGRectMake(10, 60, 100, 100));
  content->setTransform(CGAffineTransform::makeScale(2, 2));  // about its centre (60, 110)
  window->addSubview(scroller);
  scroller->addSubview(content);

  // Content (0, 0) → scroller (-40, 10) → window (-40, 60).
  expectPointNear(content->convertPointToView({0, 0}, nullptr), {-40, 60});
  expectPointNear(content->convertPointToView({0, 0}, window.get()), {-40, 60});
  expectPointNear(window->convertPointToView({-40, 60}, content.get()), {0, 0});
  expectPointNear(content->convertPointFromView({60, 160}, nullptr), {50, 50});

  auto other = makeView(CGRectMake(200, 0, 50, 50));
  other->setTransform(CGAffineTransform::makeRotation(std::numbers::pi / 2));
  window->addSubview(other);
  const CGPoint there = content->convertPointToView({50, 50}, other.get());
  expectPointNear(other->convertPointToView(there, content.get()), {50, 50});
  expectPointNear(other->convertPointToView({0, 0}, nullptr), {250, 0});

  const CGRect r = content->convertRectToView(CGRectMake(0, 0, 100, 100), scroller.get());
  EXPECT_EQ(r, CGRectMake(-40, 10, 200, 200));
  EXPECT_EQ(scroller->convertRectFromView(CGRectMake(0, 0, 100, 100), content.get()), r);
}

TEST_F(ViewTest, HitTestingFollowsTransformsAndSkipsInertViews) {
  auto window = std::make_shared<UIWindow>();
  window->setFrame(CGRectMake(0, 0, 300, 300));
  auto panel = makeView(CGRectMake(100, 100, 100, 100));
  auto button = makeView(CGRectMake(0, 0, 20, 20));
  window->addSubview(panel);
  panel->addSubview(button);

  EXPECT_EQ(window->hitTest({110, 110}), nullptr);  // windows start hidden
  window->makeKeyAndVisible();
  EXPECT_EQ(window->hitTest({110, 110}), button);
  EXPECT_EQ(window->hitTest({150, 150}), panel);
  EXPECT_EQ(window->hitTest({5, 5}), window);
  EXPECT_EQ(window->hitTest({-1, 5}), nullptr);

  // Turned half round about its centre, the button lies at the panel's bottom right.
  panel->setTransform(CGAffineTransform::makeRotation(std::numbers::pi));
  EXPECT_EQ(window->hitTest({195, 195}), button);
  EXPECT_EQ(window->hitTest({105, 105}), panel);
  panel->setTransform(CGAffineTransformIdentity);

  // A subview sticking out of its superview is not hit outside the superview's bounds.
  auto overhang = makeView(CGRectMake(90, 90, 50, 50));
  panel->addSubview(overhang);
  EXPECT_EQ(window->hitTest({195, 195}), overhang);
  EXPECT_EQ(window->hitTest({205, 205}), window);
  overhang->removeFromSuperview();

  // Scrolled bounds move the content under the point.
  panel->setBounds(CGRectMake(0, -50, 100, 100));
  EXPECT_EQ(window->hitTest({110, 160}), button);
  panel->setBounds(CGRectMake(0, 0, 100, 100));

  button->setAlpha(0.005);
  EXPECT_EQ(window->hitTest({110, 110}), panel);
  button->setAlpha(0.02);
  EXPECT_EQ(window->hitTest({110, 110}), button);
  button->setHidden(true);
  EXPECT_EQ(window->hitTest({110, 110}), panel);
  button->setHidden(false);
  panel->setUserInteractionEnabled(false);
  EXPECT_EQ(window->hitTest({110, 110}), window);  // the subtree is skipped
  panel->setUserInteractionEnabled(true);
  panel->setTransform(CGAffineTransform::makeScale(0, 0));
  EXPECT_EQ(window->hitTest({150, 150}), window);
}

TEST_F(ViewTest, LayoutRunsThroughTheRuntimeSoHooksSeeIt) {
  static std::vector<std::string> calls;
  static Imp<void()> original;
  MSHookMessageEx<void()>(
      RecordingView::objcClass(), "layoutSubviews",
      [](Object* self) {
        calls.push_back("hook");
        original(self);
      },
      &original);

  auto parent = std::make_shared<RecordingView>();
  auto child = std::make_shared<RecordingView>();
  auto plain = std::make_shared<UIView>();
  parent->addSubview(child);
  parent->addSubview(plain);
  parent->layoutIfNeeded();
  EXPECT_EQ(calls.size(), 2u);  // parent and child, not the plain view
  EXPECT_EQ(parent->layouts, 1);
  EXPECT_EQ(child->layouts, 1);
  parent->layoutIfNeeded();
  EXPECT_EQ(parent->layouts, 1);  // nothing pending

  // A new size needs layout; a move does not.
  child->setFrame(CGRectMake(5, 5, 10, 10));
  child->setCenter({30, 30});
  parent->layoutIfNeeded();
  EXPECT_EQ(child->layouts, 2);
  EXPECT_EQ(parent->layouts, 1);
  child->setCenter({40, 40});
  parent->layoutIfNeeded();
  EXPECT_EQ(child->layouts, 2);

  // In a window, a layout request is served on the next turn of the run loop.
  auto window = std::make_shared<UIWindow>();
  window->addSubview(parent);
  RunLoop::main().runUntilIdle();
  const int before = child->layouts;
  child->setNeedsLayout();
  child->setNeedsLayout();
  EXPECT_EQ(child->layouts, before);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(child->layouts, before + 1);
}

TEST_F(ViewTest, TintColourAndClippingComeFromTheTreeAndTheLayer) {
  auto parent = makeView(CGRectZero);
  auto child = makeView(CGRectZero);
  parent->addSubview(child);
  const auto red = UIColor::colorWithRed(1, 0, 0, 1);
  EXPECT_NEAR(child->tintColor()->blue(), 1, kEps);  // the system blue
  parent->setTintColor(red);
  EXPECT_EQ(child->tintColor(), red);

  child->layer()->setMasksToBounds(true);
  EXPECT_TRUE(child->clipsToBounds());
  EXPECT_EQ(child->layer()->delegate(), child);
}

TEST_F(ViewTest, ViewTreesAreReleased) {
  std::weak_ptr<UIView> weakParent, weakChild;
  std::weak_ptr<CALayer> weakLayer;
  {
    auto window = std::make_shared<UIWindow>();
    auto parent = makeView(CGRectMake(0, 0, 10, 10));
    auto child = makeView(CGRectMake(0, 0, 5, 5));
    parent->addSubview(child);
    window->addSubview(parent);
    child->layer()->setMask(child->layer());  // refused: it would own itself
    EXPECT_EQ(child->layer()->mask(), nullptr);
    weakParent = parent;
    weakChild = child;
    weakLayer = child->layer();
    child->setNeedsLayout();
  }
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(weakParent.expired());
  EXPECT_TRUE(weakChild.expired());
  EXPECT_TRUE(weakLayer.expired());
}

}  // namespace
}  // namespace host
