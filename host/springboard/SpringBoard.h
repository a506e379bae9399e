#pragma once

#include <functional>
#include <memory>
#include <string>

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

  // Opening an app from the home screen: SpringBoard hands the app's bundle identifier to the
  // open handler (the simulator brings that app up); without one the request is only logged.
  void launchApplicationWithIdentifier(const std::string& bundleIdentifier);
  void setOpenHandler(std::function<void(const std::string&)> handler) {
    openHandler_ = std::move(handler);
  }

 protected:
  virtual void applicationDidFinishLaunchingImpl(const std::shared_ptr<Object>& application);

 private:
  bool launched_ = false;
  std::shared_ptr<UIImage> pendingWallpaper_;
  std::shared_ptr<SBFWallpaperView> wallpaperView_;
  std::function<void(const std::string&)> openHandler_;
};

}  // namespace host
