#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DeviceTestSupport.h"
#include "foundation/NSBundle.h"
#include "foundation/RunLoop.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesApp.h"
#include "preferences/PreferencesAppController.h"
#include "runtime/Runtime.h"
#include "springboard/SBFWallpaperView.h"
#include "springboard/SBIconView.h"
#include "springboard/SpringBoard.h"
#include "springboard/SpringBoardApp.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIApplication.h"
#include "uikit/UIImage.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewRenderer.h"

namespace vorlan {
namespace {

using host::SpringBoardApp;

int appearances = 0;
host::Imp<void(bool)> originalAppear;

TEST_F(DeviceTest, TheSettingsAppComesUpWithTheMainListAndGoesAwayAndBack) {
  host::MSHookMessageEx<void(bool)>(
      host::PSUIPrefsListController::objcClass(), "viewWillAppear:",
      [](host::Object* self, bool animated) {
        ++appearances;
        originalAppear(self, animated);
      },
      &originalAppear);
  const auto app = host::PreferencesApp::launch();
  EXPECT_EQ(host::NSBundle::mainBundle()->bundleIdentifier(), "com.apple.preferences");
  EXPECT_EQ(host::UIApplication::sharedApplication()->keyWindow(), app->window());
  EXPECT_EQ(app->window()->rootViewController(), app->navigationController());
  EXPECT_EQ(app->navigationController()->topViewController(), app->rootList());
  EXPECT_EQ(host::PreferencesAppController::rootListController(), app->rootList());
  EXPECT_EQ(app->window()->frame().size.width, 375);
  EXPECT_TRUE(app->rootList()->isViewVisible());
  EXPECT_EQ(app->delegate()->activations(), 1);
  EXPECT_EQ(appearances, 1);
  EXPECT_GT(app->rootList()->table()->numberOfSections(), 4);

  app->enterBackground();
  EXPECT_FALSE(app->rootList()->isViewVisible());
  app->enterBackground();
  app->becomeActive();
  EXPECT_TRUE(app->rootList()->isViewVisible());
  EXPECT_EQ(appearances, 2);
  EXPECT_EQ(app->delegate()->activations(), 2);
  // Becoming active without having left only tells the delegate.
  app->becomeActive();
  EXPECT_EQ(appearances, 2);
  EXPECT_EQ(app->delegate()->activations(), 3);
}

int blurs = 0;
host::Imp<void()> originalBlurs;

TEST_F(DeviceTest, SpringBoardShowsTheStoredWallpaperAndTakesANewOne) {
  host::MSHookMessageEx<void()>(
      host::SBFWallpaperView::objcClass(), "_updateGeneratingBlurs",
      [](host::Object* self) {
        ++blurs;
        originalBlurs(self);
      },
      &originalBlurs);
  const auto app = SpringBoardApp::launch();
  EXPECT_EQ(host::NSBundle::mainBundle()->bundleIdentifier(), "com.apple.springboard");
  EXPECT_EQ(host::UIApplication::sharedApplication(), app->springBoard());
  EXPECT_EQ(app->springBoard()->keyWindow(), app->window());
  ASSERT_TRUE(app->springBoard()->hasFinishedLaunching());
  const auto view = app->springBoard()->wallpaperView();
  ASSERT_TRUE(view && view->wallpaperImage());
  EXPECT_EQ(view->wallpaperImage()->width(), 375);
  EXPECT_EQ(view->wallpaperImage()->height(), 667);
  EXPECT_EQ(blurs, 1);
  // The wallpaper is what the home screen shows: its middle pixel drawn to cover the screen.
  const auto screen = host::ViewRenderer(1).renderToImage(app->window());
  const auto shown = screen->pixelAt(187, 333);
  const auto stored = view->wallpaperImage()->pixelAt(375, 667);  // the 2x image's middle
  EXPECT_NEAR(shown.red, stored.red, 12);
  EXPECT_NEAR(shown.green, stored.green, 12);
  EXPECT_NEAR(shown.blue, stored.blue, 12);
  // The installed apps' schemes work in SpringBoard too.
  EXPECT_TRUE(app->springBoard()->canOpenURL("fathom://"));

  // A new wallpaper: stored, shown, blurred again.
  const std::string original = device.readRaw(SpringBoardApp::kWallpaperPath);
  const std::string icon = device.readRaw("/Applications/Atlas.app/Icon-Small@2x.png");
  device.writeRaw("/var/mobile/Media/new.png", icon);
  std::string error;
  ASSERT_TRUE(app->setWallpaper("/var/mobile/Media/new.png", &error)) << error;
  EXPECT_EQ(device.readRaw(SpringBoardApp::kWallpaperPath), icon);
  EXPECT_EQ(view->wallpaperImage()->pixelWidth(), 58u);
  EXPECT_EQ(blurs, 2);

  // Not a PNG, or not there: an error, and nothing changes.
  device.writeRaw("/var/mobile/Media/bad.png", "GIF89a");
  EXPECT_FALSE(app->setWallpaper("/var/mobile/Media/bad.png", &error));
  EXPECT_NE(error.find("not a PNG"), std::string::npos);
  EXPECT_FALSE(app->setWallpaper("/var/mobile/Media/none.png", &error));
  EXPECT_FALSE(app->setWallpaper("/../../etc/passwd", &error));
  EXPECT_EQ(device.readRaw(SpringBoardApp::kWallpaperPath), icon);
  EXPECT_EQ(blurs, 2);
  EXPECT_NE(original, icon);
}

TEST_F(DeviceTest, TheHomeScreenShowsTheAppsAndATapAsksToOpenOne) {
  const auto app = SpringBoardApp::launch();
  std::string names;
  for (const auto& icon : app->icons())
    names += (names.empty() ? "" : ",") + icon->label()->text();
  EXPECT_EQ(names, "Settings,Safari,Atlas,Beacon,Cadence,Driftwood,Ember,Fathom,Glint,Harbor");
  // Four to a row.
  EXPECT_EQ(app->icons()[4]->frame().origin.x, app->icons()[0]->frame().origin.x);
  EXPECT_GT(app->icons()[4]->frame().origin.y, app->icons()[3]->frame().maxY());

  // Without an open handler a tap is only logged; with one, the handler gets the app.
  host::TouchInjector finger(app->window());
  const auto centre = [](const host::UIView& view) {
    return view.convertPointToView(host::CGPointMake(view.bounds().size.width / 2, 30), nullptr);
  };
  finger.tap(centre(*app->icons()[2]));
  host::RunLoop::main().advance(0.5);
  EXPECT_TRUE(logMentions("SpringBoard: no way to open com.cartograph.atlas"));
  std::vector<std::string> opened;
  app->springBoard()->setOpenHandler(
      [&opened](const std::string& identifier) { opened.push_back(identifier); });
  finger.tap(centre(*app->icons()[0]));
  host::RunLoop::main().advance(0.5);
  EXPECT_EQ(opened, std::vector<std::string>{"com.apple.preferences"});
}

}  // namespace
}  // namespace vorlan
