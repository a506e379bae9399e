#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PreferencesTestSupport.h"
#include "foundation/NSBundle.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSSystemPolicyForApp.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "support/TempDevice.h"
#include "support/UITableViewTestApi.h"
#include "uikit/TouchInjector.h"
#include "uikit/UISwitch.h"

namespace host {
namespace {

using Specifiers = PSListController::Specifiers;

Plist toggle(const std::string& key, bool fallback) {
  return Plist::dictionary({{"Type", Plist::string("PSToggleSwitchSpecifier")},
                            {"Title", Plist::string("Sync " + key)},
                            {"Key", Plist::string(key)},
                            {"DefaultValue", Plist::boolean(fallback)}});
}

class SettingsAppTest : public PreferencesTest {
 protected:
  void SetUp() override {
    PreferencesTest::SetUp();
    device.writePlist("/Applications/Notes.app/Info.plist",
                      Plist::dictionary({{"CFBundleIdentifier", Plist::string("com.x.notes")},
                                         {"CFBundleDisplayName", Plist::string("Notes")}}));
    const Plist entries =
        Plist::array({Plist::dictionary({{"Type", Plist::string("PSGroupSpecifier")},
                                         {"Title", Plist::string("Sync")},
                                         {"FooterText", Plist::string("Syncs notes.")}}),
                      toggle("cloud", true), toggle("wifiOnly", false),
                      Plist::dictionary({{"Type", Plist::string("PSUnknownSpecifier")}})});
    device.writePlist("/Applications/Notes.app/Settings.bundle/Root.plist",
                      Plist::dictionary({{"PreferenceSpecifiers", entries}}));
    // An app without settings has no cell.
    device.writePlist("/Applications/Calc.app/Info.plist", Plist::dictionary());
  }

  std::shared_ptr<PSAppListController> openNotes(
      const std::shared_ptr<PSUIPrefsListController>& main) {
    auto navigation = show(main);
    RunLoop::main().advance(PSUIPrefsListController::kThirdPartyDelay + 0.05);
    const auto path = main->indexPathForSpecifier(main->specifierForID("com.x.notes").get());
    if (!path) return nullptr;
    UITableViewTestApi(main->table()).tapRowAtIndexPath(*path);
    RunLoop::main().advance(1);
    auto page =
        std::dynamic_pointer_cast<PSAppListController>(navigation->viewControllers().back());
    if (page) page->view()->layoutIfNeeded();
    return page;
  }

  TempDevice device;
};

TEST_F(SettingsAppTest, AppCellsArriveAfterTheMainListHasLoaded) {
  auto main = std::make_shared<PSUIPrefsListController>();
  PreferencesAppController::setRootListController(main);
  show(main);
  auto& apps = MSHookIvar<Specifiers>(main, "_thirdPartySpecifiers");
  const long systemGroups = main->numberOfGroups();
  EXPECT_TRUE(apps.empty());
  EXPECT_EQ(main->specifierForID("com.x.notes"), nullptr);

  RunLoop::main().advance(PSUIPrefsListController::kThirdPartyDelay / 2);
  EXPECT_TRUE(apps.empty());
  RunLoop::main().advance(PSUIPrefsListController::kThirdPartyDelay);
  ASSERT_EQ(apps.size(), 1u);
  EXPECT_EQ(apps[0]->name(), "Notes");
  EXPECT_EQ(main->numberOfGroups(), systemGroups + 1);
  EXPECT_EQ(main->specifiersInGroup(systemGroups)[1], apps[0]);
  EXPECT_EQ(main->table()->numberOfSections(), systemGroups + 1);
  EXPECT_EQ(shownRows(*main), rows(*main));

  // A reload keeps them; the application answers the main list.
  main->reloadSpecifiers();
  EXPECT_EQ(main->specifierForID("com.x.notes"), apps[0]);
  EXPECT_EQ(PreferencesAppController::rootListController(), main);
}

TEST_F(SettingsAppTest, AnAppPageIsBuiltFromItsSettingsBundle) {
  auto main = std::make_shared<PSUIPrefsListController>();
  auto page = openNotes(main);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->title(), "Notes");
  ASSERT_TRUE(page->bundle());
  EXPECT_EQ(page->bundle()->bundlePath(), "/Applications/Notes.app/Settings.bundle");
  ASSERT_TRUE(page->systemPolicy());
  EXPECT_EQ(page->systemPolicy()->bundleIdentifier(), "com.x.notes");
  // The policy's group, then the bundle's group; the unknown entry is left out.
  EXPECT_EQ(rows(*page), "NOTIFICATIONS|cloud,wifiOnly");
  EXPECT_EQ(page->table()->numberOfSections(), 2);
  EXPECT_EQ(page->tableViewTitleForFooterInSection(*page->table(), 1), "Syncs notes.");

  // Switches show the stored value, else the default.
  device.writePlist("/var/mobile/Library/Preferences/com.x.notes.plist",
                    Plist::dictionary({{"wifiOnly", Plist::boolean(true)}}));
  page->reloadSpecifiers();
  auto cloud =
      std::dynamic_pointer_cast<PSSwitchTableCell>(page->table()->cellForRowAtIndexPath({1, 0}));
  auto wifi =
      std::dynamic_pointer_cast<PSSwitchTableCell>(page->table()->cellForRowAtIndexPath({1, 1}));
  ASSERT_TRUE(cloud && wifi);
  EXPECT_TRUE(cloud->control()->isOn());
  EXPECT_TRUE(wifi->control()->isOn());
}

TEST_F(SettingsAppTest, FlippingASwitchStoresItsValueThroughTheSetter) {
  auto main = std::make_shared<PSUIPrefsListController>();
  auto page = openNotes(main);
  ASSERT_TRUE(page);
  auto cloud =
      std::dynamic_pointer_cast<PSSwitchTableCell>(page->table()->cellForRowAtIndexPath({1, 0}));
  ASSERT_TRUE(cloud);
  ASSERT_TRUE(cloud->control()->isOn());
  cloud->layoutIfNeeded();

  const auto control = cloud->control();
  const CGRect bounds = control->bounds();
  TouchInjector finger(window);
  finger.tap(control->convertPointToView({bounds.midX(), bounds.midY()}, nullptr));
  RunLoop::main().advance(1);
  EXPECT_FALSE(control->isOn());
  const std::string prefs = "/var/mobile/Library/Preferences/com.x.notes.plist";
  EXPECT_EQ(device.readPlist(prefs).get("cloud"), Plist::boolean(false));

  control->setOn(true);
  msgSend<void(Id)>(cloud, "controlChanged:", control);
  EXPECT_EQ(device.readPlist(prefs).get("cloud"), Plist::boolean(true));

  // A callable setter wins over the target's selector.
  std::vector<Plist> stored;
  cloud->specifier()->setValueSetter(
      [&stored](const Plist& value, const std::shared_ptr<PSSpecifier>&) {
        stored.push_back(value);
      });
  control->setOn(false);
  cloud->controlChanged(control);
  EXPECT_EQ(stored, (std::vector<Plist>{Plist::boolean(false)}));
  EXPECT_EQ(device.readPlist(prefs).get("cloud"), Plist::boolean(true));
}

TEST_F(SettingsAppTest, SwitchesWhoseTargetIsGoneStoreNothing) {
  auto target = std::make_shared<TestListPage>();
  auto item = PSSpecifier::preferenceSpecifierNamed(
      "Flag", target, "setPreferenceValue:specifier:", "readPreferenceValue:", nullptr,
      PSSpecifier::PSSwitchCell);
  item->setProperty(Plist::string("com.x.flag"), "defaults");
  item->setProperty(Plist::string("flag"), "key");
  EXPECT_EQ(item->identifier(), "Flag");
  EXPECT_EQ(item->target(), target);
  item->performSetterWithValue(Plist::boolean(true));
  EXPECT_EQ(item->performGetter(), Plist::boolean(true));
  target.reset();
  EXPECT_EQ(item->target(), nullptr);
  item->performSetterWithValue(Plist::boolean(false));
  EXPECT_TRUE(item->performGetter().isNone());
  EXPECT_EQ(device.readPlist("/var/mobile/Library/Preferences/com.x.flag.plist").get("flag"),
            Plist::boolean(true));
}

TEST_F(SettingsAppTest, BundlesDefineTheirClassesWhenLoaded) {
  const std::string path = "/System/Library/PreferenceBundles/Sounds.bundle";
  device.writePlist(path + "/Info.plist",
                    Plist::dictionary({{"NSPrincipalClass", Plist::string("SoundsPage")},
                                       {"CFBundleIdentifier", Plist::string("com.apple.sounds")}}));
  NSBundle::registerLoadableClass(path + "/", "SoundsPage", [] {
    return Runtime::shared().defineClass("SoundsPage", TestListPage::objcClass(),
                                         factoryFor<TestListPage>());
  });
  EXPECT_EQ(NSClassFromString("SoundsPage"), nullptr);
  auto bundle = NSBundle::bundleWithPath(path);
  EXPECT_EQ(bundle->bundleIdentifier(), "com.apple.sounds");
  ASSERT_TRUE(bundle->load());
  Class* principal = bundle->principalClass();
  ASSERT_NE(principal, nullptr);
  EXPECT_EQ(principal->name(), "SoundsPage");
  EXPECT_TRUE(std::dynamic_pointer_cast<PSListController>(principal->createInstance()));

  auto missing = NSBundle::bundleWithPath("/System/Library/PreferenceBundles/None.bundle");
  EXPECT_FALSE(missing->load());
  EXPECT_EQ(missing->principalClass(), nullptr);
  EXPECT_TRUE(missing->infoDictionary().isNone());
  NSBundle::removeAllLoadableClasses();
}

TEST_F(SettingsAppTest, CellTypesAndTheAppDelegateAnswerAsOnTheDevice) {
  EXPECT_EQ(PSTableCell::cellTypeFromString("PSLinkCell"), PSSpecifier::PSLinkCell);
  EXPECT_EQ(PSTableCell::cellTypeFromString("PSSwitchCell"), 6);
  EXPECT_EQ(PSTableCell::cellTypeFromString("PSButtonCell"), 13);
  EXPECT_EQ(PSTableCell::cellTypeFromString("PSGroupCell"), 0);

  auto delegate = std::make_shared<PreferencesAppController>();
  msgSend<void(Id)>(delegate, "applicationDidBecomeActive:", nullptr);
  EXPECT_EQ(delegate->activations(), 1);
  EXPECT_FALSE(delegate->splitViewControllerCollapseSecondary(nullptr, nullptr, nullptr));
  EXPECT_EQ(delegate->splitViewControllerSeparateSecondary(nullptr, nullptr), nullptr);

  auto policy = std::make_shared<PSSystemPolicyForApp>();
  EXPECT_TRUE(policy->specifiers().empty());
}

}  // namespace
}  // namespace host
