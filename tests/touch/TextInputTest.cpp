#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TouchFixture.h"
#include "uikit/Keyboard.h"
#include "uikit/NSAttributedString.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UITextField.h"
#include "uikit/UITextView.h"

namespace host {
namespace {

// Takes at most `limit` characters, refuses editing once `locked`, and logs what it is asked.
class LimitingDelegate : public UITextFieldDelegate {
 public:
  bool textFieldShouldBeginEditing(UITextField&) override { return !locked; }
  void textFieldDidBeginEditing(UITextField&) override { log.push_back("begin"); }
  void textFieldDidEndEditing(UITextField&) override { log.push_back("end"); }
  bool textFieldShouldChangeCharactersInRange(UITextField& field, NSRange range,
                                              const std::string& replacement) override {
    log.push_back(std::to_string(range.location) + "," + std::to_string(range.length) + ":" +
                  replacement);
    return replacement.empty() || field.text().size() < limit;
  }
  bool textFieldShouldReturn(UITextField& field) override {
    field.resignFirstResponder();
    return true;
  }

  std::size_t limit = 3;
  bool locked = false;
  std::vector<std::string> log;
};

using TextInputTest = TouchFixture;

TEST_F(TextInputTest, TypingGoesThroughTheDelegateKeyByKey) {
  auto field = std::make_shared<UITextField>();
  field->setFrame({10, 10, 200, 30});
  window->addSubview(field);
  auto delegate = std::make_shared<LimitingDelegate>();
  field->setDelegate(delegate);
  int changes = 0;
  field->addTarget(
      nullptr, [&changes] { ++changes; }, UIControlEventEditingChanged);

  EXPECT_FALSE(Keyboard::isVisible());
  EXPECT_EQ(Keyboard::typeText("lost"), 0u);
  finger->tap({20, 20});
  ASSERT_TRUE(field->isFirstResponder());
  EXPECT_TRUE(field->isEditing());
  EXPECT_TRUE(Keyboard::isVisible());

  EXPECT_EQ(Keyboard::typeText("abcd"), 4u);
  EXPECT_EQ(field->text(), "abc");  // the fourth key was refused
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(Keyboard::pressDelete());
  EXPECT_EQ(field->text(), "ab");
  EXPECT_EQ(delegate->log,
            (std::vector<std::string>{"begin", "0,0:a", "1,0:b", "2,0:c", "3,0:d", "2,1:"}));

  // The delegate's return resigns the field, which takes the keyboard away.
  EXPECT_TRUE(Keyboard::pressReturn());
  EXPECT_FALSE(field->isFirstResponder());
  EXPECT_FALSE(Keyboard::isVisible());
  EXPECT_EQ(delegate->log.back(), "end");

  delegate->locked = true;
  finger->tap({20, 20});
  EXPECT_FALSE(field->isFirstResponder());
  field->setText("set in code");  // asks nobody
  EXPECT_EQ(field->text(), "set in code");
}

TEST_F(TextInputTest, DeletingRemovesWholeCharactersCountedInUtf16) {
  auto field = std::make_shared<UITextField>();
  auto delegate = std::make_shared<LimitingDelegate>();
  delegate->limit = 100;
  field->setDelegate(delegate);
  ASSERT_TRUE(field->becomeFirstResponder());
  Keyboard::typeText("\xC3\xA9\xF0\x9F\x98\x80");  // é and an emoji (a surrogate pair)
  EXPECT_EQ(delegate->log[2], "1,0:\xF0\x9F\x98\x80");
  Keyboard::pressDelete();
  EXPECT_EQ(delegate->log.back(), "1,2:");
  EXPECT_EQ(field->text(), "\xC3\xA9");
  field->setSecureTextEntry(true);
  EXPECT_EQ(field->displayedText(), "\u2022");
}

TEST_F(TextInputTest, NumberPadTypesDigitsOnlyAndHasNoReturnKey) {
  auto field = std::make_shared<UITextField>();
  field->setKeyboardType(UIKeyboardTypeNumberPad);
  field->setSecureTextEntry(true);
  ASSERT_TRUE(field->becomeFirstResponder());
  EXPECT_EQ(Keyboard::keyboardType(), UIKeyboardTypeNumberPad);
  EXPECT_EQ(Keyboard::typeText("12a3"), 3u);
  EXPECT_EQ(field->text(), "123");
  EXPECT_EQ(field->displayedText(), "\u2022\u2022\u2022");
  EXPECT_FALSE(Keyboard::pressReturn());
  EXPECT_TRUE(field->isFirstResponder());
}

TEST_F(TextInputTest, OneFirstResponderAtATime) {
  auto first = std::make_shared<UITextField>();
  auto second = std::make_shared<UITextField>();
  std::vector<std::string> events;
  first->addTarget(
      nullptr, [&events] { events.push_back("first ends"); }, UIControlEventEditingDidEnd);
  second->addTarget(
      nullptr, [&events] { events.push_back("second begins"); }, UIControlEventEditingDidBegin);
  ASSERT_TRUE(first->becomeFirstResponder());
  ASSERT_TRUE(second->becomeFirstResponder());
  EXPECT_FALSE(first->isEditing());
  EXPECT_EQ(events, (std::vector<std::string>{"first ends", "second begins"}));

  // Without a delegate, return only resigns when someone listens for the end on exit.
  Keyboard::pressReturn();
  EXPECT_TRUE(second->isFirstResponder());
  second->addTarget(
      nullptr, [] {}, UIControlEventEditingDidEndOnExit);
  Keyboard::pressReturn();
  EXPECT_FALSE(second->isFirstResponder());

  first->setEnabled(false);
  EXPECT_FALSE(first->becomeFirstResponder());
}

TEST_F(TextInputTest, TextViewEditsKeepTheAttributesAndStopWhenNotEditable) {
  auto view = std::make_shared<UITextView>();
  view->setFrame({0, 0, 320, 200});
  window->addSubview(view);
  auto font = UIFont::systemFontOfSize(22);
  view->setAttributedText(
      NSAttributedString::withString("Hi", {{std::string(NSFontAttributeName), font}}));

  class Counting : public UITextViewDelegate {
   public:
    bool textViewShouldChangeTextInRange(UITextView&, NSRange, const std::string& text) override {
      return text != "!";
    }
    void textViewDidChange(UITextView&) override { ++changes; }
    int changes = 0;
  };
  auto delegate = std::make_shared<Counting>();
  view->setDelegate(delegate);

  finger->tap({50, 50});
  ASSERT_TRUE(view->isFirstResponder());
  Keyboard::typeText("!?");
  Keyboard::pressReturn();
  EXPECT_EQ(view->text(), "Hi?\n");
  EXPECT_EQ(delegate->changes, 2);
  EXPECT_EQ(view->attributedText()->attributeAtIndex(NSFontAttributeName, 3), font);

  view->setEditable(false);
  EXPECT_FALSE(view->isFirstResponder());
  RunLoop::main().advance(1);
  finger->tap({50, 50});
  EXPECT_FALSE(view->isFirstResponder());

  view->setText("plain");
  EXPECT_EQ(view->attributedText()->string(), "plain");
  auto plainFont = std::dynamic_pointer_cast<UIFont>(
      view->attributedText()->attributeAtIndex(NSFontAttributeName, 0));
  ASSERT_TRUE(plainFont);
  EXPECT_EQ(plainFont->pointSize(), 12);
}

}  // namespace
}  // namespace host
