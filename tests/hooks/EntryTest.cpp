#include <gtest/gtest.h>

#include "HooksTestSupport.h"
#include "foundation/DeviceFileSystem.h"
#include "hooks/Vorlan3Hooks.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PreferencesAppController.h"
#include "uikit/UIDevice.h"

namespace vorlan::test {
namespace {

using Group = Vorlan3::HookGroup;

bool hasAdditions() {
  return host::PSListController::objcClass()->instancesRespondToSelector("specifiersLoaded");
}

TEST_F(SettingsProcessTest, EntryMakesTheWorkingDirectoryAndLogsOnlyWhenItWasMissing) {
  device.fs().removeItem(Vorlan3::kWorkingDirectory);
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));
  state().originals = {cell("left over")};

  EXPECT_EQ(Vorlan3::processEntry(), Group::Preference);
  EXPECT_EQ(Vorlan3::processEntry(), Group::Preference);  // once per process

  bool isDirectory = false;
  EXPECT_TRUE(device.fs().fileExists(Vorlan3::kWorkingDirectory, &isDirectory));
  EXPECT_TRUE(isDirectory);
  EXPECT_EQ(logCount("<Vorlan3>Yeah!"), 1);
  // The widths of the side pages come from the 375-point screen.
  EXPECT_FLOAT_EQ(state().maxSize, 300);
  EXPECT_FLOAT_EQ(state().maxSizeForSpecifier, 167.5f);
  EXPECT_TRUE(state().originals.empty());
}

TEST_F(SettingsProcessTest, EntryIntoAnExistingWorkingDirectoryLogsNothing) {
  setBundleIdentifier(kPreferencesApp, "COM.APPLE.Preferences");
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));

  EXPECT_EQ(Vorlan3::processEntry(), Group::Preference);
  EXPECT_EQ(logCount("<Vorlan3>Yeah!"), 0);
  EXPECT_TRUE(hasAdditions());
}

TEST_F(SettingsProcessTest, SettingsOnAnIPadGetsNoHooksButItsDirectory) {
  device.fs().removeItem(Vorlan3::kWorkingDirectory);
  host::UIDevice::currentDevice()->setModel("iPad Pro");
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));

  EXPECT_EQ(Vorlan3::processEntry(), Group::None);
  EXPECT_FALSE(hasAdditions());
  EXPECT_TRUE(device.fs().fileExists(Vorlan3::kWorkingDirectory));
  EXPECT_EQ(logCount("<Vorlan3>Yeah!"), 1);
}

TEST(HookGroupTest, GroupFollowsTheBundleIdentifierAndModel) {
  EXPECT_EQ(Vorlan3::hookGroupFor("com.apple.Preferences", "iPhone"), Group::Preference);
  EXPECT_EQ(Vorlan3::hookGroupFor("com.apple.preferences", "iPod touch"), Group::Preference);
  EXPECT_EQ(Vorlan3::hookGroupFor("com.apple.preferences", "iPad"), Group::None);
  EXPECT_EQ(Vorlan3::hookGroupFor("com.apple.SpringBoard", "iPad"), Group::Spring);
  EXPECT_EQ(Vorlan3::hookGroupFor("com.apple.mobilenotes", "iPhone"), Group::None);
  EXPECT_EQ(Vorlan3::hookGroupFor("com.apple.preferences.extra", "iPhone"), Group::None);
  EXPECT_EQ(Vorlan3::hookGroupFor("", "iPhone"), Group::None);
}

TEST_F(SettingsProcessTest, AnotherAppGetsNoHooks) {
  setBundleIdentifier("/Applications/Notes.app", "com.x.notes");
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath("/Applications/Notes.app"));

  EXPECT_EQ(Vorlan3::processEntry(), Group::None);
  EXPECT_FALSE(hasAdditions());
}

TEST_F(SettingsProcessTest, AdditionsAreRegisteredWithTheirTypeEncodings) {
  launch();
  host::Class* list = host::PSListController::objcClass();
  host::Class* mainClass = host::PSUIPrefsListController::objcClass();
  EXPECT_EQ(list->ownMethod("passcodeRequiredToChangeSettings:offset:selector:")->types(),
            "v@:@{CGRect={CGPoint=dd}{CGSize=dd}}:");
  EXPECT_EQ(list->ownMethod("hasGesture:")->types(), "B@:@");
  EXPECT_EQ(mainClass->ownMethod("previewingContext:viewControllerForLocation:")->types(),
            "@@:@{CGPoint=dd}");
  // The main list has its own pass; other pages share the list-page one.
  const auto pass = [](const std::shared_ptr<const host::Implementation>& method) {
    const auto* fn = method ? method->as<sig::Void>() : nullptr;
    const auto* target = fn ? fn->target<void (*)(host::Object*)>() : nullptr;
    return target ? *target : nullptr;
  };
  EXPECT_EQ(pass(mainClass->ownMethod("specifiersLoaded")), &hooks::mainSpecifiersLoaded);
  EXPECT_EQ(pass(list->ownMethod("specifiersLoaded")), &hooks::listSpecifiersLoaded);
  EXPECT_EQ(pass(TestSubPage::objcClass()->lookup("specifiersLoaded")),
            &hooks::listSpecifiersLoaded);
}

TEST_F(SettingsProcessTest, AMissingHostMethodIsLoggedAndEverythingElseIsInstalled) {
  // A system version whose main list lacks one hooked method, and whose switch cell answers
  // another with a different signature.
  host::PSUIPrefsListController::objcClass()->removeMethod("bluetoothPowerChanged:");
  host::defineMethod<void()>(host::PSSwitchTableCell::objcClass(),
                             "controlChanged:", [](host::Object*) {});
  writeSettings(Plist::dictionary(
      {{"hidden", Plist::dictionary({{"PSUIPrefsListController",
                                      Plist::dictionary({{"WIFI", Plist::boolean(true)}})}})}}));

  EXPECT_NO_THROW(launch());
  EXPECT_EQ(Vorlan3::installedGroup(), Group::Preference);
  EXPECT_FLOAT_EQ(state().maxSize, 300);
  EXPECT_EQ(logCount("<Vorlan3> "), 2);
  EXPECT_EQ(logCount("-[PSUIPrefsListController bluetoothPowerChanged:]"), 1);
  EXPECT_EQ(logCount("-[PSSwitchTableCell controlChanged:]"), 1);
  // What comes after them in the installation is there, and the main list is rewritten.
  host::Class* mainClass = host::PSUIPrefsListController::objcClass();
  EXPECT_NE(mainClass->ownMethod("tableView:didSelectRowAtIndexPath:"), nullptr);
  EXPECT_TRUE(mainClass->instancesRespondToSelector("tapped:"));
  EXPECT_EQ(main()->specifierForID("WIFI"), nullptr);
  EXPECT_NE(main()->specifierForID("Bluetooth"), nullptr);
}

TEST_F(SettingsProcessTest, BecomingActiveEndsTheTagFilter) {
  launch();
  host::msgSend<void(bool)>(main(), "setInTagView:", true);
  EXPECT_TRUE(state().isInTagView);
  app->enterBackground();
  app->becomeActive();
  EXPECT_FALSE(state().isInTagView);
  EXPECT_GE(app->delegate()->activations(), 2);  // the host's own delegate method still ran
}

}  // namespace
}  // namespace vorlan::test
