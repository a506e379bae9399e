#pragma once

#include <memory>

#include "panels/Stage.h"

namespace host {
class CADisplayLink;
class PSListController;
class UIBarButtonItem;
class UIImage;
class UIImageView;
class UIPanGestureRecognizer;
class UIView;
class UIViewControllerPreviewing;
class UIVisualEffectView;
}  // namespace host

namespace vorlan {

class passcodeSkyView;

// The Settings app's main-list stage, one per process: the gear button, the side pages behind
// the app's root view and the pan that opens them, the dimming over the root view, the blurred
// wallpaper, the navigation-bar handling and the side pages' widths. Views are created lazily by
// the code that shows them and kept for the life of the process. References are strong.
class MainListStage : public Stage {
 public:
  // The process's one stage (never destroyed, so no hook can outlive it); becomes
  // Stage::current() the first time it is asked for.
  static MainListStage& shared();

  void closeSidePage() override;
  std::shared_ptr<host::PSListController> currentListPage() const override;

  // The list page that appeared last.
  std::shared_ptr<host::PSListController> currentController;
  // The tag filter list shows a filtered main list; cell swipes are off meanwhile.
  bool isInTagView = false;

  // The gear button of the main list.
  std::shared_ptr<host::UIBarButtonItem> settingsButton;
  // The tag filter list.
  std::shared_ptr<host::UIView> categoriesList;
  // Keypads for protected rows and menu actions, and for protected switches.
  std::shared_ptr<passcodeSkyView> passcodeView;
  std::shared_ptr<passcodeSkyView> togglePasscodeView;
  // The cell action menu and the configuration page, behind the app's root view.
  std::shared_ptr<host::UIView> specifierScrollView;
  std::shared_ptr<host::UIView> configurationScrollView;
  // Dimming layer over the root view while a side page is open.
  std::shared_ptr<host::UIView> darkingView;
  // The blurred wallpaper behind everything, and the image it shows (read from the wallpaper
  // file each time the main list comes on screen; nothing when there is none).
  std::shared_ptr<host::UIImageView> wallpaperView;
  std::shared_ptr<host::UIVisualEffectView> effectView;
  std::shared_ptr<host::UIImage> wallpaperImage;
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
