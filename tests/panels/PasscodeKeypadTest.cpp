#include <gtest/gtest.h>

#include <algorithm>

#include "panels/KeypadTestSupport.h"
#include "panels/shapeSkyView.h"
#include "runtime/Runtime.h"
#include "uikit/UITableView.h"

namespace vorlan::test {
namespace {

using Sounds = std::vector<host::SystemSoundID>;
constexpr host::SystemSoundID kClick = host::kSystemSoundID_KeyPressClick;
constexpr host::SystemSoundID kBuzz = host::kSystemSoundID_Vibrate;

// A list page recording the rows selected on it and whether the keypad let them through.
struct Selection {
  long row = -1;
  bool allowed = false;
  int count = 0;
  std::shared_ptr<passcodeSkyView> keypad;
};
Selection& selection() {
  static Selection recorded;
  return recorded;
}
host::Id listPage() {
  using namespace host;
  Class* cls = NSClassFromString("KeypadTestListPage");
  if (cls == nullptr) {
    cls = Runtime::shared().defineClass("KeypadTestListPage", Object::objcClass());
    class_addMethod<void(std::shared_ptr<UITableView>, NSIndexPath)>(
        cls, "tableView:didSelectRowAtIndexPath:",
        [](Object*, std::shared_ptr<UITableView>, NSIndexPath path) {
          selection().row = path.row;
          selection().allowed = selection().keypad->canSegue();
          ++selection().count;
        },
        "v@:@@");
  }
  return cls->createInstance();
}

class PasscodeKeypadTest : public KeypadTest {
 protected:
  void TearDown() override {
    selection() = {};
    KeypadTest::TearDown();
  }
};

TEST_F(PasscodeKeypadTest, RightPasscodeClosesAndSelectsTheRowAgainWhileItMaySegue) {
  manager()->savePassword("7890");
  auto keypad = makeKeypad(0);
  selection().keypad = keypad;
  keypad->setIndexPath(host::NSIndexPath::indexPathForRow(3, 1),
                       std::make_shared<host::UITableView>(), listPage());
  int handled = 0;
  bool segueDuringHandler = true;
  show(keypad, [&] {
    ++handled;
    segueDuringHandler = keypad->canSegue();
  });

  type(keypad, "789");
  EXPECT_EQ(filledDots(*keypad), 3);
  type(keypad, "0");
  EXPECT_FALSE(keypad->isShow());
  EXPECT_EQ(handled, 1);  // at once, before the row
  EXPECT_FALSE(segueDuringHandler);
  EXPECT_EQ(selection().count, 0);
  wait(0.4);
  EXPECT_EQ(selection().count, 1);
  EXPECT_EQ(selection().row, 3);
  EXPECT_TRUE(selection().allowed);
  EXPECT_FALSE(keypad->canSegue());
  EXPECT_EQ(sounds(), (Sounds{kClick, kClick, kClick, kClick}));
  EXPECT_EQ(filledDots(*keypad), 0);

  // The completion belonged to that showing only.
  show(keypad);
  type(keypad, "7890");
  wait(0.5);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(selection().count, 2);
}

TEST_F(PasscodeKeypadTest, WrongPasscodeBuzzesAndDeleteTakesDigitsBack) {
  manager()->savePassword("1234");
  auto keypad = makeKeypad(0);
  int actions = 0;
  keypad->setCustomAction([&] { actions += keypad->canSegue() ? 1 : 100; });
  show(keypad);
  const auto dotCentre = keypad->dots()[0]->center();

  type(keypad, "1243");
  EXPECT_TRUE(keypad->isShow());
  EXPECT_EQ(filledDots(*keypad), 0);
  EXPECT_EQ(sounds(), (Sounds{kClick, kClick, kClick, kClick, kBuzz}));
  EXPECT_NE(keypad->dots()[0]->presentationFrame().midX(), dotCentre.x);  // shaking
  wait(1);
  EXPECT_EQ(keypad->dots()[0]->center(), dotCentre);  // and back in place
  EXPECT_EQ(keypad->cancel()->alpha(), 0);

  EXPECT_EQ(keypad->cancel()->accessibilityLabel(), "Delete");
  type(keypad, "56");
  EXPECT_EQ(keypad->cancel()->alpha(), 1);  // shown with the first digit
  wait(0.5);
  tapView(keypad->cancel());
  EXPECT_EQ(filledDots(*keypad), 1);
  tapView(keypad->cancel());
  EXPECT_EQ(keypad->cancel()->alpha(), 0);  // hidden again once the entry is empty
  wait(0.5);
  tapView(keypad->cancel());  // nothing to delete
  EXPECT_EQ(filledDots(*keypad), 0);

  type(keypad, "1234");
  wait(0.5);
  EXPECT_EQ(actions, 1);
}

// A finger quicker than the keypad's animations: the keypad takes every touch from the moment it
// appears, and the same digit typed again while its key still answers the last touch counts.
TEST_F(PasscodeKeypadTest, AQuickFingerLosesNoDigitAndNeverReachesWhatLiesBehind) {
  manager()->savePassword("9999");
  auto keypad = makeKeypad(0);
  int actions = 0;
  keypad->setCustomAction([&] { ++actions; });
  int behind = 0;
  auto underneath = host::UIButton::buttonWithType(host::UIButtonTypeCustom);
  underneath->setFrame(window->bounds());
  underneath->addTarget(
      underneath, [&] { ++behind; }, host::UIControlEventTouchUpInside);
  window->addSubview(underneath);
  window->addSubview(keypad);
  keypad->showFromRect({20, 60, 40, 30}, {40, 0, 295, 330});
  const auto nine = keypad->buttons()[8];
  const auto key = [&] {
    const auto frame = nine->convertRectToView(nine->bounds(), nullptr);
    return host::CGPoint{frame.midX(), frame.midY()};
  };
  // While the panel fades in and the keys grow: on the status line, then on a key.
  const auto status = keypad->shape()->convertRectToView(keypad->shape()->bounds(), nullptr);
  finger->tap({status.midX(), status.minY() + 30});
  finger->tap(key());
  wait(0.05);
  EXPECT_EQ(behind, 0);
  EXPECT_EQ(filledDots(*keypad), 1);

  wait(1.5);
  for (int i = 0; i < 3; ++i)
    finger->tap(key());
  wait(0.5);
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(behind, 0);
}

TEST_F(PasscodeKeypadTest, WithoutAStoredPasscodeACoverExplainsHowToSetOne) {
  auto keypad = makeKeypad(0);
  show(keypad);
  EXPECT_FALSE(keypad->noPassword()->isHidden());
  EXPECT_EQ(keypad->noPassword()->frame(), keypad->shape()->container()->bounds());
  type(keypad, "0000");  // the hidden keys cannot be typed on
  EXPECT_TRUE(sounds().empty());

  keypad->dismissShape(false);
  manager()->savePassword("0000");
  show(keypad);
  EXPECT_TRUE(keypad->noPassword()->isHidden());
}

TEST_F(PasscodeKeypadTest, ChangingThePasscodeAsksForTheOldOneThenTheNewOneTwice) {
  manager()->savePassword("1111");
  auto keypad = makeKeypad(1);
  show(keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your old passcode");
  type(keypad, "2222");
  EXPECT_EQ(keypad->status()->text(), "Wrong password");
  EXPECT_EQ(sounds().back(), kBuzz);
  type(keypad, "3333");  // still the old passcode's stage
  EXPECT_EQ(keypad->status()->text(), "Wrong password");

  type(keypad, "1111");
  EXPECT_EQ(keypad->status()->text(), "Enter your new password");
  type(keypad, "4567");
  EXPECT_EQ(keypad->status()->text(), "Re enter your password");
  type(keypad, "4568");
  EXPECT_EQ(keypad->status()->text(), "Error");
  EXPECT_EQ(manager()->getPassword(), "1111");
  type(keypad, "4567");  // compared with the first entry again
  EXPECT_EQ(manager()->getPassword(), "4567");
  EXPECT_FALSE(keypad->isShow());

  show(keypad);  // starts over from the old passcode, now the new one
  EXPECT_EQ(keypad->status()->text(), "Enter your old passcode");
  type(keypad, "1111");
  EXPECT_EQ(keypad->status()->text(), "Wrong password");
}

TEST_F(PasscodeKeypadTest, AFirstPasscodeSkipsTheOldOneAndACancelStartsOver) {
  manager()->savePassword("");  // an empty one counts as none: no old passcode could match it
  auto keypad = makeKeypad(1);
  show(keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your new passcode");
  EXPECT_TRUE(keypad->noPassword()->isHidden());
  type(keypad, "2468");
  EXPECT_EQ(keypad->status()->text(), "Re enter your password");

  finger->tap({5, 660});  // outside the balloon: cancelled
  wait(0.5);
  show(keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your new passcode");
  type(keypad, "1357");
  type(keypad, "1357");  // not compared with 2468
  EXPECT_EQ(manager()->getPassword(), "1357");
  const Sounds played = sounds();
  EXPECT_EQ(std::count(played.begin(), played.end(), kBuzz), 0);
}

}  // namespace
}  // namespace vorlan::test
