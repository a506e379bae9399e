#include "uikit/UIApplication.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "foundation/PlatformEvents.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIDevice.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStatusBar.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

constexpr double kStatusBarHeight = 20;

std::string lowercase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The scheme of an URL ("twitter" in "twitter://user"), lowercased; empty when it has none.
std::string schemeOf(std::string_view url) {
  const auto colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  const std::string_view scheme = url.substr(0, colon);
  if (!std::isalpha(static_cast<unsigned char>(scheme.front()))) return {};
  const bool valid = std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
  return valid ? lowercase(scheme) : std::string();
}

}  // namespace

HOST_CLASS(UIApplication, UIResponder)

UIApplication::UIApplication(Class* cls) : UIResponder(cls) {}

namespace {

std::shared_ptr<UIApplication>& sharedApplicationSlot() {
  // Never destroyed, like the run loop: work still queued at exit may use it.
  static auto* const application =
      new std::shared_ptr<UIApplication>(std::make_shared<UIApplication>());
  return *application;
}

}  // namespace

const std::shared_ptr<UIApplication>& UIApplication::sharedApplication() {
  return sharedApplicationSlot();
}

void UIApplication::setSharedApplication(std::shared_ptr<UIApplication> application) {
  if (application) sharedApplicationSlot() = std::move(application);
}

void UIApplication::setKeyWindow(const std::shared_ptr<UIWindow>& window) {
  keyWindow_ = window;
  if (!window) return;
  std::erase_if(windows_, [](const auto& weak) { return weak.expired(); });
  const bool listed = std::any_of(windows_.begin(), windows_.end(),
                                  [&](const auto& weak) { return weak.lock() == window; });
  if (!listed) windows_.push_back(window);
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const {
  std::vector<std::shared_ptr<UIWindow>> out;
  for (const auto& weak : windows_) {
    if (auto window = weak.lock()) out.push_back(std::move(window));
  }
  return out;
}

const std::shared_ptr<UIView>& UIApplication::statusBar() {
  if (!statusBar_) {
    statusBar_ = std::make_shared<UIStatusBar>();
    statusBar_->setFrame(
        CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, kStatusBarHeight));
    statusBar_->setHidden(isStatusBarHidden());
  }
  return statusBar_;
}

void UIApplication::setStatusBarOrientation(UIInterfaceOrientation orientation) {
  orientation_ = orientation;
  if (statusBar_) {
    statusBar_->setFrame(
        CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, kStatusBarHeight));
    statusBar_->setHidden(isStatusBarHidden());
  }
}

bool UIApplication::isStatusBarHidden() const {
  return isLandscape() && !UIDevice::currentDevice()->model().starts_with("iPad");
}

CGRect UIApplication::statusBarFrame() const {
  if (isStatusBarHidden()) return CGRectZero;
  return CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, kStatusBarHeight);
}

bool UIApplication::canOpenURL(std::string_view url) const {
  const std::string scheme = schemeOf(url);
  return !scheme.empty() && schemes_.count(scheme) > 0;
}

bool UIApplication::openURL(std::string_view url) {
  if (!canOpenURL(url)) return false;
  openedURLs_.emplace_back(url);
  PlatformEvents::record("open", url);
  return true;
}

void UIApplication::setInstalledURLSchemes(std::set<std::string> schemes) {
  schemes_.clear();
  for (const auto& scheme : schemes) {
    schemes_.insert(lowercase(scheme));
  }
}

}  // namespace host
