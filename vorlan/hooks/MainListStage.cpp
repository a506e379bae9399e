#include "hooks/MainListStage.h"

#include <numbers>

#include "config/vorlanConfiguarationScrollView.h"
#include "hooks/settingsVLBarButtonItem.h"
#include "menu/VLSpecifierScrollView.h"
#include "panels/passcodeSkyView.h"
#include "preferences/PSListController.h"
#include "runtime/Runtime.h"
#include "uikit/CADisplayLink.h"
#include "uikit/UIApplication.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIVisualEffectView.h"
#include "uikit/UIWindow.h"

namespace vorlan {

namespace {

constexpr float kTurn = 2 * std::numbers::pi_v<float>;
// A side page opens past its width by this factor and settles back: its opening bounce.
constexpr float kOvershoot = 1.1f;
constexpr double kSlide = 0.3;
constexpr double kSettle = 0.2;

}  // namespace

MainListStage& MainListStage::shared() {
  // Deliberately never destroyed: it lives as long as the hooks that use it, to the very end.
  static MainListStage* const stage = [] {
    auto* made = new MainListStage();
    setCurrent(made);
    return made;
  }();
  return *stage;
}

void MainListStage::closeSidePage() {
  closeSidePage(host::UIViewAnimationOptionCurveEaseIn, {}, {});
}

std::shared_ptr<host::PSListController> MainListStage::currentListPage() const {
  return currentController;
}

std::shared_ptr<host::UIView> MainListStage::rootView() {
  const auto window = host::UIApplication::sharedApplication()->keyWindow();
  const auto root = std::dynamic_pointer_cast<host::UIViewController>(
      window ? window->rootViewController() : nullptr);
  return root && root->isViewLoaded() ? root->view() : nullptr;
}

std::shared_ptr<host::UIView> MainListStage::titleView(host::UIViewController& page) {
  const auto& item = page.navigationItem();
  if (!item) return nullptr;
  return host::MSHookIvar<std::shared_ptr<host::UIView>>(item, "_defaultTitleView");
}

std::shared_ptr<host::UILabel> MainListStage::titleLabel(host::UIViewController& page) {
  const auto view = titleView(page);
  return view ? host::MSHookIvar<std::shared_ptr<host::UILabel>>(view, "_label") : nullptr;
}

void MainListStage::moveRootView(double x) {
  if (const auto root = rootView()) {
    auto frame = root->frame();
    frame.origin.x = x;
    root->setFrame(frame);
  }
}

void MainListStage::fadeStatusBar(double alpha, double duration) {
  const auto& bar = host::UIApplication::sharedApplication()->statusBar();
  host::UIView::animateWithDuration(duration, [&bar, alpha] { bar->setAlpha(alpha); });
}

void MainListStage::rotateGear(float radians, float duration) const {
  if (settingsButton) settingsButton->rotateToDegree(radians, duration);
}

void MainListStage::closeSidePage(host::UIViewAnimationOptions curve,
                                  const std::function<void()>& alongside,
                                  std::function<void()> done) {
  rotateGear(0, kSlide);
  host::UIView::animateWithDuration(
      kSlide, 0, curve,
      [this, &alongside] {
        moveRootView(0);
        if (darkingView) darkingView->setAlpha(0);
        if (alongside) alongside();
      },
      [this, done = std::move(done)](bool) {
        if (specifierScrollView) specifierScrollView->resetViewsForAnimation();
        if (configurationScrollView) configurationScrollView->resetViewsForAnimation();
        fadeStatusBar(1, kSettle);
        if (specifierScrollView) specifierScrollView->setAlpha(0);
        if (configurationScrollView) configurationScrollView->setAlpha(1);
        firstOffset = 0;
        if (done) done();
      });
}

void MainListStage::openConfigurationPage() {
  rotateGear(-kOvershoot * kTurn, kSlide);
  host::UIView::animateWithDuration(
      kSlide, 0, host::UIViewAnimationOptionCurveEaseIn,
      [this] {
        moveRootView(-kOvershoot * maxSize);
        if (darkingView) darkingView->setAlpha(1);
      },
      [this](bool) {
        rotateGear(-kTurn, kSettle);
        host::UIView::animateWithDuration(
            kSettle, 0, host::UIViewAnimationOptionCurveEaseOut, [this] { moveRootView(-maxSize); },
            [this](bool) { firstOffset = -maxSize; });
      });
}

void MainListStage::openCellMenu(const std::function<void()>& alongside,
                                 std::function<void()> done) {
  // The gear turns by the share of the configuration page's width that the menu takes.
  const float share = maxSizeForSpecifier / maxSize;
  rotateGear(2 * share * std::numbers::pi_v<float> * -kOvershoot, kSlide);
  host::UIView::animateWithDuration(
      kSlide,
      [this, &alongside, share] {
        moveRootView(-kOvershoot * maxSizeForSpecifier);
        if (alongside) alongside();
        if (darkingView) darkingView->setAlpha(share);
      },
      [this, share, done = std::move(done)](bool) mutable {
        rotateGear(2 * share * -std::numbers::pi_v<float>, kSettle);
        host::UIView::animateWithDuration(
            kSettle, [this] { moveRootView(-maxSizeForSpecifier); },
            [this, done = std::move(done)](bool) {
              firstOffset = -maxSizeForSpecifier;
              if (done) done();
            });
      });
}

}  // namespace vorlan
