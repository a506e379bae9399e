#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DeviceTestSupport.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/NSBundle.h"
#include "foundation/PropertyListSerialization.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSListItemsController.h"
#include "preferences/PSTableCell.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesApp.h"
#include "runtime/Runtime.h"
#include "support/UITableViewTestApi.h"
#include "uikit/UIApplication.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationController.h"
#include "uikit/UITableView.h"

namespace vorlan {
namespace {

using host::PSSpecifier;

class SettingsContentTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    if (HasFatalFailure()) return;
    app = host::PreferencesApp::launch();
    main = app->rootList();
  }

  // Taps the cell and answers the page on top afterwards.
  std::shared_ptr<host::UIViewController> open(const std::shared_ptr<PSSpecifier>& cell) {
    const auto path = main->indexPathForSpecifier(cell.get());
    if (!path) return nullptr;
    host::UITableViewTestApi(main->table()).tapRowAtIndexPath(*path);
    host::RunLoop::main().advance(1);
    return app->navigationController()->topViewController();
  }

  std::shared_ptr<PSSpecifier> cellNamed(const std::string& name) {
    for (const auto& item : main->specifiers()) {
      if (item->name() == name) return item;
    }
    return nullptr;
  }

  std::shared_ptr<host::PreferencesApp> app;
  std::shared_ptr<host::PSUIPrefsListController> main;
};

constexpr const char* kSystemRows =
    "AIRPLANE_MODE,WIFI,Bluetooth,MOBILE_DATA_SETTINGS_ID,PERSONAL_HOTSPOT"
    "|NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB"
    "|General,DISPLAY,WALLPAPER,SOUNDS,SIRI,PASSCODE,BATTERY_USAGE,Privacy"
    "|CASTLE,STORE"
    "|MAIL,CONTACTS,CALENDAR,NOTES,REMINDERS,PHONE,MESSAGES,FACETIME,MAPS,SAFARI,MUSIC,PHOTOS,"
    "GAMECENTER,<TV Provider>"
    "|Chroma";

TEST_F(SettingsContentTest, TheMainListIsTheDevicesThenTheAppsArriveLate) {
  EXPECT_EQ(rows(*main), kSystemRows);
  EXPECT_EQ(main->specifierForID("WIFI")->name(), "Wi-Fi");
  EXPECT_EQ(main->specifierForID("AIRPLANE_MODE")->cellType(), PSSpecifier::PSSwitchCell);
  EXPECT_EQ(main->specifierForID("PHOTOS")->name(), "Photos & Camera");

  // Every cell has its 29-point icon at 2x.
  for (const auto& item : main->specifiers()) {
    if (item->isGroup()) continue;
    const auto icon = std::dynamic_pointer_cast<host::UIImage>(item->objectForKey("iconImage"));
    ASSERT_TRUE(icon) << item->name();
    EXPECT_EQ(icon->width(), 29) << item->name();
    EXPECT_EQ(icon->scale(), 2) << item->name();
  }

  host::RunLoop::main().advance(host::PSUIPrefsListController::kThirdPartyDelay + 0.05);
  EXPECT_EQ(rows(*main), std::string(kSystemRows) +
                             "|com.cartograph.atlas,com.signalhouse.beacon,com.tempoapps.cadence,"
                             "com.shoreline.driftwood,com.hearthstudio.ember,com.deepwater.fathom,"
                             "com.prismlab.glint,com.moorings.harbor");
  const auto atlas = main->specifierForID("com.cartograph.atlas");
  EXPECT_EQ(atlas->name(), "Atlas");
  EXPECT_TRUE(std::dynamic_pointer_cast<host::UIImage>(atlas->objectForKey("iconImage")));
}

TEST_F(SettingsContentTest, SystemPagesHaveTheirControllerClassesAndRows) {
  EXPECT_EQ(main->specifierForID("PASSCODE")->detailControllerClass()->name(),
            "PSUITouchIDPasscodeController");
  EXPECT_EQ(main->specifierForID("DISPLAY")->detailControllerClass()->name(),
            "PSUIDisplayController");
  const auto account = main->specifierForID("CASTLE");
  ASSERT_TRUE(account->detailControllerClass());
  EXPECT_EQ(account->detailControllerClass()->name(), "AAUIMainSettingsViewController");
  EXPECT_EQ(*account->propertyForKey("lazy-bundle").asString(),
            "/System/Library/PreferenceBundles/AccountSettings/AppleAccountSettings.bundle");

  auto display =
      std::dynamic_pointer_cast<host::PSListController>(open(main->specifierForID("DISPLAY")));
  ASSERT_TRUE(display);
  EXPECT_EQ(display->className(), "PSUIDisplayController");
  EXPECT_EQ(display->title(), "Display & Brightness");
  EXPECT_EQ(rows(*display), "AUTO_BRIGHTNESS|NIGHT_SHIFT|AUTO_LOCK,RAISE_TO_WAKE|BOLD_TEXT");
  EXPECT_FALSE(display->tableViewTitleForFooterInSection(*display->table(), 1).empty());

  app->navigationController()->popViewControllerAnimated(false);
  host::RunLoop::main().advance(1);
  auto icloud = std::dynamic_pointer_cast<host::PSListController>(open(account));
  ASSERT_TRUE(icloud);
  EXPECT_EQ(icloud->className(), "AAUIMainSettingsViewController");
  EXPECT_EQ(icloud->bundle()->bundlePath(),
            "/System/Library/PreferenceBundles/AccountSettings/AppleAccountSettings.bundle");
  EXPECT_NE(rows(*icloud).find("FIND_MY_IPHONE"), std::string::npos);
}

TEST_F(SettingsContentTest, AppCellsOpenTheirSettingsBundles) {
  host::RunLoop::main().advance(host::PSUIPrefsListController::kThirdPartyDelay + 0.05);
  auto page = std::dynamic_pointer_cast<host::PSAppListController>(
      open(main->specifierForID("com.signalhouse.beacon")));
  ASSERT_TRUE(page);
  EXPECT_EQ(page->title(), "Beacon");
  EXPECT_EQ(rows(*page), "NOTIFICATIONS|server|push");
  EXPECT_EQ(page->specifierForID("server")->cellType(), PSSpecifier::PSEditTextCell);
  EXPECT_EQ(page->specifierForID("push")->performGetter(), host::Plist::boolean(true));
}

TEST_F(SettingsContentTest, TheDisabledCellStaysAndTheCellWithoutIdentifierOpens) {
  const auto hotspot = main->specifierForID("PERSONAL_HOTSPOT");
  EXPECT_EQ(hotspot->propertyForKey("enabled"), host::Plist::boolean(false));
  EXPECT_EQ(open(hotspot), main);

  const auto provider = cellNamed("TV Provider");
  ASSERT_TRUE(provider);
  EXPECT_TRUE(provider->identifier().empty());
  auto page = std::dynamic_pointer_cast<host::PSListController>(open(provider));
  ASSERT_TRUE(page);
  EXPECT_EQ(page->className(), "PSUITVProviderController");
  EXPECT_EQ(rows(*page), "TV_PROVIDER_NONE");
}

TEST_F(SettingsContentTest, ThePreferenceBundlePageGetsItsDataSource) {
  // The bundle's classes exist only once it is loaded (the main list loads it for its cell).
  const auto chroma = main->specifierForID("Chroma");
  EXPECT_EQ(*chroma->propertyForKey("dataSourceClass").asString(), "ChromaDataSource");
  EXPECT_EQ(*chroma->propertyForKey("lazy-bundle").asString(),
            "/Library/PreferenceBundles/Chroma.bundle");
  ASSERT_TRUE(host::NSClassFromString("ChromaDataSource"));

  auto page = std::dynamic_pointer_cast<host::PSListController>(open(chroma));
  ASSERT_TRUE(page);
  EXPECT_EQ(page->className(), "ChromaListController");
  EXPECT_EQ(rows(*page), "ChromaEnabled|ChromaVivid,ChromaAbout");
  const auto& source = host::MSHookIvar<std::shared_ptr<host::Object>>(page, "_dataSource");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->className(), "ChromaDataSource");

  // Made by name, as other code does, the page still finds its list.
  auto byName = std::dynamic_pointer_cast<host::PSListController>(
      host::NSClassFromString("ChromaListController")->createInstance());
  ASSERT_TRUE(byName);
  EXPECT_EQ(rows(*byName), "ChromaEnabled|ChromaVivid,ChromaAbout");
}

TEST_F(SettingsContentTest, InstalledAppsAnswerCanOpenURL) {
  const auto& application = host::UIApplication::sharedApplication();
  EXPECT_TRUE(application->canOpenURL("atlas://map"));
  EXPECT_TRUE(application->canOpenURL("HARBOUR://sync"));
  EXPECT_TRUE(application->canOpenURL("https://example.com"));
  // The follow link takes the web route on this device.
  EXPECT_FALSE(application->canOpenURL("tweetbot:///user_profile/x"));
  EXPECT_FALSE(application->canOpenURL("tweetings:///user?screen_name=x"));
  EXPECT_FALSE(application->canOpenURL("twitter://user?screen_name=x"));
}

TEST_F(SettingsContentTest, MultiValueAndChildPanePagesStoreInTheAppsDomain) {
  host::RunLoop::main().advance(host::PSUIPrefsListController::kThirdPartyDelay + 0.05);
  auto atlas = std::dynamic_pointer_cast<host::PSListController>(
      open(main->specifierForID("com.cartograph.atlas")));
  ASSERT_TRUE(atlas);
  const auto units = atlas->specifierForID("units");
  const auto unitsRow = [&] {
    atlas->table()->layoutIfNeeded();
    return std::dynamic_pointer_cast<host::PSTableCell>(
        atlas->table()->cellForRowAtIndexPath(*atlas->indexPathForSpecifier(units.get())));
  };
  ASSERT_TRUE(unitsRow());
  EXPECT_EQ(unitsRow()->detailTextLabel()->text(), "Kilometres");  // the default's title

  host::UITableViewTestApi(atlas->table())
      .tapRowAtIndexPath(*atlas->indexPathForSpecifier(units.get()));
  host::RunLoop::main().advance(1);
  auto choices = std::dynamic_pointer_cast<host::PSListItemsController>(
      app->navigationController()->topViewController());
  ASSERT_TRUE(choices);
  EXPECT_EQ(rows(*choices), "Kilometres,Miles");
  const auto ticked = [&](long row) {
    choices->table()->layoutIfNeeded();
    return choices->table()->cellForRowAtIndexPath({0, row})->accessoryType() ==
           host::UITableViewCellAccessoryCheckmark;
  };
  EXPECT_TRUE(ticked(0));
  EXPECT_FALSE(ticked(1));
  host::UITableViewTestApi(choices->table()).tapRowAtIndexPath({0, 1});
  host::RunLoop::main().advance(0.5);
  EXPECT_FALSE(ticked(0));
  EXPECT_TRUE(ticked(1));
  const auto stored = [&](const std::string& domain, const std::string& key) {
    const auto bytes = host::DeviceFileSystem::current()->readFile(
        "/var/mobile/Library/Preferences/" + domain + ".plist");
    return bytes ? host::PropertyListSerialization::read(*bytes).value.get(key) : host::Plist();
  };
  EXPECT_EQ(stored("com.cartograph.atlas", "units"), host::Plist::string("mi"));
  EXPECT_EQ(unitsRow()->detailTextLabel()->text(), "Miles");

  // A child pane is the bundle's file it names, with the app's domain.
  app->navigationController()->popToRootViewControllerAnimated(false);
  host::RunLoop::main().advance(1);
  auto cadence = std::dynamic_pointer_cast<host::PSListController>(
      open(main->specifierForID("com.tempoapps.cadence")));
  ASSERT_TRUE(cadence);
  host::UITableViewTestApi(cadence->table())
      .tapRowAtIndexPath(
          *cadence->indexPathForSpecifier(cadence->specifierForID("Licences").get()));
  host::RunLoop::main().advance(1);
  auto licences = std::dynamic_pointer_cast<host::PSListController>(
      app->navigationController()->topViewController());
  ASSERT_TRUE(licences);
  EXPECT_EQ(rows(*licences), "decoderLicence,shareUsage");
  const auto share = licences->specifierForID("shareUsage");
  share->performSetterWithValue(host::Plist::boolean(false));
  EXPECT_EQ(stored("com.tempoapps.cadence", "shareUsage"), host::Plist::boolean(false));
}

TEST_F(DeviceTest, DamagedPageFilesLeaveEmptyPagesAndSayWhy) {
  device.writeRaw("/Applications/Preferences.app/Settings.plist", "<plist><dict>");
  device.writeRaw("/Applications/Beacon.app/Settings.bundle/Root.plist",
                  "<plist><string/></plist>");
  const auto app = host::PreferencesApp::launch();
  const auto main = app->rootList();
  EXPECT_EQ(rows(*main), "");
  host::RunLoop::main().advance(host::PSUIPrefsListController::kThirdPartyDelay + 0.05);
  const auto beacon = main->specifierForID("com.signalhouse.beacon");
  ASSERT_TRUE(beacon);  // the apps still arrive
  host::UITableViewTestApi(main->table())
      .tapRowAtIndexPath(*main->indexPathForSpecifier(beacon.get()));
  host::RunLoop::main().advance(1);
  const auto page = std::dynamic_pointer_cast<host::PSListController>(
      app->navigationController()->topViewController());
  ASSERT_TRUE(page);
  EXPECT_EQ(rows(*page), "NOTIFICATIONS");  // the system's own cells, nothing from the app

  EXPECT_TRUE(logMentions("Could not load /Applications/Preferences.app/Settings.plist: "));
  EXPECT_TRUE(
      logMentions("Could not load /Applications/Beacon.app/Settings.bundle/Root.plist: it is "
                  "not a dictionary"));
}

}  // namespace
}  // namespace vorlan
