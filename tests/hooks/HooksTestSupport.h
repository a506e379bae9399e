#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/Plist.h"
#include "foundation/RunLoop.h"
#include "hooks/AppCellWait.h"
#include "hooks/MainListStage.h"
#include "hooks/PageRecords.h"
#include "hooks/Vorlan3.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesApp.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "support/HostTest.h"
#include "support/OneCasePerProcess.h"
#include "support/PageListing.h"
#include "support/TempDevice.h"
#include "uikit/CGContext.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"

namespace vorlan::test {

using host::Plist;

// A settings page below the main list; its cells are whatever the test puts in `source`.
class TestSubPage : public host::PSListController {
 public:
  static host::Class* objcClass() {
    static host::Class* const cls = host::Runtime::shared().defineClass(
        "TestSubPage", host::PSListController::objcClass(), host::factoryFor<TestSubPage>());
    return cls;
  }
  explicit TestSubPage(host::Class* cls = objcClass()) : host::PSListController(cls) {}

  Specifiers source;

 protected:
  Specifiers loadSpecifiers() override { return source; }
};

// A plain PNG of one colour.
inline std::shared_ptr<host::UIImage> solidImage(double red, double width = 4) {
  host::UIGraphicsBeginImageContextWithOptions({width, 4}, true, 1);
  auto context = host::UIGraphicsGetCurrentContext();
  context->setFillColor(*host::UIColor::colorWithRed(red, 0.5, 0.25, 1));
  context->fillRect({{0, 0}, {width, 4}});
  auto image = host::UIGraphicsGetImageFromCurrentImageContext();
  host::UIGraphicsEndImageContext();
  return image;
}

inline std::string pngText(const std::shared_ptr<host::UIImage>& image) {
  const auto& bytes = image->pngData();
  return std::string(bytes.begin(), bytes.end());
}

// The Settings app on a fresh device, with the extension entered the way the loader enters it.
// Entering installs the extension's hooks for the rest of the process: one case per process.
//
// The main list holds, by group: AIRPLANE_MODE, WIFI, Bluetooth | NOTIFICATIONS_ID,
// CONTROL_CENTER, DO_NOT_DISTURB | General, DISPLAY, WALLPAPER, Privacy, and, once the app cells
// have arrived, | com.x.notes.
class SettingsProcessTest : public HostTest {
 protected:
  static constexpr const char* kPreferencesApp = "/Applications/Preferences.app";

  void SetUp() override {
    requireOneCasePerProcess();
    if (HasFatalFailure()) return;
    HostTest::SetUp();
    setBundleIdentifier(kPreferencesApp, "com.apple.preferences");
    writeMainList();
    installApp("Notes", "com.x.notes");
  }
  void TearDown() override {
    app.reset();
    HostTest::TearDown();
  }

  void setBundleIdentifier(const std::string& bundlePath, const std::string& identifier) {
    device.writePlist(bundlePath + "/Info.plist",
                      Plist::dictionary({{"CFBundleIdentifier", Plist::string(identifier)}}));
  }

  void writeMainList() {
    const auto item = [](const std::string& cellType, const std::string& id) {
      return Plist::dictionary({{"cell", Plist::string(cellType)},
                                {"id", Plist::string(id)},
                                {"label", Plist::string(id)}});
    };
    const auto group = [] { return Plist::dictionary({{"cell", Plist::string("PSGroupCell")}}); };
    std::vector<Plist> items{group(),
                             item("PSSwitchCell", "AIRPLANE_MODE"),
                             item("PSLinkCell", "WIFI"),
                             item("PSLinkCell", "Bluetooth"),
                             group(),
                             item("PSLinkCell", "NOTIFICATIONS_ID"),
                             item("PSLinkCell", "CONTROL_CENTER"),
                             item("PSLinkCell", "DO_NOT_DISTURB"),
                             group(),
                             item("PSLinkCell", "General"),
                             item("PSLinkCell", "DISPLAY"),
                             item("PSLinkCell", "WALLPAPER"),
                             item("PSLinkCell", "Privacy")};
    device.writePlist(std::string(kPreferencesApp) + "/Settings.plist",
                      Plist::dictionary({{"items", Plist::array(std::move(items))}}));
  }

  void installApp(const std::string& name, const std::string& identifier) {
    const std::string path = "/Applications/" + name + ".app";
    device.writePlist(path + "/Info.plist",
                      Plist::dictionary({{"CFBundleIdentifier", Plist::string(identifier)},
                                         {"CFBundleDisplayName", Plist::string(name)}}));
    device.writePlist(path + "/Settings.bundle/Root.plist",
                      Plist::dictionary({{"PreferenceSpecifiers", Plist::array()}}));
  }

  void writeSettings(const Plist& root) {
    device.writePlist(VLPreferencesManager::kSettingsPath, root);
  }

  // Enters the extension in this process, as the loader does, then launches the Settings app
  // and lets the app cells arrive and the main list's pass run. Unless a case clears `welcomed`,
  // the device's user has seen the welcome screen, which would otherwise cover the main list.
  void launch() {
    enterExtension();
    startApp();
  }
  void enterExtension() {
    host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));
    Vorlan3::processEntry();
  }
  void startApp() {
    if (welcomed) markWelcomed();
    app = host::PreferencesApp::launch();
    main()->setTitle("Settings");
    settle();
  }
  static void settle() { host::RunLoop::main().advance(0.5); }
  // Stores that the welcome screen was seen, and has the manager read it.
  void markWelcomed() {
    Plist settings = device.readPlist(VLPreferencesManager::kSettingsPath);
    if (!settings.isDictionary()) settings = Plist::dictionary();
    writeSettings(settings.with("tutorial", Plist::boolean(true)));
    VLPreferencesManager::sharedInstance()->updatedDictionary();
  }

  std::shared_ptr<host::PSUIPrefsListController> main() const { return app->rootList(); }
  host::UINavigationController& navigation() const { return *app->navigationController(); }
  static MainListStage& stage() { return MainListStage::shared(); }
  static PageRecords& records() { return PageRecords::shared(); }
  static AppCellWait& appCellWait() { return AppCellWait::shared(); }

  // Shows a sub-page above the main list.
  std::shared_ptr<TestSubPage> push(host::PSListController::Specifiers cells) {
    auto page = std::make_shared<TestSubPage>();
    page->source = std::move(cells);
    navigation().pushViewController(page, false);
    app->window()->layoutIfNeeded();
    settle();
    return page;
  }

  TempDevice device;
  std::shared_ptr<host::PreferencesApp> app;
  bool welcomed = true;
};

}  // namespace vorlan::test
