#pragma once

#include <memory>
#include <vector>

namespace host {
class CADisplayLink;
class PSListController;
class PSSpecifier;
class UIBarButtonItem;
class UIImage;
class UIImageView;
class UIPanGestureRecognizer;
class UITableViewCell;
class UIView;
class UIViewControllerPreviewing;
class UIVisualEffectView;
}  // namespace host

namespace vorlan {

// The Settings-app side's process-wide state: one value per process, shared by every list page
// and every hook. Views are created lazily by the code that shows them and kept for the life of
// the process. References are strong unless noted.
struct SettingsState {
  using Specifiers = std::vector<std::shared_ptr<host::PSSpecifier>>;

  // The process's one instance (never destroyed, so no hook can outlive it).
  static SettingsState& shared();

  // The main list's cells as first loaded (filled once, by the first main-list pass).
  Specifiers originals;
  // The folder group and folder rows that the main list added last time.
  Specifiers folders;
  // The main list rebuilds itself when it next comes on screen.
  bool needsReload = false;
  // The tag filter list shows a filtered main list; cell swipes are off meanwhile.
  bool isInTagView = false;

  // Per-frame poll that waits for the main list's app cells, while a wait runs (and then
  // watches a while longer for app cells that come late).
  std::shared_ptr<host::CADisplayLink> appsSpec;
  // Frames the current poll has run.
  int appsSpecFrames = 0;
  // Per-frame navigation-bar handler, while the main list is on screen.
  std::shared_ptr<host::CADisplayLink> offsetLink;
  // The list page that appeared last.
  std::shared_ptr<host::PSListController> currentController;

  // The gear button of the main list.
  std::shared_ptr<host::UIBarButtonItem> settingsButton;
  // The tag filter list.
  std::shared_ptr<host::UIView> categoriesList;
  // Keypads for protected rows and menu actions, and for protected switches.
  std::shared_ptr<host::UIView> passcodeView;
  std::shared_ptr<host::UIView> togglePasscodeView;
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
  // The cell being swiped.
  std::shared_ptr<host::UITableViewCell> lastCell;

  float original = 0;  // navigation-bar height as first seen
  float lastOffset = 0;
  float firstLocation = 0;
  float lastLocation = 0;
  float firstOffset = 0;
  float firstLocationOnCell = 0;
  float lastLocationOnCell = 0;
  bool canHandlePan = true;
  bool forceTouching = false;
  bool added = false;
  bool changedOffset = false;

  // Widths of the configuration page and of the cell action menu, set at load from the screen.
  float maxSize = 0;
  float maxSizeForSpecifier = 0;
};

}  // namespace vorlan
