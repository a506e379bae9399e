#pragma once

#include <memory>

#include "uikit/UIApplication.h"

namespace host {

class SBFWallpaperView;
class UIImage;

// The home-screen application. "applicationDidFinishLaunching:" (void(Id)), sent through the
// runtime, makes the wallpaper view and shows the wallpaper image given at launch, if any.
class SpringBoard : public UIApplication {
 public:
  static Class* objcClass();
  explicit SpringBoard(Class* cls = objcClass());

  void applicationDidFinishLaunching(const std::shared_ptr<Object>& application);
  bool hasFinishedLaunching() const { return launched_; }

  // The wallpaper view, once launched.
  const std::shared_ptr<SBFWallpaperView>& wallpaperView() const { return wallpaperView_; }
  // The wallpaper: shown at once when launched, else at launch.
  void setWallpaperImage(std::shared_ptr<UIImage> image);

 protected:
  virtual void applicationDidFinishLaunchingImpl(const std::shared_ptr<Object>& application);

 private:
  bool launched_ = false;
  std::shared_ptr<UIImage> pendingWallpaper_;
  std::shared_ptr<SBFWallpaperView> wallpaperView_;
};

}  // namespace host
