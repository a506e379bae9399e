#include <gtest/gtest.h>

#include "HooksTestSupport.h"
#include "foundation/DeviceFileSystem.h"
#include "hooks/Vorlan3+TagView.h"
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
  records().originals = {cell("left over")};

  EXPECT_EQ(Vorlan3::processEntry(), Group::Preference);
  EXPECT_EQ(Vorlan3::processEntry(), Group::Preference);  // once per process

  bool isDirectory = false;
  EXPECT_TRUE(device.fs().fileExists(Vorlan3::kWorkingDirectory, &isDirectory));
  EXPECT_TRUE(isDirectory);
  EXPECT_EQ(logCount("<Vorlan3>Yeah!"), 1);
  // The widths of the side pages come from the 375-point screen.
  EXPECT_FLOAT_EQ(stage().maxSize, 300);
  EXPECT_FLOAT_EQ(stage().maxSizeForSpecifier, 167.5f);
  EXPECT_TRUE(records().originals.empty());
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

TEST_F(SettingsProcessTest, BecomingActiveEndsTheTagFilter) {
  launch();
  host::send<hooks::tagview::SetInTagView>(main(), true);
  EXPECT_TRUE(stage().isInTagView);
  app->enterBackground();
  app->becomeActive();
  EXPECT_FALSE(stage().isInTagView);
  EXPECT_GE(app->delegate()->activations(), 2);  // the host's own delegate method still ran
}

}  // namespace
}  // namespace vorlan::test
