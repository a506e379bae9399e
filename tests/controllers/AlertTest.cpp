#include <memory>
#include <string>
#include <vector>

#include "ControllerTestSupport.h"
#include "media/AVPlayer.h"
#include "media/AVPlayerViewController.h"
#include "media/AudioServices.h"
#include "uikit/UIAlertController.h"
#include "uikit/UIAlertView.h"
#include "uikit/UINavigationButton.h"
#include "uikit/UITextField.h"

namespace host {
namespace {

using Strings = std::vector<std::string>;

class AlertTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    if (HasFatalFailure()) return;
    root = RecordingController::named("root");
    window->setRootViewController(root);
    takeLog();
  }
  std::shared_ptr<RecordingController> root;
};

TEST_F(AlertTest, PressingAButtonRunsItsHandlerAfterTheDismissal) {
  auto sheet =
      UIAlertController::alertControllerWithTitle("Select", "", UIAlertControllerStyleActionSheet);
  Strings ran;
  for (const auto& [title, style] : std::vector<std::pair<std::string, UIAlertActionStyle>>{
           {"Add", UIAlertActionStyleDestructive},
           {"Cancel", UIAlertActionStyleCancel},
           {"Sort", UIAlertActionStyleDefault}}) {
    sheet->addAction(UIAlertAction::actionWithTitle(
        title, style, [&ran](const auto& action) { ran.push_back(action->title()); }));
  }
  sheet->addAction(UIAlertAction::actionWithTitle("Never", UIAlertActionStyleCancel));
  EXPECT_EQ(sheet->actions().size(), 3u);  // a second cancel action is refused
  sheet->addTextFieldWithConfigurationHandler();
  EXPECT_TRUE(sheet->textFields().empty());  // action sheets have none

  EXPECT_FALSE(sheet->pressButton("Sort"));  // not on screen
  root->presentViewController(sheet, true);
  EXPECT_FALSE(sheet->pressButton("Sort"));  // still appearing
  RunLoop::main().advance(0.35);
  // The presenter stays on screen under an alert.
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(UIAlertController::presented(), std::vector<std::shared_ptr<UIAlertController>>{sheet});
  EXPECT_FALSE(sheet->pressButton("Missing"));

  // The cancel button comes last; a tap on a button presses it.
  const auto cancel = sheet->buttonForAction(*sheet->actions()[1]);
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->title(), "Cancel");
  EXPECT_GT(cancel->frame().origin.y,
            sheet->buttonForAction(*sheet->actions()[2])->frame().origin.y);
  sheet->buttonForAction(*sheet->actions()[2])->tap();
  EXPECT_FALSE(sheet->pressButton("Add"));  // one press at a time
  EXPECT_TRUE(ran.empty());
  RunLoop::main().advance(0.2);
  EXPECT_TRUE(ran.empty());  // the dismissal is still running
  RunLoop::main().advance(0.2);
  EXPECT_EQ(ran, Strings{"Sort"});
  EXPECT_TRUE(UIAlertController::presented().empty());
  EXPECT_EQ(root->presentedViewController(), nullptr);

  std::weak_ptr<UIAlertController> weakSheet = sheet;
  sheet.reset();
  EXPECT_TRUE(weakSheet.expired());
}

TEST_F(AlertTest, AlertTextFieldsAreConfiguredAndReadByTheHandler) {
  auto alert = UIAlertController::alertControllerWithTitle("Reset", "Type your passcode",
                                                           UIAlertControllerStyleAlert);
  alert->addTextFieldWithConfigurationHandler([](const std::shared_ptr<UITextField>& field) {
    field->setSecureTextEntry(true);
    field->setKeyboardType(UIKeyboardTypeNumberPad);
  });
  std::string typed;
  std::weak_ptr<UIAlertController> weakAlert = alert;
  alert->addAction(UIAlertAction::actionWithTitle("No", UIAlertActionStyleCancel));
  alert->addAction(
      UIAlertAction::actionWithTitle("Yes", UIAlertActionStyleDefault, [&](const auto&) {
        if (auto a = weakAlert.lock()) typed = a->textFields()[0]->text();
      }));
  ASSERT_EQ(alert->textFields().size(), 1u);
  EXPECT_TRUE(alert->textFields()[0]->isSecureTextEntry());
  EXPECT_EQ(alert->textFields()[0]->keyboardType(), UIKeyboardTypeNumberPad);

  root->presentViewController(alert, false);
  RunLoop::main().advance(0.1);
  // Two buttons side by side, cancel on the left.
  const auto no = alert->buttonForAction(*alert->actions()[0]);
  const auto yes = alert->buttonForAction(*alert->actions()[1]);
  EXPECT_LT(no->frame().origin.x, yes->frame().origin.x);
  EXPECT_EQ(no->frame().origin.y, yes->frame().origin.y);
  EXPECT_EQ(alert->textFields()[0]->superview(), no->superview());

  alert->textFields()[0]->setText("1234");
  EXPECT_TRUE(alert->pressButton("Yes"));
  RunLoop::main().advance(0.4);
  EXPECT_EQ(typed, "1234");
}

TEST_F(AlertTest, AlertViewReportsTheButtonIndexToItsDelegate) {
  auto alert = UIAlertView::alert("Reset", "Erase everything?", "No", {"Yes"});
  EXPECT_EQ(alert->numberOfButtons(), 2);
  EXPECT_EQ(alert->cancelButtonIndex(), 0);
  EXPECT_EQ(alert->firstOtherButtonIndex(), 1);
  EXPECT_EQ(alert->addButtonWithTitle("Later"), 2);
  alert->setAlertViewStyle(UIAlertViewStyleSecureTextInput);
  ASSERT_NE(alert->textFieldAtIndex(0), nullptr);
  EXPECT_TRUE(alert->textFieldAtIndex(0)->isSecureTextEntry());
  EXPECT_EQ(alert->textFieldAtIndex(1), nullptr);

  std::vector<long> clicked, dismissed;
  alert->setClickedButtonCallback([&](const auto&, long index) { clicked.push_back(index); });
  alert->setDidDismissCallback([&](const auto&, long index) { dismissed.push_back(index); });
  EXPECT_FALSE(alert->pressButton("Yes"));  // not shown yet
  alert->show();
  EXPECT_EQ(UIAlertView::visibleAlerts().size(), 1u);
  EXPECT_FALSE(alert->pressButtonAtIndex(5));
  EXPECT_TRUE(alert->pressButton("Yes"));
  EXPECT_EQ(clicked, std::vector<long>{1});
  EXPECT_EQ(dismissed, std::vector<long>{1});
  EXPECT_TRUE(UIAlertView::visibleAlerts().empty());

  // A dismissal in code is not a click.
  alert->show();
  alert->dismissWithClickedButtonIndex(0);
  EXPECT_EQ(clicked, std::vector<long>{1});
  EXPECT_EQ(dismissed, (std::vector<long>{1, 0}));
}

TEST_F(AlertTest, SoundsAndTheVideoPlayerAreRecorded) {
  AudioServicesPlaySystemSound(kSystemSoundID_KeyPressClick);
  AudioServicesPlaySystemSound(kSystemSoundID_Vibrate);
  EXPECT_EQ(AudioServices::playedSounds(), (std::vector<SystemSoundID>{1104, 4095}));
  AudioServices::clearPlayedSounds();
  EXPECT_TRUE(AudioServices::playedSounds().empty());

  // The tutorial's road: the player is presented, then told to play.
  const auto player = AVPlayer::playerWithURL("https://example.com/tutorial.m3u8");
  auto page = std::make_shared<AVPlayerViewController>();
  page->setPlayer(player);
  EXPECT_TRUE(page->showsPlaybackControls());
  root->presentViewController(page, true, [player] { player->play(); });
  EXPECT_FALSE(player->isPlaying());
  RunLoop::main().advance(0.3);
  EXPECT_TRUE(player->isPlaying());
  EXPECT_EQ(player->rate(), 1.0f);
  EXPECT_EQ(player->url(), "https://example.com/tutorial.m3u8");
  player->pause();
  EXPECT_EQ(player->rate(), 0.0f);
}

}  // namespace
}  // namespace host
