#include "preferences/PreferencesApp.h"

#include <set>
#include <string>

#include "foundation/DeviceFileSystem.h"
#include "foundation/LSApplicationWorkspace.h"
#include "foundation/NSBundle.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "preferences/PreferencesAppControllerMethods.h"
#include "runtime/Runtime.h"
#include "substrate/SubstrateLoader.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

// The browser's schemes, plus those of every installed app.
void registerInstalledURLSchemes() {
  std::set<std::string> schemes{"http", "https"};
  if (const auto device = DeviceFileSystem::current()) {
    schemes.merge(LSApplicationWorkspace::installedURLSchemes(*device));
  }
  UIApplication::sharedApplication()->setInstalledURLSchemes(std::move(schemes));
}

}  // namespace

std::shared_ptr<PreferencesApp> PreferencesApp::launch() {
  NSBundle::setMainBundle(NSBundle::bundleWithPath(kBundlePath));
  SubstrateLoader::loadExtensions();
  registerInstalledURLSchemes();

  auto app = std::make_shared<PreferencesApp>();
  app->delegate_ = std::make_shared<PreferencesAppController>();
  app->window_ = std::make_shared<UIWindow>();
  app->window_->setFrame(UIScreen::mainScreen()->bounds());
  app->rootList_ = std::make_shared<PSUIPrefsListController>();
  app->navigation_ = UINavigationController::withRootViewController(app->rootList_);
  PreferencesAppController::setRootListController(app->rootList_);
  app->window_->setRootViewController(app->navigation_);
  app->window_->makeKeyAndVisible();
  app->window_->layoutIfNeeded();
  send<MethodsOf<PreferencesAppController>::ApplicationDidBecomeActive>(
      app->delegate_, UIApplication::sharedApplication());
  return app;
}

void PreferencesApp::enterBackground() {
  if (background_) return;
  background_ = true;
  navigation_->beginAppearanceTransition(false, false);
  navigation_->endAppearanceTransition();
}

void PreferencesApp::becomeActive() {
  if (background_) {
    background_ = false;
    navigation_->beginAppearanceTransition(true, false);
    navigation_->endAppearanceTransition();
    window_->layoutIfNeeded();
  }
  send<MethodsOf<PreferencesAppController>::ApplicationDidBecomeActive>(
      delegate_, UIApplication::sharedApplication());
}

}  // namespace host
