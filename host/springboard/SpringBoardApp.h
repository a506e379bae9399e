#pragma once

#include <memory>
#include <string>
#include <vector>

namespace host {

class SBIconView;
class SpringBoard;
class UIWindow;

// SpringBoard started in this process: the main bundle is SpringBoard's, the code-injection
// loader runs, a SpringBoard object becomes the process's application, a key window of the
// screen's size comes up, and "applicationDidFinishLaunching:" makes the wallpaper view (with
// the wallpaper stored at kWallpaperPath, if there is one) and generates its blurs.
//
// The device (DeviceFileSystem::current) must be set before launching.
class SpringBoardApp {
 public:
  static constexpr const char* kBundlePath = "/System/Library/CoreServices/SpringBoard.app";
  static constexpr const char* kWallpaperPath =
      "/var/mobile/Library/SpringBoard/HomeBackground.png";

  static std::shared_ptr<SpringBoardApp> launch();

  const std::shared_ptr<SpringBoard>& springBoard() const { return springBoard_; }
  const std::shared_ptr<UIWindow>& window() const { return window_; }
  // The home screen's app icons, in their order: Settings, Safari, then the installed apps by
  // folder name, four to a row.
  const std::vector<std::shared_ptr<SBIconView>>& icons() const { return icons_; }

  // Sets the home-screen wallpaper from the PNG at `devicePath`: it is stored at
  // kWallpaperPath (atomically) and shown, so the wallpaper view redraws and regenerates its
  // blurs. A file that cannot be read or is not a PNG is an error and changes nothing.
  bool setWallpaper(const std::string& devicePath, std::string* error);

 private:
  void addIcons();

  std::vector<std::shared_ptr<SBIconView>> icons_;
  std::shared_ptr<SpringBoard> springBoard_;
  std::shared_ptr<UIWindow> window_;
};

}  // namespace host
