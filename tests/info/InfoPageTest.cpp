#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
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
using Events = std::vector<std::string>;

// The info page over a window whose root page presents, with the support images, a settings
// file and a stand-in stage that counts the requests to close its side page.
class InfoPage : public test::PanelTest, public Stage {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
    root->view()->setFrame(window->bounds());
    window->setRootViewController(root);
    window->addSubview(root->view());
    setCurrent(this);
    host::PlatformEvents::clear();
  }
  void TearDown() override {
    setCurrent(nullptr);
    host::UIApplication::sharedApplication()->setInstalledURLSchemes({"http", "https"});
    PanelTest::TearDown();
  }
  void closeSidePage() override { ++closed; }
  std::shared_ptr<host::PSListController> currentListPage() const override { return nullptr; }

  void store(const Plist& settings) {
    device.writePlist(VLPreferencesManager::kSettingsPath, settings);
    VLPreferencesManager::sharedInstance()->updatedDictionary();
  }
  Plist stored() const { return device.readPlist(VLPreferencesManager::kSettingsPath); }
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
    finger->tap({frame.midX(), frame.midY()});
    wait(0.1);
  }

  TempDevice device;
  std::shared_ptr<host::UIViewController> root = std::make_shared<host::UIViewController>();
  int closed = 0;
};

TEST_F(InfoPage, ResetErasesAtOnceWithoutAPasscodeElseOnlyOnYesWithTheExactOne) {
  const Events restart{"system killall -HUP SpringBoard"};
  store(Plist::dictionary({{"password", Plist::string("")}}));
  const auto panel = open();
  tap(panel->reset());
  EXPECT_TRUE(host::UIAlertView::visibleAlerts().empty());
  EXPECT_TRUE(stored().isNone());
  EXPECT_EQ(host::PlatformEvents::take(), restart);

  const Plist settings = Plist::dictionary({{"password", Plist::string("1234")}});
  store(settings);
  for (const auto& [typed, button] : std::vector<std::pair<std::string, std::string>>{
           {"1243", "Yes"}, {"123", "Yes"}, {"", "Yes"}, {"1234", "No"}, {"1234", "Yes"}}) {
    tap(panel->reset());
    ASSERT_EQ(host::UIAlertView::visibleAlerts().size(), 1u);
    const auto alert = host::UIAlertView::visibleAlerts().front();
    EXPECT_EQ(alert->alertViewStyle(), host::UIAlertViewStyleSecureTextInput);
    EXPECT_EQ(alert->textFieldAtIndex(0)->keyboardType(), host::UIKeyboardTypeNumberPad);
    alert->textFieldAtIndex(0)->setText(typed);
    alert->pressButton(button);
    if (typed == "1234" && button == "Yes") break;
    EXPECT_EQ(stored(), settings) << typed << " " << button;
    EXPECT_TRUE(host::PlatformEvents::take().empty());
  }
  EXPECT_TRUE(stored().isNone());
  EXPECT_EQ(host::PlatformEvents::take(), restart);
}

TEST_F(InfoPage, ThePictureFollowsInTheFirstAppThatCanShowTheProfileElseOnTheWeb) {
  const auto panel = open();
  const auto follow = [&](std::set<std::string> schemes) {
    schemes.insert("https");
    host::UIApplication::sharedApplication()->setInstalledURLSchemes(std::move(schemes));
    tap(panel->me());
    return host::PlatformEvents::take();
  };
  const std::string handle = infoSkyView::kProfileHandle;
  EXPECT_EQ(follow({"twitter", "tweetings", "tweetbot"}),
            Events{"open tweetbot:///user_profile/" + handle});
  EXPECT_EQ(follow({"twitter", "tweetings"}),
            Events{"open tweetings:///user?screen_name=" + handle});
  EXPECT_EQ(follow({"twitter"}), Events{"open twitter://user?screen_name=" + handle});
  EXPECT_EQ(follow({}), Events{std::string("open ") + infoSkyView::kWebFollowURL});
}

TEST_F(InfoPage, TutorialClosesTheSidePageAndPanelAndThePlayerPlaysOnlyAfterTheWelcomeLeaves) {
  const auto panel = open();
  tap(panel->tutorial());
  wait(1);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(panel->superview(), nullptr);
  const auto welcome =
      std::dynamic_pointer_cast<tutorialController>(root->presentedViewController());
  ASSERT_TRUE(welcome);

  tap(welcome->ok());
  EXPECT_EQ(root->presentedViewController(), welcome);  // still sliding away
  wait(0.35);
  EXPECT_NE(root->presentedViewController(), welcome);
  EXPECT_TRUE(host::PlatformEvents::take().empty());  // the player is still coming up
  wait(0.35);
  EXPECT_EQ(host::PlatformEvents::take(),
            Events{std::string("play ") + tutorialController::kVideoURL});
}

TEST_F(InfoPage, Snapshots) {
  window->setBackgroundColor(host::UIColor::colorWithWhite(0.15, 1));
  const auto panel = open();
  EXPECT_SNAPSHOT(window, "info_page");
  // The fade stays over the part of the history on screen.
  panel->info()->setContentOffset({0, 40});
  EXPECT_EQ(panel->info()->layer()->mask()->frame(), panel->info()->bounds());

  const auto welcome = tutorialController::make();
  root->presentViewController(welcome, false);
  EXPECT_SNAPSHOT(welcome->view(), "welcome_screen");
}

}  // namespace
}  // namespace vorlan
