#pragma once

#include <functional>
#include <memory>

#include "panels/Stage.h"
#include "uikit/UIViewAnimation.h"

namespace host {
class CADisplayLink;
class PSListController;
class UIImageView;
class UILabel;
class UIPanGestureRecognizer;
class UIView;
class UIViewController;
class UIViewControllerPreviewing;
class UIVisualEffectView;
}  // namespace host

namespace vorlan {

class VLSpecifierScrollView;
class catogoriesListView;
class passcodeSkyView;
class settingsVLBarButtonItem;
class vorlanConfiguarationScrollView;

// The Settings app's main-list stage, one per process: the gear button, the side pages behind
// the app's root view and the pan that opens them, the dimming over the root view, the blurred
// wallpaper, the navigation-bar handling and the side pages' widths. Views are created lazily by
// the code that shows them and kept for the life of the process. References are strong.
//
// The root view rests in one of three places: x = 0 (closed), -maxSizeForSpecifier (the cell
// action menu open) or -maxSize (the configuration page open); firstOffset holds which.
class MainListStage : public Stage {
 public:
  // The process's one stage (never destroyed, so no hook can outlive it); becomes
  // Stage::current() the first time it is asked for.
  static MainListStage& shared();

  // Slides the root view back with an ease-in curve.
  void closeSidePage() override;
  std::shared_ptr<host::PSListController> currentListPage() const override;

  // The app's root view (the key window's root view controller's view); nothing before it exists.
  static std::shared_ptr<host::UIView> rootView();
  // The default title view of the page's navigation item, and its label; nothing without them.
  static std::shared_ptr<host::UIView> titleView(host::UIViewController& page);
  static std::shared_ptr<host::UILabel> titleLabel(host::UIViewController& page);
  // Moves the root view to `x`, keeping its y and size.
  static void moveRootView(double x);
  // Animates the status bar's alpha; it hides while a side page opens.
  static void fadeStatusBar(double alpha, double duration);

  // Slides the root view back to 0 over 0.3 s with `curve`, undimming it; `alongside` runs in
  // the same animation and `done` after the side pages are reset. Either may be empty.
  void closeSidePage(host::UIViewAnimationOptions curve, const std::function<void()>& alongside,
                     std::function<void()> done);
  // Reveals the configuration page: past its width and back, the gear turning with it.
  void openConfigurationPage();
  // Reveals the cell action menu the same way; `alongside` runs in the first animation and
  // `done` once the root view rests.
  void openCellMenu(const std::function<void()>& alongside, std::function<void()> done);
  // Turns the gear, if there is one.
  void rotateGear(float radians, float duration) const;

  // The list page that appeared last.
  std::shared_ptr<host::PSListController> currentController;
  // The tag filter list shows a filtered main list; cell swipes are off meanwhile.
  bool isInTagView = false;

  // The gear button of the main list.
  std::shared_ptr<settingsVLBarButtonItem> settingsButton;
  // The tag filter list.
  std::shared_ptr<catogoriesListView> categoriesList;
  // Keypads for protected rows and menu actions, and for protected switches.
  std::shared_ptr<passcodeSkyView> passcodeView;
  std::shared_ptr<passcodeSkyView> togglePasscodeView;
  // The cell action menu and the configuration page, behind the app's root view.
  std::shared_ptr<VLSpecifierScrollView> specifierScrollView;
  std::shared_ptr<vorlanConfiguarationScrollView> configurationScrollView;
  // Dimming layer over the root view while a side page is open.
  std::shared_ptr<host::UIView> darkingView;
  // The blurred wallpaper behind everything.
  std::shared_ptr<host::UIImageView> wallpaperView;
  std::shared_ptr<host::UIVisualEffectView> effectView;
  // The root-view pan that opens the configuration page.
  std::shared_ptr<host::UIPanGestureRecognizer> mainPan;
  // Peek registration of the main list.
  std::shared_ptr<host::UIViewControllerPreviewing> previewingContext;
  // Per-frame navigation-bar handler, while the main list is on screen.
  std::shared_ptr<host::CADisplayLink> offsetLink;

  float original = 0;  // navigation-bar height as first seen
  float lastOffset = 0;
  float firstLocation = 0;
  float lastLocation = 0;
  float firstOffset = 0;
  bool canHandlePan = true;
  bool added = false;
  bool changedOffset = false;

  // Widths of the configuration page and of the cell action menu, set at load from the screen.
  float maxSize = 0;
  float maxSizeForSpecifier = 0;
};

}  // namespace vorlan
