#include <gtest/gtest.h>

#include <algorithm>

#include "panels/KeypadTestSupport.h"
#include "panels/shapeSkyView.h"
#include "runtime/Runtime.h"
#include "uikit/UITableView.h"

namespace vorlan::test {
namespace {

using host::kSystemSoundID_KeyPressClick;
using host::kSystemSoundID_Vibrate;
using host::SystemSoundID;
using Sounds = std::vector<SystemSoundID>;

constexpr SystemSoundID kClick = kSystemSoundID_KeyPressClick;
constexpr SystemSoundID kBuzz = kSystemSoundID_Vibrate;

// A list page that records the rows selected on it, and whether the keypad let them through.
struct Selection {
  long row = -1;
  bool allowed = false;
  int count = 0;
};
Selection& lastSelection() {
  static Selection selection;
  return selection;
}
std::shared_ptr<passcodeSkyView>& selectingKeypad() {
  static std::shared_ptr<passcodeSkyView> keypad;
  return keypad;
}
host::Id listPage() {
  using namespace host;
  Class* cls = NSClassFromString("KeypadTestListPage");
  if (cls == nullptr) {
    cls = Runtime::shared().defineClass("KeypadTestListPage", Object::objcClass());
    class_addMethod<void(std::shared_ptr<UITableView>, NSIndexPath)>(
        cls, "tableView:didSelectRowAtIndexPath:",
        [](Object*, std::shared_ptr<UITableView>, NSIndexPath path) {
          lastSelection().row = path.row;
          lastSelection().allowed = selectingKeypad() && selectingKeypad()->canSegue();
          ++lastSelection().count;
        },
        "v@:@@");
  }
  return cls->createInstance();
}

class PasscodeKeypadTest : public KeypadTest {
 protected:
  void TearDown() override {
    selectingKeypad().reset();
    KeypadTest::TearDown();
  }
};

TEST_F(PasscodeKeypadTest, KeysSitInThreeRowsOfThreeAndZeroAloneBelowTheMiddle) {
  auto keypad = makeKeypad(0);
  manager()->savePassword("1234");
  show(keypad);
  const auto& keys = keypad->buttons();
  const double bs = passcodeSkyView::buttonSize();
  EXPECT_DOUBLE_EQ(bs, 52);
  std::string labels;
  for (const auto& key : keys)
    labels += key->accessibilityLabel();
  EXPECT_EQ(labels, "1234567890");
  EXPECT_EQ(keypad->cancel()->accessibilityLabel(), "Delete");

  const auto frameOf = [](const auto& view) { return view->frame(); };
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(frameOf(keys[i]).size, (host::CGSize{bs, bs}));
    EXPECT_DOUBLE_EQ(frameOf(keys[i]).minY(), frameOf(keys[i / 3 * 3]).minY()) << i;
    EXPECT_DOUBLE_EQ(frameOf(keys[i]).minX(), frameOf(keys[i % 3]).minX()) << i;
  }
  EXPECT_LT(frameOf(keys[0]).maxX(), frameOf(keys[1]).minX());
  EXPECT_LT(frameOf(keys[6]).maxY(), frameOf(keys[9]).minY());
  EXPECT_DOUBLE_EQ(frameOf(keys[9]).minX(), frameOf(keys[1]).minX());
  EXPECT_DOUBLE_EQ(frameOf(keypad->cancel()).midY(), frameOf(keys[9]).midY());
  EXPECT_DOUBLE_EQ(frameOf(keypad->cancel()).midX(), frameOf(keys[2]).midX());
  // The key block is centred in the balloon's content area, under the dots.
  const double width = keypad->shape()->container()->bounds().width();
  EXPECT_NEAR(frameOf(keys[0]).minX(), width - frameOf(keys[2]).maxX(), 1e-3);
  EXPECT_GT(frameOf(keys[0]).minY(), frameOf(keypad->dots()[0]).maxY());

  for (const auto& key : keys)
    EXPECT_EQ(key->alpha(), 1);
  EXPECT_EQ(keypad->cancel()->alpha(), 0);
  EXPECT_TRUE(keypad->noPassword()->isHidden());
  EXPECT_EQ(keypad->status()->text(), "Enter your passcode");
}

TEST_F(PasscodeKeypadTest, RightPasscodeClosesAndSelectsTheRowAgainWhileItMaySegue) {
  manager()->savePassword("7890");
  auto keypad = makeKeypad(0);
  selectingKeypad() = keypad;
  auto table = std::make_shared<host::UITableView>();
  keypad->setIndexPath(host::NSIndexPath::indexPathForRow(3, 1), table, listPage());
  lastSelection() = {};
  int handled = 0;
  bool segueDuringHandler = true;
  show(keypad, [&] {
    ++handled;
    segueDuringHandler = keypad->canSegue();
  });

  type(keypad, "789");
  EXPECT_EQ(filledDots(*keypad), 3);
  EXPECT_EQ(keypad->cancel()->alpha(), 1);  // the delete key came with the first digit
  type(keypad, "0");
  EXPECT_FALSE(keypad->isShow());
  EXPECT_EQ(handled, 1);  // at once, before the row
  EXPECT_FALSE(segueDuringHandler);
  EXPECT_EQ(lastSelection().count, 0);
  wait(0.4);
  EXPECT_EQ(lastSelection().count, 1);
  EXPECT_EQ(lastSelection().row, 3);
  EXPECT_TRUE(lastSelection().allowed);
  EXPECT_FALSE(keypad->canSegue());
  EXPECT_EQ(sounds(), (Sounds{kClick, kClick, kClick, kClick}));
  EXPECT_EQ(keypad->superview(), nullptr);
  EXPECT_EQ(filledDots(*keypad), 0);

  // The completion belonged to that showing only.
  show(keypad);
  type(keypad, "7890");
  wait(0.5);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(lastSelection().count, 2);
}

TEST_F(PasscodeKeypadTest, WrongPasscodeBuzzesShakesTheDotsAndStartsOver) {
  manager()->savePassword("1234");
  auto keypad = makeKeypad(0);
  int actions = 0;
  keypad->setCustomAction([&] { ++actions; });
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

  type(keypad, "1234");
  wait(0.5);
  EXPECT_EQ(actions, 1);
  EXPECT_FALSE(keypad->canSegue());
}

TEST_F(PasscodeKeypadTest, DeleteTakesBackDigitsAndHidesWhenTheEntryIsEmpty) {
  manager()->savePassword("1234");
  auto keypad = makeKeypad(0);
  int actions = 0;
  bool segued = false;
  keypad->setCustomAction([&] {
    ++actions;
    segued = keypad->canSegue();
  });
  show(keypad);

  type(keypad, "569");
  tapView(keypad->cancel());
  EXPECT_EQ(filledDots(*keypad), 2);
  tapView(keypad->cancel());
  tapView(keypad->cancel());
  EXPECT_EQ(filledDots(*keypad), 0);
  EXPECT_EQ(keypad->cancel()->alpha(), 0);
  wait(0.5);
  tapView(keypad->cancel());  // hidden: nothing to delete, nothing happens

  type(keypad, "8");
  wait(0.5);
  tapView(keypad->cancel());
  type(keypad, "1234");
  wait(0.5);
  EXPECT_EQ(actions, 1);
  EXPECT_TRUE(segued);
}

TEST_F(PasscodeKeypadTest, WithoutAStoredPasscodeTheCoverExplainsHowToSetOne) {
  auto keypad = makeKeypad(0);
  show(keypad);
  EXPECT_FALSE(keypad->noPassword()->isHidden());
  EXPECT_EQ(keypad->noPassword()->text(),
            "Set up your password by tapping on the gear at the top and then click 'Password'");
  EXPECT_EQ(keypad->noPassword()->frame(), keypad->shape()->container()->bounds());
  type(keypad, "0000");  // the hidden keys cannot be typed on
  EXPECT_TRUE(sounds().empty());
  EXPECT_TRUE(keypad->isShow());

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
  wait(0.3);
  EXPECT_EQ(filledDots(*keypad), 0);
  type(keypad, "4567");
  EXPECT_EQ(keypad->status()->text(), "Re enter your password");
  type(keypad, "4568");
  EXPECT_EQ(keypad->status()->text(), "Error");
  EXPECT_EQ(manager()->getPassword(), "1111");
  type(keypad, "4567");  // compared with the first entry again
  EXPECT_EQ(manager()->getPassword(), "4567");
  EXPECT_FALSE(keypad->isShow());

  // Opened again, it starts from the old passcode, now the new one.
  show(keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your old passcode");
  type(keypad, "1111");
  EXPECT_EQ(keypad->status()->text(), "Wrong password");
}

TEST_F(PasscodeKeypadTest, SettingAFirstPasscodeSkipsTheOldOneAndACancelStartsOver) {
  auto keypad = makeKeypad(1);
  show(keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your new passcode");
  EXPECT_TRUE(keypad->noPassword()->isHidden());
  type(keypad, "2468");
  EXPECT_EQ(keypad->status()->text(), "Re enter your password");

  finger->tap({5, 660});  // outside the balloon: cancelled
  wait(0.5);
  EXPECT_FALSE(keypad->isShow());
  show(keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your new passcode");
  type(keypad, "1357");
  EXPECT_EQ(keypad->status()->text(), "Re enter your password");  // not compared with 2468
  type(keypad, "1357");
  EXPECT_EQ(manager()->getPassword(), "1357");
  EXPECT_EQ(std::count(sounds().begin(), sounds().end(), kBuzz), 0);
}

TEST_F(PasscodeKeypadTest, KeyLabelsShowOnlyWhenAsked) {
  manager()->savePassword("1234");
  auto keypad = passcodeSkyView::make(window->bounds(), 0);
  show(keypad);
  const auto label = [&](std::size_t key) {
    return std::dynamic_pointer_cast<host::UILabel>(keypad->buttons()[key]->subviews().back());
  };
  ASSERT_TRUE(label(1));
  EXPECT_FALSE(label(1)->isHidden());
  EXPECT_EQ(label(1)->text(), "2\nABC");
  keypad->setShowLabels(false);
  EXPECT_FALSE(label(1)->isHidden());  // until the next show
  keypad->dismissShape(false);
  show(keypad);
  EXPECT_TRUE(label(1)->isHidden());
}

}  // namespace
}  // namespace vorlan::test
