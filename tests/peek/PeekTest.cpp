#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SupportImages.h"
#include "hooks/CellSwipe.h"
#include "hooks/HooksTestSupport.h"
#include "hooks/Vorlan3+Peek.h"
#include "hooks/Vorlan3+Stage.h"
#include "hooks/settingsVLBarButtonItem.h"
#include "info/tutorialController.h"
#include "panels/passcodeSkyView.h"
#include "panels/skyView.h"
#include "preferences/PSAppListController.h"
#include "preferences/PreferencesAppController.h"
#include "support/Snapshot.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITraitCollection.h"
#include "uikit/UIViewControllerPreviewing.h"

namespace vorlan::test {
namespace {

// The main list as it first appears (registered for peeks on a device with force touch); a
// firm press at a row asks it for a preview through that registration.
class PeekTest : public SettingsProcessTest {
 protected:
  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(SupportImages::install(device.fs(), nullptr));
    device.writePlist(
        "/Applications/Notes.app/Settings.bundle/Root.plist",
        Plist::dictionary(
            {{"PreferenceSpecifiers",
              Plist::array({Plist::dictionary({{"Type", Plist::string("PSToggleSwitchSpecifier")},
                                               {"Title", Plist::string("Sync Notes")},
                                               {"Key", Plist::string("sync")}})})}}));
  }
  std::shared_ptr<host::UIViewController> peekAt(const std::string& identifier) {
    const auto path = main()->indexPathForSpecifier(main()->specifierForID(identifier).get());
    if (!path) return nullptr;
    const auto row = main()->table()->rectForRowAtIndexPath(*path);
    return stage().previewingContext->peek({row.midX(), row.midY()});
  }
  static bool forceTouching() { return CellSwipe::shared().forceTouching; }
  static Plist byMain(const std::string& identifier, Plist value) {
    return Plist::dictionary(
        {{"PSUIPrefsListController", Plist::dictionary({{identifier, std::move(value)}})}});
  }
};

TEST_F(PeekTest, AnAppRowPreviewsThePageBuiltHereAndCommittingShowsIt) {
  launch();
  const auto preview = std::dynamic_pointer_cast<host::PSAppListController>(peekAt("com.x.notes"));
  ASSERT_TRUE(preview);
  EXPECT_TRUE(forceTouching());  // the press reaching the cell swipe is not taken for a swipe
  EXPECT_EQ(preview->title(), "Notes");
  EXPECT_TRUE(preview->specifierForID("sync"));
  preview->view()->setFrame(app->window()->bounds());
  EXPECT_SNAPSHOT(preview->view(), "app_page_preview");

  ASSERT_TRUE(stage().previewingContext->commit());
  settle();
  EXPECT_FALSE(forceTouching());
  EXPECT_EQ(navigation().topViewController(), preview);
}

TEST_F(PeekTest, NoPreviewForDisabledSwitchBundlelessEmptyOrSwipedRows) {
  writeSettings(Plist::dictionary({{"enabled", byMain("WIFI", Plist::boolean(false))}}));
  launch();
  // A page named by its class alone, with no bundle on the device, is not built for a preview.
  for (const std::string identifier : {"WIFI", "AIRPLANE_MODE", "General"}) {
    EXPECT_FALSE(peekAt(identifier)) << identifier;
    EXPECT_FALSE(forceTouching()) << identifier;
  }
  EXPECT_FALSE(stage().previewingContext->peek({100, main()->table()->contentSize().height + 50}));
  EXPECT_FALSE(forceTouching());
  // A row whose content a swipe has moved aside is left to the swipe.
  const auto path = *main()->indexPathForSpecifier(main()->specifierForID("com.x.notes").get());
  const auto cell = main()->table()->cellForRowAtIndexPath(path);
  CellSwipe::shared().lastCell = cell;
  cell->contentView()->setFrame({{-60, 0}, cell->contentView()->frame().size});
  EXPECT_FALSE(peekAt("com.x.notes"));
  EXPECT_EQ(navigation().topViewController(), main());
  EXPECT_FALSE(stage().passcodeView);
}

TEST_F(PeekTest, AProtectedRowAndThePasscodeRowAreSelectedAsATapWouldInstead) {
  writeSettings(Plist::dictionary(
      {{"password", Plist::string("1234")},
       {"class", Plist::dictionary({{"com.x.notes", Plist::string("PSUIPrefsListController")}})},
       {"passcode", byMain("com.x.notes", Plist::boolean(true))}}));
  host::Class* passcodePage = host::Runtime::shared().defineClass(
      "PSUITouchIDPasscodeController", host::PSListController::objcClass(),
      host::factoryFor<host::PSListController>());
  launch();
  EXPECT_FALSE(peekAt("com.x.notes"));
  EXPECT_FALSE(forceTouching());
  settle();
  ASSERT_TRUE(stage().passcodeView && stage().passcodeView->isShow());
  EXPECT_EQ(navigation().topViewController(), main());
  stage().passcodeView->dismissShape(false);

  // Unprotected here, so the tap's selection opens it.
  main()->specifierForID("Privacy")->setDetailControllerClass(passcodePage);
  EXPECT_FALSE(peekAt("Privacy"));
  settle();
  EXPECT_EQ(navigation().topViewController()->getClass(), passcodePage);
}

TEST_F(PeekTest, AFreshDeviceIsWelcomedOnceAndOnlyForceTouchRegistersForPeeksOnce) {
  welcomed = false;
  host::UITraitCollection::setDeviceForceTouchCapability(host::UIForceTouchCapabilityUnavailable);
  launch();
  const auto root =
      std::dynamic_pointer_cast<host::UIViewController>(app->window()->rootViewController());
  const auto welcome =
      std::dynamic_pointer_cast<tutorialController>(root->presentedViewController());
  ASSERT_TRUE(welcome);
  EXPECT_FALSE(stage().previewingContext);

  host::UITraitCollection::setDeviceForceTouchCapability(host::UIForceTouchCapabilityAvailable);
  welcome->dismissViewControllerAnimated(false);  // the main list appears again, twice
  push({group(), cell("a")});
  navigation().popViewControllerAnimated(false);
  settle();
  EXPECT_FALSE(root->presentedViewController());
  EXPECT_EQ(main()->previewingContexts().size(), 1u);
}

TEST_F(PeekTest, TwoColumnsDropTheTagFilterSidePageAndPanelsAndHideTheGearUntilOneAgain) {
  launch();
  const std::string full = rows(*main());
  main()->removeContiguousSpecifiers({main()->specifierForID("WIFI")}, false);  // a tag filter
  stage().isInTagView = true;
  auto panel = skyView::make(app->window()->bounds());
  app->window()->addSubview(panel);
  panel->showFromRect({10, 10, 10, 10}, {10, 10, 200, 200});
  host::send<hooks::stage::SettingsButtonTapped>(main());  // the configuration page opens
  settle();

  app->delegate()->splitViewControllerSeparateSecondary(nullptr, main());
  settle();
  EXPECT_FALSE(stage().isInTagView);
  EXPECT_EQ(rows(*main()), full);
  EXPECT_TRUE(stage().settingsButton->view()->isHidden());
  EXPECT_FALSE(panel->isShow());
  EXPECT_EQ(MainListStage::rootView()->frame().origin.x, 0);

  app->delegate()->splitViewControllerCollapseSecondary(nullptr, main(), main());
  EXPECT_FALSE(stage().settingsButton->view()->isHidden());
}

}  // namespace
}  // namespace vorlan::test
