#include <gtest/gtest.h>

#include "panels/KeypadTestSupport.h"
#include "panels/shapeSkyView.h"
#include "panels/skyView.h"
#include "support/Snapshot.h"
#include "uikit/UIColor.h"

namespace vorlan::test {
namespace {

// What the panels look like over a light page: the dimming, the balloon with its shadow, and
// the keypad in its states.
class PanelSnapshot : public KeypadTest {
 protected:
  void SetUp() override {
    KeypadTest::SetUp();
    window->setBackgroundColor(host::UIColor::colorWithWhite(0.94, 1));
  }
};

TEST_F(PanelSnapshot, BalloonBelowItsAnchorAndFlippedAboveIt) {
  auto page = std::make_shared<host::UIView>();
  page->setFrame({0, 0, 240, 300});
  page->setBackgroundColor(host::UIColor::colorWithWhite(0.94, 1));
  auto panel = skyView::make(page->bounds());
  page->addSubview(panel);

  panel->showFromRect({100, 20, 40, 20}, {20, 0, 200, 160});
  wait(0.5);
  EXPECT_SNAPSHOT(page, "balloon_below");

  panel->showFromRect({100, 260, 40, 20}, {20, 0, 200, 160});
  wait(0.5);
  EXPECT_SNAPSHOT(page, "balloon_flipped");
}

TEST_F(PanelSnapshot, KeypadIdleWithTwoDigitsAndWithoutAPasscode) {
  manager()->savePassword("1234");
  auto keypad = makeKeypad(0);
  show(keypad);
  EXPECT_SNAPSHOT(window, "keypad_idle");

  type(keypad, "12");
  wait(0.5);
  EXPECT_SNAPSHOT(window, "keypad_two_digits");

  keypad->dismissShape(false);
  manager()->clearPassword();
  show(keypad);
  EXPECT_SNAPSHOT(window, "keypad_no_passcode");
}

}  // namespace
}  // namespace vorlan::test
