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
#include "preferences/PSSystemPolicyForApp.h"
#include "preferences/PreferencesAppController.h"
#include "support/Snapshot.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITraitCollection.h"
#include "uikit/UIViewControllerPreviewing.h"

namespace vorlan::test {
namespace {

// The main list registered for peeks, as its first appearance registers it; a press at a row
// asks the main list for a preview through the registration.
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
                                               {"Key", Plist::string("sync")},
                                               {"DefaultValue", Plist::boolean(true)}})})}}));
  }
  void TearDown() override {
    stage().previewingContext.reset();
    stage().passcodeView.reset();
    stage().settingsButton.reset();
    CellSwipe::shared().lastCell.reset();
    SettingsProcessTest::TearDown();
  }

  void launchRegistered() {
    launch();
    hooks::peek::registerForPreviewing(*main());
    ASSERT_TRUE(stage().previewingContext);
  }
  // A firm press at the middle of the row showing the cell (or at a point of the table).
  std::shared_ptr<host::UIViewController> peekAt(const std::string& identifier) {
    const auto path = main()->indexPathForSpecifier(main()->specifierForID(identifier).get());
    EXPECT_TRUE(path) << identifier;
    if (!path) return nullptr;
    const auto row = main()->table()->rectForRowAtIndexPath(*path);
    return peekAt(host::CGPoint{row.midX(), row.midY()});
  }
  std::shared_ptr<host::UIViewController> peekAt(const host::CGPoint& point) {
    return stage().previewingContext->peek(point);
  }
  static bool forceTouching() { return CellSwipe::shared().forceTouching; }

  static Plist mainListFlag(const std::string& identifier) {
    return Plist::dictionary(
        {{"PSUIPrefsListController", Plist::dictionary({{identifier, Plist::boolean(true)}})}});
  }
  static Plist mainListOff(const std::string& identifier) {
    return Plist::dictionary(
        {{"PSUIPrefsListController", Plist::dictionary({{identifier, Plist::boolean(false)}})}});
  }
};

TEST_F(PeekTest, AnAppRowPreviewsThePageBuiltHereAndCommittingShowsIt) {
  launchRegistered();
  const auto preview = std::dynamic_pointer_cast<host::PSAppListController>(peekAt("com.x.notes"));
  ASSERT_TRUE(preview);
  EXPECT_TRUE(forceTouching());  // the press reaches the cell swipe, which lets it pass
  EXPECT_EQ(preview->title(), "Notes");
  ASSERT_TRUE(preview->specifierForID("sync"));
  EXPECT_TRUE(preview->systemPolicy() &&
              preview->systemPolicy()->bundleIdentifier() == "com.x.notes");
  const auto path = *main()->indexPathForSpecifier(main()->specifierForID("com.x.notes").get());
  EXPECT_EQ(stage().previewingContext->sourceRect(),
            main()->table()->cellForRowAtIndexPath(path)->frame());

  preview->view()->setFrame(app->window()->bounds());
  host::UIView::layoutAllPending();
  EXPECT_SNAPSHOT(preview->view(), "app_page_preview");

  ASSERT_TRUE(stage().previewingContext->commit());
  settle();
  EXPECT_FALSE(forceTouching());
  EXPECT_EQ(navigation().topViewController(), preview);
}

TEST_F(PeekTest, DisabledSwitchBundlelessAndEmptyPlacesGiveNoPreview) {
  writeSettings(Plist::dictionary({{"enabled", mainListOff("WIFI")}}));
  launchRegistered();
  // A page named by class alone, with no bundle on the device, is not built for a preview.
  for (const std::string identifier : {"WIFI", "AIRPLANE_MODE", "General"}) {
    EXPECT_FALSE(peekAt(identifier)) << identifier;
    EXPECT_FALSE(forceTouching()) << identifier;
  }
  const auto size = main()->table()->contentSize();
  EXPECT_FALSE(peekAt(host::CGPoint{100, size.height + 200}));
  EXPECT_FALSE(forceTouching());
  EXPECT_EQ(navigation().topViewController(), main());
  EXPECT_FALSE(stage().passcodeView);
}

TEST_F(PeekTest, AProtectedRowAndThePasscodeRowGoToTheSelectionInstead) {
  writeSettings(Plist::dictionary(
      {{"password", Plist::string("1234")},
       {"class", Plist::dictionary({{"com.x.notes", Plist::string("PSUIPrefsListController")}})},
       {"passcode", mainListFlag("com.x.notes")}}));
  // The passcode page, which the main list opens unprotected when no row of it is protected.
  host::Class* passcodePage = host::Runtime::shared().defineClass(
      "PSUITouchIDPasscodeController", host::PSListController::objcClass(),
      host::factoryFor<host::PSListController>());
  launchRegistered();

  EXPECT_FALSE(peekAt("com.x.notes"));
  EXPECT_FALSE(forceTouching());
  settle();
  ASSERT_TRUE(stage().passcodeView);
  EXPECT_TRUE(stage().passcodeView->isShow());
  EXPECT_EQ(navigation().topViewController(), main());
  stage().passcodeView->dismissShape(false);

  main()->specifierForID("Privacy")->setDetailControllerClass(passcodePage);
  EXPECT_FALSE(peekAt("Privacy"));
  settle();
  EXPECT_EQ(navigation().topViewController()->getClass(), passcodePage);
}

TEST_F(PeekTest, APressOnACellShiftedByASwipeLeavesTheSwipeAlone) {
  launchRegistered();
  const auto path = *main()->indexPathForSpecifier(main()->specifierForID("com.x.notes").get());
  const auto cell = main()->table()->cellForRowAtIndexPath(path);
  CellSwipe::shared().lastCell = cell;
  auto content = cell->contentView()->frame();
  content.origin.x = -60;
  cell->contentView()->setFrame(content);
  EXPECT_FALSE(peekAt("com.x.notes"));
  EXPECT_FALSE(forceTouching());

  content.origin.x = 0;
  cell->contentView()->setFrame(content);
  EXPECT_TRUE(peekAt("com.x.notes"));
}

TEST_F(PeekTest, TheFirstAppearanceOnAFreshDeviceWelcomesOnceAndRegistersForPeeksOnce) {
  welcomed = false;
  launch();
  const auto root =
      std::dynamic_pointer_cast<host::UIViewController>(app->window()->rootViewController());
  const auto welcome =
      std::dynamic_pointer_cast<tutorialController>(root->presentedViewController());
  ASSERT_TRUE(welcome);
  EXPECT_EQ(device.readPlist(VLPreferencesManager::kSettingsPath).get("tutorial").asBoolean(),
            true);
  const auto context = stage().previewingContext;
  ASSERT_TRUE(context);

  // The main list appears again when the screen goes and after a page was opened.
  welcome->dismissViewControllerAnimated(false);
  push({group(), cell("a")});
  navigation().popViewControllerAnimated(false);
  settle();
  EXPECT_FALSE(root->presentedViewController());
  EXPECT_EQ(stage().previewingContext, context);
  EXPECT_EQ(main()->previewingContexts().size(), 1u);
}

TEST_F(PeekTest, OnlyADeviceWithForceTouchRegistersTheMainList) {
  host::UITraitCollection::setDeviceForceTouchCapability(host::UIForceTouchCapabilityUnavailable);
  launch();
  hooks::peek::registerForPreviewing(*main());
  EXPECT_FALSE(stage().previewingContext);
  host::UITraitCollection::setDeviceForceTouchCapability(host::UIForceTouchCapabilityAvailable);
  hooks::peek::registerForPreviewing(*main());
  const auto context = stage().previewingContext;
  ASSERT_TRUE(context);
  hooks::peek::registerForPreviewing(*main());
  EXPECT_EQ(stage().previewingContext, context);
  EXPECT_EQ(main()->previewingContexts().size(), 1u);
}

TEST_F(PeekTest, TwoColumnsDropTheTagFilterAndPanelsAndHideTheGearUntilOneColumnAgain) {
  launch();
  const std::string full = rows(*main());
  // A tag filter shows only some cells.
  main()->removeContiguousSpecifiers(
      {main()->specifierForID("WIFI"), main()->specifierForID("General")}, false);
  stage().isInTagView = true;
  const auto gear = stage().settingsButton;
  ASSERT_TRUE(gear);
  auto panel = skyView::make(app->window()->bounds());
  app->window()->addSubview(panel);
  panel->showFromRect({10, 10, 10, 10}, {10, 10, 200, 200});
  host::send<hooks::stage::SettingsButtonTapped>(main());  // the configuration page opens
  settle();
  ASSERT_NE(MainListStage::rootView()->frame().origin.x, 0);

  const auto delegate = app->delegate();
  delegate->splitViewControllerSeparateSecondary(nullptr, main());
  settle();
  EXPECT_FALSE(stage().isInTagView);
  EXPECT_EQ(rows(*main()), full);
  EXPECT_TRUE(gear->view()->isHidden());
  EXPECT_FALSE(panel->isShow());
  EXPECT_EQ(MainListStage::rootView()->frame().origin.x, 0);

  delegate->splitViewControllerCollapseSecondary(nullptr, main(), main());
  EXPECT_FALSE(gear->view()->isHidden());
}

}  // namespace
}  // namespace vorlan::test
