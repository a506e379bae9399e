#include "springboard/SpringBoardApp.h"

#include <algorithm>
#include <set>
#include <utility>

#include "foundation/DeviceFileSystem.h"
#include "foundation/LSApplicationWorkspace.h"
#include "foundation/NSBundle.h"
#include "runtime/Runtime.h"
#include "springboard/SBFWallpaperView.h"
#include "springboard/SBIconView.h"
#include "springboard/SpringBoard.h"
#include "springboard/SpringBoardMethods.h"
#include "substrate/SubstrateLoader.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStatusBar.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

constexpr const char* kWallpaperDirectory = "/var/mobile/Library/SpringBoard";
constexpr std::size_t kMaxWallpaperBytes = std::size_t{64} << 20;

void fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
}

// A wallpaper image from PNG bytes, shown at the screen's scale; nothing when not a PNG.
std::shared_ptr<UIImage> wallpaperFrom(const std::string& bytes) {
  return UIImage::imageWithData(UIImage::Bytes(bytes.begin(), bytes.end()),
                                UIScreen::mainScreen()->scale());
}

}  // namespace

std::shared_ptr<SpringBoardApp> SpringBoardApp::launch() {
  NSBundle::setMainBundle(NSBundle::bundleWithPath(kBundlePath));
  SubstrateLoader::loadExtensions();

  auto app = std::make_shared<SpringBoardApp>();
  app->springBoard_ = std::make_shared<SpringBoard>();
  std::set<std::string> schemes{"http", "https"};
  const auto device = DeviceFileSystem::current();
  if (device) schemes.merge(LSApplicationWorkspace::installedURLSchemes(*device));
  app->springBoard_->setInstalledURLSchemes(std::move(schemes));
  UIApplication::setSharedApplication(app->springBoard_);
  // The home screen's status bar is white over the wallpaper.
  if (const auto bar = std::dynamic_pointer_cast<UIStatusBar>(app->springBoard_->statusBar())) {
    bar->setLightContent(true);
  }

  app->window_ = std::make_shared<UIWindow>();
  app->window_->setFrame(UIScreen::mainScreen()->bounds());
  app->window_->makeKeyAndVisible();
  if (device) {
    if (const auto bytes = device->readFile(kWallpaperPath, kMaxWallpaperBytes)) {
      if (auto image = wallpaperFrom(*bytes)) app->springBoard_->setWallpaperImage(image);
    }
  }
  send<MethodsOf<SpringBoard>::ApplicationDidFinishLaunching>(app->springBoard_, app->springBoard_);
  if (const auto& wallpaper = app->springBoard_->wallpaperView()) {
    app->window_->addSubview(wallpaper);
  }
  app->addIcons();
  app->window_->layoutIfNeeded();
  return app;
}

void SpringBoardApp::addIcons() {
  const auto device = DeviceFileSystem::current();
  if (!device) return;
  struct Entry {
    std::string identifier, name, icon;
  };
  std::vector<Entry> entries{
      {"com.apple.preferences", "Settings", "/Applications/Preferences.app/General@2x.png"},
      {"com.apple.mobilesafari", "Safari", "/Applications/Preferences.app/Safari@2x.png"}};
  std::vector<std::string> folders = device->contentsOfDirectory("/Applications");
  std::sort(folders.begin(), folders.end());
  for (const std::string& folder : folders) {
    if (!folder.ends_with(".app") || folder == "Preferences.app" || folder == "MobileSafari.app")
      continue;
    const std::string path = "/Applications/" + folder;
    const auto bundle = NSBundle::bundleWithPath(path);
    const std::string identifier = bundle->bundleIdentifier();
    if (identifier.empty()) continue;
    const std::string* display = bundle->infoDictionary().get("CFBundleDisplayName").asString();
    entries.push_back({identifier, display ? *display : folder.substr(0, folder.size() - 4),
                       path + "/Icon-Small@2x.png"});
  }
  const double width = UIScreen::mainScreen()->bounds().size.width;
  constexpr int kColumns = 4;
  const double gap = (width - kColumns * SBIconView::kWidth) / (kColumns + 1);
  std::weak_ptr<SpringBoard> board = springBoard_;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto icon = SBIconView::make(entries[i].identifier, entries[i].name,
                                 UIImage::imageWithContentsOfFile(entries[i].icon));
    const auto column = static_cast<double>(i % kColumns);
    const auto row = static_cast<double>(i / kColumns);
    icon->setFrame(CGRectMake(gap + column * (SBIconView::kWidth + gap), 28 + row * 100,
                              SBIconView::kWidth, SBIconView::kHeight));
    icon->setOpenAction([board](const std::string& identifier) {
      if (const auto springBoard = board.lock()) {
        springBoard->launchApplicationWithIdentifier(identifier);
      }
    });
    window_->addSubview(icon);
    icons_.push_back(std::move(icon));
  }
}

bool SpringBoardApp::setWallpaper(const std::string& devicePath, std::string* error) {
  const auto device = DeviceFileSystem::current();
  if (!device) {
    fail(error, "no device");
    return false;
  }
  std::string reason;
  const auto bytes = device->readFile(devicePath, kMaxWallpaperBytes, &reason);
  if (!bytes) {
    fail(error, reason);
    return false;
  }
  auto image = wallpaperFrom(*bytes);
  if (!image) {
    fail(error, devicePath + " is not a PNG image");
    return false;
  }
  if (!device->createDirectory(kWallpaperDirectory, true, &reason) ||
      !device->writeFileAtomically(kWallpaperPath, *bytes, &reason)) {
    fail(error, reason);
    return false;
  }
  springBoard_->setWallpaperImage(std::move(image));
  return true;
}

}  // namespace host
