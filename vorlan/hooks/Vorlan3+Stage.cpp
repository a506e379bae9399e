// Gear button and main-list stage: the stage built around the Settings app when the main list
// appears, the gear's open and close, and the presentations redirected while a tag filter shows.
#include "hooks/Vorlan3+Stage.h"

#include <functional>
#include <memory>

#include "config/vorlanConfiguarationScrollView.h"
#include "foundation/RunLoop.h"
#include "hooks/MainListStage.h"
#include "hooks/Vorlan3+Gestures.h"
#include "hooks/settingsVLBarButtonItem.h"
#include "info/tutorialController.h"
#include "menu/VLSpecifierScrollView.h"
#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/CADisplayLink.h"
#include "uikit/CALayer.h"
#include "uikit/UIApplication.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIBlurEffect.h"
#include "uikit/UIColor.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationController.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerMethods.h"
#include "uikit/UIVisualEffectView.h"
#include "uikit/UIWindow.h"

namespace vorlan::hooks::stage {

namespace {

using host::Object;
using Controller = host::MethodsOf<host::UIViewController>;
using Page = std::shared_ptr<host::UIViewController>;

struct Originals {
  host::Original<Controller::PresentViewController> controllerPresent;
};
constinit Originals original;

// An action that sends `M` to the page while it lives: targets are not kept alive by the
// controls that call them.
template <class M>
std::function<void()> sendToPage(host::PSListController& page) {
  return [weak = std::weak_ptr<Object>(page.shared_from_this())] {
    if (auto target = weak.lock()) host::send<M>(target);
  };
}

void startNavigationBarHandler(host::PSListController& page) {
  auto& stage = MainListStage::shared();
  if (stage.offsetLink) return;
  // The link holds the page until the main list disappears, as a display link holds its target.
  stage.offsetLink = host::CADisplayLink::displayLinkWithTarget(
      [target = page.shared_from_this()](host::CADisplayLink&) {
        host::send<gestures::Offset>(target);
      });
  stage.offsetLink->addToRunLoop();
}

void addGearButton(host::PSListController& page) {
  const auto& item = page.navigationItem();
  if (!item || item->rightBarButtonItem()) return;
  auto& stage = MainListStage::shared();
  stage.settingsButton = settingsVLBarButtonItem::make(sendToPage<SettingsButtonTapped>(page));
  if (const auto label = MainListStage::titleLabel(page))
    stage.settingsButton->setTintColor(label->textColor());
  item->setRightBarButtonItem(stage.settingsButton, true);
}

void buildWallpaper(const std::shared_ptr<host::UIWindow>& window) {
  auto& stage = MainListStage::shared();
  if (!stage.wallpaperView) {
    stage.wallpaperView = std::make_shared<host::UIImageView>();
    stage.wallpaperView->setFrame(window->bounds());
    window->addSubview(stage.wallpaperView);
  }
  if (!stage.effectView) {
    stage.effectView = std::make_shared<host::UIVisualEffectView>(
        host::UIBlurEffect::effectWithStyle(host::UIBlurEffectStyleDark));
    stage.effectView->setFrame(stage.wallpaperView->bounds());
    stage.wallpaperView->addSubview(stage.effectView);
  }
}

void shadeRootView(host::UIView& root) {
  const auto& layer = root.layer();
  layer->setShadowColor(host::UIColor::blackColor());
  layer->setShadowOffset({3, 0});
  layer->setShadowOpacity(0.6);
  layer->setShadowRadius(6);
  layer->setShadowPath(host::UIBezierPath::bezierPathWithRect(root.bounds()));
}

void buildDimming(host::PSListController& page, const std::shared_ptr<host::UIView>& root) {
  auto& stage = MainListStage::shared();
  if (stage.darkingView) return;
  const auto size = root->frame().size;
  stage.darkingView = std::make_shared<host::UIView>();
  stage.darkingView->setFrame(host::CGRectMake(0, 0, size.width, size.height));
  stage.darkingView->setBackgroundColor(host::UIColor::colorWithWhite(0, 0.2));
  stage.darkingView->setAlpha(0);
  stage.darkingView->setUserInteractionEnabled(true);
  // A tap on it closes the side page; it shows no text, so the label names what it does.
  stage.darkingView->setAccessibilityLabel("Close");
  auto tap = std::make_shared<host::UITapGestureRecognizer>();
  tap->addTarget(page.shared_from_this(),
                 [close = sendToPage<SettingsButtonTapped>(page)](const auto&) { close(); });
  stage.darkingView->addGestureRecognizer(tap);
  // Over the root view's content, so that it moves with it.
  root->addSubview(stage.darkingView);
}

void buildSidePages(const std::shared_ptr<host::UIWindow>& window) {
  auto& stage = MainListStage::shared();
  const auto size = window->frame().size;
  if (!stage.specifierScrollView) {
    stage.specifierScrollView = VLSpecifierScrollView::make(host::CGRectMake(
        size.width - stage.maxSizeForSpecifier, 0, stage.maxSizeForSpecifier, size.height));
    stage.specifierScrollView->setAlpha(0);
    window->addSubview(stage.specifierScrollView);
    window->sendSubviewToBack(stage.specifierScrollView);
  }
  if (!stage.configurationScrollView) {
    stage.configurationScrollView = vorlanConfiguarationScrollView::make(
        host::CGRectMake(size.width - stage.maxSize, 0, stage.maxSize, size.height));
    window->addSubview(stage.configurationScrollView);
    window->sendSubviewToBack(stage.configurationScrollView);
  }
}

void settingsButtonTapped(Object*) {
  if (host::UIApplication::sharedApplication()->isLandscape()) return;
  auto& stage = MainListStage::shared();
  const auto root = MainListStage::rootView();
  if (!root) return;
  if (root->frame().origin.x != 0) {
    stage.closeSidePage();
    return;
  }
  if (stage.specifierScrollView) stage.specifierScrollView->setAlpha(0);
  if (stage.configurationScrollView) stage.configurationScrollView->setAlpha(1);
  MainListStage::fadeStatusBar(0, 0.1);
  if (stage.configurationScrollView) {
    stage.configurationScrollView->animatedViewsForAnimationWithDuration(0.5, 0.05);
  }
  stage.openConfigurationPage();
}

void changeOffset(Object*) {}

void presentViewController(Object* self, Page controller, bool animated,
                           std::function<void()> completion) {
  // While the main list shows a tag filter, pages opened from its cells present from the main
  // list itself.
  const auto main = host::PreferencesAppController::rootListController();
  if (!MainListStage::shared().isInTagView ||
      self->isKindOfClass(host::NSClassFromString("PSUIPrefsListController")) || !main) {
    original.controllerPresent(self, std::move(controller), animated, std::move(completion));
    return;
  }
  host::send<Controller::PresentViewController>(main, std::move(controller), animated,
                                                std::move(completion));
}

}  // namespace

void mainListWillAppear(host::PSListController& page) {
  auto& stage = MainListStage::shared();
  startNavigationBarHandler(page);
  if (const auto label = MainListStage::titleLabel(page))
    label->setTextAlignment(host::NSTextAlignment::Center);
  const auto navigation = page.navigationController();
  if (stage.original == 0 && navigation) {
    stage.original = static_cast<float>(navigation->navigationBar()->frame().size.height);
  }
  addGearButton(page);
  if (!stage.added) {
    stage.added = true;
    host::send<gestures::AddGestures>(page.shared_from_this());
  }

  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto root = MainListStage::rootView();
  if (!window || !root) return;
  buildWallpaper(window);
  window->setBackgroundColor(host::UIColor::clearColor());
  shadeRootView(*root);
  buildDimming(page, root);
  buildSidePages(window);
  stage.wallpaperView->setImage(VLPreferencesManager::sharedInstance()->getWallpaperImage());
  window->sendSubviewToBack(stage.wallpaperView);

  if (!stage.changedOffset) {
    stage.changedOffset = true;
    host::RunLoop::main().performAfter(0.5, sendToPage<ChangeOffset>(page));
  }
}

void offerTutorial() {
  if (!VLPreferencesManager::sharedInstance()->canShowTutorial()) return;
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto root =
      window ? std::dynamic_pointer_cast<host::UIViewController>(window->rootViewController())
             : nullptr;
  if (root) root->presentViewController(tutorialController::make(), true);
}

void install(HookInstaller& installer) {
  installer.add<SettingsButtonTapped>(host::PSListController::objcClass(), settingsButtonTapped);
  installer.add<ChangeOffset>(host::PSUIPrefsListController::objcClass(), changeOffset);
  installer.hook<Controller::PresentViewController>(
      host::UIViewController::objcClass(), presentViewController, original.controllerPresent);
}

}  // namespace vorlan::hooks::stage
