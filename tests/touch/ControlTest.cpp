#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TouchFixture.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIControl.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UIPageControl.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UISlider.h"
#include "uikit/UISwitch.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UITextField.h"

namespace host {
namespace {

// Logs every control event a control sends, by name.
std::shared_ptr<std::vector<std::string>> watch(UIControl& control) {
  auto log = std::make_shared<std::vector<std::string>>();
  const std::pair<UIControlEvents, const char*> names[] = {
      {UIControlEventTouchDown, "down"},         {UIControlEventTouchDownRepeat, "repeat"},
      {UIControlEventTouchDragInside, "in"},     {UIControlEventTouchDragOutside, "out"},
      {UIControlEventTouchDragEnter, "enter"},   {UIControlEventTouchDragExit, "exit"},
      {UIControlEventTouchUpInside, "upInside"}, {UIControlEventTouchUpOutside, "upOutside"},
      {UIControlEventTouchCancel, "cancel"},     {UIControlEventValueChanged, "changed"},
  };
  for (const auto& [event, name] : names) {
    control.addAction([log, n = std::string(name)](const auto&, UIEvent*) { log->push_back(n); },
                      event);
  }
  return log;
}

using Events = std::vector<std::string>;

bool sameColor(const std::shared_ptr<UIColor>& a, const std::shared_ptr<UIColor>& b) {
  return a && b && a->isEqual(*b);
}

class ControlTest : public TouchFixture {
 protected:
  template <class T>
  std::shared_ptr<T> add(const CGRect& frame, const std::shared_ptr<UIView>& parent = nullptr) {
    auto control = std::make_shared<T>();
    control->setFrame(frame);
    (parent ? parent : std::static_pointer_cast<UIView>(window))->addSubview(control);
    return control;
  }
};

TEST_F(ControlTest, TrackingReportsDragsAcrossTheSlopAndWhereTheTouchEnded) {
  auto control = add<UIControl>({100, 100, 100, 50});
  auto log = watch(*control);

  finger->touchDown({150, 125});
  EXPECT_TRUE(control->isHighlighted());
  EXPECT_TRUE(control->isTracking());
  finger->touchMove({260, 125});  // 60 points past the edge: still inside
  EXPECT_TRUE(control->isHighlighted());
  finger->touchMove({280, 125});
  EXPECT_FALSE(control->isHighlighted());
  finger->touchMove({250, 200});
  finger->touchMove({150, 300});
  finger->touchUp({150, 300});
  EXPECT_EQ(*log, (Events{"down", "in", "exit", "out", "enter", "in", "exit", "out", "upOutside"}));
  EXPECT_FALSE(control->isTracking());

  log->clear();
  finger->touchDown({150, 125});
  finger->touchMove({280, 125});
  finger->touchUp({190, 140});  // back inside by the time it lifts
  EXPECT_EQ(*log, (Events{"down", "exit", "out", "upInside"}));
  EXPECT_FALSE(control->isHighlighted());

  // The second tap of a run is a repeat as well.
  log->clear();
  RunLoop::main().advance(1);
  finger->tap({150, 125});
  RunLoop::main().advance(0.1);
  finger->tap({155, 125});
  EXPECT_EQ(*log, (Events{"down", "upInside", "down", "repeat", "upInside"}));
}

TEST_F(ControlTest, RecognisedPanCancelsTheButtonsTracking) {
  auto container = addView({0, 0, 320, 480});
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  container->addGestureRecognizer(pan);
  auto button = add<UIButton>({50, 50, 100, 44}, container);
  auto log = watch(*button);

  dragBy({60, 60}, 5, 0, 1);  // not yet a pan
  EXPECT_TRUE(button->isHighlighted());
  finger->touchMove({90, 60});
  EXPECT_EQ(pan->state(), UIGestureRecognizerStateBegan);
  EXPECT_FALSE(button->isHighlighted());
  finger->touchUp({90, 60});
  EXPECT_EQ(*log, (Events{"down", "in", "cancel"}));
}

TEST_F(ControlTest, ControlsKeepSingleTapsFromTheirSuperviewsRecognisers) {
  auto container = addView({0, 0, 320, 480});
  auto tap = std::make_shared<UITapGestureRecognizer>();
  int taps = 0;
  tap->addTarget([&taps](const auto&) { ++taps; });
  container->addGestureRecognizer(tap);
  auto button = add<UIButton>({50, 50, 100, 44}, container);
  auto log = watch(*button);

  finger->tap({60, 60});
  EXPECT_EQ(taps, 0);
  EXPECT_EQ(*log, (Events{"down", "upInside"}));

  RunLoop::main().advance(1);
  finger->tap({250, 250});
  EXPECT_EQ(taps, 1);

  // A disabled button sends nothing and leaves the tap to the recogniser.
  RunLoop::main().advance(1);
  button->setEnabled(false);
  log->clear();
  finger->tap({60, 60});
  EXPECT_EQ(*log, Events{});
  EXPECT_EQ(taps, 2);

  // A text field too: a tap on it begins editing, whatever a popup behind it does with taps.
  RunLoop::main().advance(1);
  auto field = add<UITextField>({50, 150, 200, 35}, container);
  finger->tap({60, 160});
  EXPECT_TRUE(field->isFirstResponder());
  EXPECT_EQ(taps, 2);
  field->resignFirstResponder();
}

TEST_F(ControlTest, SwitchFlipsOnceOnTapAndNotWhenSetInCode) {
  auto toggle = add<UISwitch>({100, 100, 51, 31});
  EXPECT_EQ(toggle->sizeThatFits({200, 200}), UISwitch::kSize);
  auto log = watch(*toggle);
  const double offX = toggle->thumbView()->frame().origin.x;

  finger->tap({110, 110});
  EXPECT_TRUE(toggle->isOn());
  EXPECT_EQ(std::count(log->begin(), log->end(), "changed"), 1);
  EXPECT_EQ(log->back(), "upInside");
  // The thumb slides over to the on side.
  const double onX = toggle->thumbView()->frame().origin.x;
  EXPECT_GT(onX, offX);
  EXPECT_LT(toggle->thumbView()->presentationFrame().origin.x, onX);
  RunLoop::main().advance(UISwitch::kAnimationDuration + 0.05);
  EXPECT_EQ(toggle->thumbView()->presentationFrame().origin.x, onX);

  log->clear();
  toggle->setOn(false, true);
  toggle->setOn(false);
  EXPECT_FALSE(toggle->isOn());
  EXPECT_EQ(*log, Events{});

  // A touch that ends far away does not flip it.
  finger->touchDown({110, 110});
  finger->touchUp({300, 400});
  EXPECT_FALSE(toggle->isOn());

  toggle->setEnabled(false);
  finger->tap({110, 110});
  EXPECT_FALSE(toggle->isOn());
  EXPECT_EQ(std::count(log->begin(), log->end(), "changed"), 0);
}

TEST_F(ControlTest, PageControlStepsTowardsTheTappedHalf) {
  auto pages = add<UIPageControl>({60, 100, 200, 37});
  pages->setNumberOfPages(3);
  auto log = watch(*pages);
  ASSERT_EQ(pages->dotViews().size(), 3u);

  finger->tap({70, 110});  // left half, already on the first page
  EXPECT_EQ(pages->currentPage(), 0);
  RunLoop::main().advance(1);
  finger->tap({250, 110});
  RunLoop::main().advance(1);
  finger->tap({250, 110});
  RunLoop::main().advance(1);
  finger->tap({250, 110});  // already on the last page
  EXPECT_EQ(pages->currentPage(), 2);
  EXPECT_EQ(std::count(log->begin(), log->end(), "changed"), 2);
  EXPECT_TRUE(
      sameColor(pages->dotViews()[2]->backgroundColor(), pages->currentPageIndicatorTintColor()));
  EXPECT_TRUE(sameColor(pages->dotViews()[0]->backgroundColor(), pages->pageIndicatorTintColor()));

  pages->setNumberOfPages(2);
  EXPECT_EQ(pages->currentPage(), 1);
  EXPECT_EQ(pages->dotViews().size(), 2u);
  pages->setCurrentPage(-4);
  EXPECT_EQ(pages->currentPage(), 0);
}

TEST_F(ControlTest, ButtonShowsWhatItsStateAsksFor) {
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  button->setFrame({0, 0, 200, 44});
  window->addSubview(button);
  button->setTitle("Normal", UIControlStateNormal);
  button->setTitle("Chosen", UIControlStateSelected);
  auto red = UIColor::colorWithRed(1, 0, 0, 1);
  button->setTitleColor(red, UIControlStateSelected | UIControlStateHighlighted);

  EXPECT_EQ(button->titleLabel()->text(), "Normal");
  EXPECT_TRUE(sameColor(button->currentTitleColor(), button->tintColor()));
  button->setSelected(true);
  EXPECT_EQ(button->titleLabel()->text(), "Chosen");
  EXPECT_TRUE(sameColor(button->currentTitleColor(), button->tintColor()));

  finger->touchDown({10, 10});
  EXPECT_EQ(button->state(), UIControlStateSelected | UIControlStateHighlighted);
  EXPECT_TRUE(sameColor(button->titleLabel()->textColor(), red));
  EXPECT_EQ(button->titleLabel()->text(), "Normal");  // no title of that state's own
  finger->touchUp({10, 10});
  EXPECT_EQ(button->titleLabel()->text(), "Chosen");

  button->setSelected(false);
  finger->touchDown({10, 10});
  EXPECT_DOUBLE_EQ(button->titleLabel()->alpha(), 0.2);  // a system button fades
  finger->touchUp({10, 10});
  EXPECT_DOUBLE_EQ(button->titleLabel()->alpha(), 1);

  button->setEnabled(false);
  EXPECT_FALSE(sameColor(button->currentTitleColor(), button->tintColor()));
  button->setTitle(std::nullopt, UIControlStateNormal);
  EXPECT_FALSE(button->currentTitle().has_value());
  EXPECT_TRUE(button->titleLabel()->isHidden());
}

TEST_F(ControlTest, ButtonShrinksAnImageTooBigForItKeepingItsShape) {
  UIGraphicsBeginImageContextWithOptions({44, 30}, false, 1);
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  auto button = UIButton::buttonWithType(UIButtonTypeCustom);
  button->setImage(image, UIControlStateNormal);
  window->addSubview(button);

  button->setFrame({0, 0, 22, 22});
  button->layoutIfNeeded();
  EXPECT_EQ(button->imageView()->frame(), (CGRect{0, 3.5, 22, 15}));
  button->setFrame({0, 0, 60, 60});
  button->layoutIfNeeded();
  EXPECT_EQ(button->imageView()->frame(), (CGRect{8, 15, 44, 30}));  // never grown
}

TEST_F(ControlTest, TargetsAreHeldWeaklyAndCanBeRemoved) {
  auto control = add<UIControl>({0, 0, 100, 100});
  auto target = std::make_shared<Object>();
  std::weak_ptr<Object> weakTarget = target;
  int calls = 0;
  control->addTarget(
      target, [&calls] { ++calls; }, UIControlEventTouchUpInside);
  auto other = std::make_shared<Object>();
  int otherCalls = 0;
  control->addTarget(
      other, [&otherCalls] { ++otherCalls; },
      UIControlEventTouchUpInside | UIControlEventTouchDown);

  control->sendActionsForControlEvents(UIControlEventTouchUpInside | UIControlEventTouchDown);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(otherCalls, 1);  // once, though it matches both

  control->removeTarget(other.get(), UIControlEventTouchUpInside);
  EXPECT_EQ(control->allControlEvents(), UIControlEventTouchUpInside | UIControlEventTouchDown);
  finger->tap({10, 10});
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(otherCalls, 2);  // touch-down only

  target.reset();
  EXPECT_TRUE(weakTarget.expired());
  RunLoop::main().advance(1);
  finger->tap({10, 10});
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(control->allControlEvents(), UIControlEventTouchDown);
}

TEST_F(ControlTest, SliderFollowsADragFromItsThumbAndKeepsItFromAPan) {
  auto container = addView({0, 0, 320, 480});
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  container->addGestureRecognizer(pan);
  std::string panned;
  record(*pan, panned);
  auto slider = add<UISlider>({10, 100, 228, UISlider::kHeight}, container);
  slider->setRange(0, 10);
  slider->setValue(20);  // clamped
  EXPECT_EQ(slider->value(), 10);
  slider->setValue(5);
  int changes = 0;
  slider->addAction([&](const std::shared_ptr<UIControl>&, UIEvent*) { ++changes; },
                    UIControlEventValueChanged);

  // A drag that starts away from the thumb does nothing, and the pan does not take it either.
  const CGPoint thumb = slider->convertPointToView(slider->thumbCenterForValue(5), nullptr);
  finger->drag({thumb.x + 80, thumb.y}, {thumb.x + 150, thumb.y}, 0.3);
  EXPECT_EQ(slider->value(), 5);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(panned, "");

  // Dragging the thumb to the right end gives the maximum, sending value-changed on the way.
  finger->drag(thumb, {thumb.x + 200, thumb.y}, 0.3);
  EXPECT_EQ(slider->value(), 10);
  EXPECT_GT(changes, 1);
  EXPECT_EQ(panned, "");
  EXPECT_EQ(slider->thumbView()->center().x, slider->thumbCenterForValue(10).x);

  // Setting the value in code sends nothing.
  changes = 0;
  slider->setValue(0);
  EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace host
