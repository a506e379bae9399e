#include "springboard/SpringBoard.h"

#include <utility>

#include "foundation/Log.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "springboard/SBFWallpaperView.h"
#include "springboard/SpringBoardMethods.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"

namespace host {

HOST_CLASS_WITH(SpringBoard, UIApplication, [](Class* c) {
  define<MethodsOf<SpringBoard>::ApplicationDidFinishLaunching>(c, [](Object* self, Id app) {
    if (auto* board = dynamic_cast<SpringBoard*>(self)) {
      board->applicationDidFinishLaunchingImpl(app);
    }
  });
})

SpringBoard::SpringBoard(Class* cls) : UIApplication(cls) {}

void SpringBoard::applicationDidFinishLaunching(const std::shared_ptr<Object>& application) {
  send<MethodsOf<SpringBoard>::ApplicationDidFinishLaunching>(this, application);
}

void SpringBoard::applicationDidFinishLaunchingImpl(const std::shared_ptr<Object>&) {
  if (launched_) return;
  launched_ = true;
  wallpaperView_ = std::make_shared<SBFWallpaperView>();
  wallpaperView_->setFrame(UIScreen::mainScreen()->bounds());
  if (pendingWallpaper_) wallpaperView_->setWallpaperImage(std::move(pendingWallpaper_));
}

void SpringBoard::launchApplicationWithIdentifier(const std::string& bundleIdentifier) {
  if (openHandler_) {
    auto handler = openHandler_;
    handler(bundleIdentifier);
  } else {
    NSLog("SpringBoard: no way to open " + bundleIdentifier);
  }
}

void SpringBoard::setWallpaperImage(std::shared_ptr<UIImage> image) {
  if (wallpaperView_) {
    wallpaperView_->setWallpaperImage(std::move(image));
  } else {
    pendingWallpaper_ = std::move(image);
  }
}

}  // namespace host
