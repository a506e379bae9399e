#include <gtest/gtest.h>

#include "HooksTestSupport.h"
#include "springboard/SBFWallpaperView.h"
#include "springboard/SpringBoard.h"
#include "uikit/UIImageView.h"

namespace vorlan::test {
namespace {

TEST_F(SettingsProcessTest, TheWallpaperFileFollowsSpringBoardsRedraws) {
  const std::string springBoard = "/System/Library/CoreServices/SpringBoard.app";
  setBundleIdentifier(springBoard, "com.apple.springboard");
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(springBoard));
  ASSERT_EQ(Vorlan3::processEntry(), Vorlan3::HookGroup::Spring);
  EXPECT_FALSE(host::PSListController::objcClass()->instancesRespondToSelector("specifiersLoaded"));

  auto board = std::make_shared<host::SpringBoard>();
  const auto first = solidImage(1);
  board->setWallpaperImage(first);
  EXPECT_FALSE(device.fs().fileExists(VLPreferencesManager::kWallpaperPath));
  board->applicationDidFinishLaunching(board);
  ASSERT_TRUE(board->hasFinishedLaunching());
  const auto png = [](const std::shared_ptr<host::UIImage>& image) {
    const auto bytes = host::UIImagePNGRepresentation(image);
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(device.readRaw(VLPreferencesManager::kWallpaperPath), png(first));

  const auto second = solidImage(0, 8);
  board->setWallpaperImage(second);
  EXPECT_EQ(device.readRaw(VLPreferencesManager::kWallpaperPath), png(second));
  EXPECT_EQ(board->wallpaperView()->blurGenerations(), 2);  // SpringBoard's own work still ran

  // A redraw without a wallpaper leaves the last one in place.
  board->wallpaperView()->setWallpaperImage(nullptr);
  EXPECT_EQ(device.readRaw(VLPreferencesManager::kWallpaperPath), png(second));
}

TEST_F(SettingsProcessTest, TheMainListReadsTheWallpaperEachTimeItAppears) {
  launch();
  ASSERT_NE(stage().wallpaperView, nullptr);  // the stage is built without a wallpaper
  EXPECT_EQ(stage().wallpaperView->image(), nullptr);

  device.writeRaw(VLPreferencesManager::kWallpaperPath, pngText(solidImage(1, 6)));
  push({cell("x")});
  navigation().popViewControllerAnimated(false);
  settle();
  ASSERT_NE(stage().wallpaperView->image(), nullptr);
  EXPECT_EQ(stage().wallpaperView->image()->width(), 6);

  device.writeRaw(VLPreferencesManager::kWallpaperPath, pngText(solidImage(1, 8)));
  push({cell("x")});
  navigation().popViewControllerAnimated(false);
  settle();
  EXPECT_EQ(stage().wallpaperView->image()->width(), 8);
}

}  // namespace
}  // namespace vorlan::test
