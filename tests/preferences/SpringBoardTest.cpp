#include <gtest/gtest.h>

#include <memory>

#include "runtime/Runtime.h"
#include "springboard/SBFWallpaperView.h"
#include "springboard/SpringBoard.h"
#include "uikit/UIImage.h"

namespace host {
namespace {

int blurUpdates = 0;
Imp<void()> originalBlurs;

TEST(SpringBoardTest, TheWallpaperRegeneratesItsBlursOnEveryChange) {
  MSHookMessageEx<void()>(
      SBFWallpaperView::objcClass(), "_updateGeneratingBlurs",
      [](Object* self) {
        originalBlurs(self);
        ++blurUpdates;
      },
      &originalBlurs);
  blurUpdates = 0;

  auto board = std::make_shared<SpringBoard>();
  const auto first = std::make_shared<UIImage>();
  board->setWallpaperImage(first);
  EXPECT_EQ(blurUpdates, 0);  // not launched yet
  msgSend<void(Id)>(board, "applicationDidFinishLaunching:", board);
  ASSERT_TRUE(board->wallpaperView());
  EXPECT_EQ(board->wallpaperView()->wallpaperImage(), first);
  EXPECT_EQ(blurUpdates, 1);

  const auto second = std::make_shared<UIImage>();
  board->setWallpaperImage(second);
  board->wallpaperView()->redraw();
  EXPECT_EQ(blurUpdates, 3);
  EXPECT_EQ(board->wallpaperView()->blurGenerations(), 3);
  EXPECT_EQ(board->wallpaperView()->wallpaperImage(), second);

  // Launching again changes nothing.
  board->applicationDidFinishLaunching(board);
  EXPECT_EQ(blurUpdates, 3);
}

}  // namespace
}  // namespace host
