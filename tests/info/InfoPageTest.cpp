#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "SupportImages.h"
#include "foundation/PlatformEvents.h"
#include "info/infoSkyView.h"
#include "info/tutorialController.h"
#include "panels/PanelTestSupport.h"
#include "panels/Stage.h"
#include "store/VLPreferencesManager.h"
#include "support/Snapshot.h"
#include "support/TempDevice.h"
#include "uikit/CALayer.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIApplication.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UIImageView.h"
#include "uikit/UITextField.h"
#include "uikit/UITextView.h"
#include "uikit/UIViewController.h"

namespace vorlan {
namespace {

using host::Plist;

// Stands in for the main list's stage, counting the requests to close its side page.
class RecordingStage : public Stage {
 public:
  RecordingStage() : previous_(Stage::current()) { setCurrent(this); }
  ~RecordingStage() override { setCurrent(previous_); }
  void closeSidePage() override { ++closed; }
  std::shared_ptr<host::PSListController> currentListPage() const override { return nullptr; }
  int closed = 0;

 private:
  Stage* previous_;
};

// The info page opened over a window whose root page can present, on a device with the
// support images and a settings file.
class InfoPage : public test::PanelTest {
 protected:
  static constexpr const char* kSettings = VLPreferencesManager::kSettingsPath;

  void SetUp() override {
    PanelTest::SetUp();
    ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
    root = std::make_shared<host::UIViewController>();
    root->view()->setFrame(window->bounds());
    window->setRootViewController(root);
    window->addSubview(root->view());
    host::PlatformEvents::clear();
  }
  void TearDown() override {
    for (const auto& alert : std::vector(host::UIAlertView::visibleAlerts()))
      alert->dismissWithClickedButtonIndex(0);
    host::UIApplication::sharedApplication()->setInstalledURLSchemes({"http", "https"});
    PanelTest::TearDown();
  }

  void store(const Plist& settings) {
    device.writePlist(kSettings, settings);
    VLPreferencesManager::sharedInstance()->updatedDictionary();
  }
  bool settingsFileExists() const {
    return device.fs().entryType(kSettings) != host::DeviceFileSystem::EntryType::None;
  }

  std::shared_ptr<infoSkyView> open() {
    auto panel = infoSkyView::make(window->bounds());
    window->addSubview(panel);
    panel->showFromRect({0, 78, 375, 135}, {10, -71.5, 355, 400});
    wait(1);
    host::UIView::layoutAllPending();
    return panel;
  }
  void tap(const std::shared_ptr<host::UIView>& view) {
    const host::CGRect frame = view->convertRectToView(view->bounds(), window.get());
    finger->tap({frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2});
    wait(0.1);
  }
  static std::vector<std::string> events() { return host::PlatformEvents::take(); }

  TempDevice device;
  std::shared_ptr<host::UIViewController> root;
};

const std::vector<std::string> kRestart{"system killall -HUP SpringBoard"};

TEST_F(InfoPage, ResetWithoutAPasscodeErasesAtOnce) {
  store(Plist::dictionary({{"hidden", Plist::dictionary()}, {"password", Plist::string("")}}));
  const auto panel = open();
  tap(panel->reset());
  EXPECT_TRUE(host::UIAlertView::visibleAlerts().empty());
  EXPECT_FALSE(settingsFileExists());
  EXPECT_EQ(events(), kRestart);
}

TEST_F(InfoPage, ResetWithAPasscodeErasesOnlyOnYesWithTheExactPasscode) {
  const Plist settings =
      Plist::dictionary({{"password", Plist::string("1234")}, {"tutorial", Plist::boolean(true)}});
  store(settings);
  const auto panel = open();
  const auto ask = [&](const std::string& typed, const std::string& button) {
    tap(panel->reset());
    const auto& alerts = host::UIAlertView::visibleAlerts();
    if (alerts.size() != 1) return std::shared_ptr<host::UIAlertView>();
    auto alert = alerts.front();
    alert->textFieldAtIndex(0)->setText(typed);
    alert->pressButton(button);
    return alert;
  };

  for (const auto& [typed, button] : std::vector<std::pair<std::string, std::string>>{
           {"1243", "Yes"}, {"123", "Yes"}, {"12345", "Yes"}, {"", "Yes"}, {"1234", "No"}}) {
    const auto alert = ask(typed, button);
    ASSERT_TRUE(alert) << typed;
    EXPECT_EQ(device.readPlist(kSettings), settings) << typed << " " << button;
  }
  EXPECT_TRUE(events().empty());

  const auto alert = ask("1234", "Yes");
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->title(), "Reset");
  EXPECT_EQ(alert->message(), infoSkyView::kResetMessage);
  EXPECT_EQ(alert->cancelButtonTitle(), "No");
  EXPECT_EQ(alert->buttonTitleAtIndex(1), "Yes");
  EXPECT_EQ(alert->alertViewStyle(), host::UIAlertViewStyleSecureTextInput);
  EXPECT_EQ(alert->textFieldAtIndex(0)->keyboardType(), host::UIKeyboardTypeNumberPad);
  EXPECT_FALSE(settingsFileExists());
  EXPECT_EQ(events(), kRestart);
}

TEST_F(InfoPage, ThePictureFollowsInTheFirstAppThatCanShowTheProfileElseOnTheWeb) {
  const auto panel = open();
  const auto follow = [&](std::set<std::string> schemes) {
    schemes.insert("https");
    host::UIApplication::sharedApplication()->setInstalledURLSchemes(std::move(schemes));
    tap(panel->me());
    return events();
  };
  const std::string handle = infoSkyView::kProfileHandle;
  EXPECT_EQ(follow({"twitter", "tweetings", "tweetbot"}),
            std::vector<std::string>{"open tweetbot:///user_profile/" + handle});
  EXPECT_EQ(follow({"twitter", "tweetings"}),
            std::vector<std::string>{"open tweetings:///user?screen_name=" + handle});
  EXPECT_EQ(follow({"twitter"}),
            std::vector<std::string>{"open twitter://user?screen_name=" + handle});
  EXPECT_EQ(follow({}),
            std::vector<std::string>{std::string("open ") + infoSkyView::kWebFollowURL});
}

TEST_F(InfoPage, TheHistoryFadeStaysOverTheVisibleTextWhileItScrolls) {
  const auto panel = open();
  const auto& info = panel->info();
  const auto& mask = info->layer()->mask();
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->bounds().size, info->bounds().size);
  info->setContentOffset({0, 40});
  EXPECT_EQ(mask->position(), (host::CGPoint{0, 40}));
  EXPECT_EQ(mask->frame().origin, info->bounds().origin);
}

TEST_F(InfoPage, TutorialClosesTheSidePageAndPanelThenTheWelcomeScreenPlaysAfterItLeaves) {
  RecordingStage stage;
  const auto panel = open();
  tap(panel->tutorial());
  wait(1);
  EXPECT_EQ(stage.closed, 1);
  EXPECT_EQ(panel->superview(), nullptr);
  const auto welcome =
      std::dynamic_pointer_cast<tutorialController>(root->presentedViewController());
  ASSERT_TRUE(welcome);

  tap(welcome->ok());
  // The welcome screen slides away first; the player comes only after it is gone.
  EXPECT_EQ(root->presentedViewController(), welcome);
  EXPECT_TRUE(events().empty());
  wait(0.35);
  const auto player = root->presentedViewController();
  ASSERT_TRUE(player);
  EXPECT_NE(player, welcome);
  EXPECT_TRUE(events().empty());
  wait(0.35);
  EXPECT_EQ(events(),
            std::vector<std::string>{std::string("play ") + tutorialController::kVideoURL});
}

TEST_F(InfoPage, Snapshots) {
  window->setBackgroundColor(host::UIColor::colorWithWhite(0.15, 1));
  const auto panel = open();
  EXPECT_SNAPSHOT(window, "info_page");

  const auto welcome = tutorialController::make();
  root->presentViewController(welcome, false);
  wait(0.1);
  EXPECT_SNAPSHOT(welcome->view(), "welcome_screen");
}

}  // namespace
}  // namespace vorlan
