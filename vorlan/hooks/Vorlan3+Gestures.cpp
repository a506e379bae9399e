// Cell swipe and side-page gestures: the swipe that reveals the cell action menu beside a cell,
// the root-view pan that reveals the configuration page, and the per-frame navigation-bar
// handler that shrinks the bar as the main list scrolls and tells the swipes when it does.
#include "hooks/Vorlan3+Gestures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "config/vorlanConfiguarationScrollView.h"
#include "hooks/CellSwipe.h"
#include "hooks/MainListStage.h"
#include "hooks/Vorlan3+TagView.h"
#include "hooks/catogoriesListView.h"
#include "hooks/settingsVLBarButtonItem.h"
#include "menu/VLSpecifierScrollView.h"
#include "panels/passcodeSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "uikit/CADisplayLink.h"
#include "uikit/UIApplication.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UIViewMethods.h"

namespace vorlan::hooks::gestures {

namespace {

using host::Object;
using Cell = host::MethodsOf<host::UIView>;
using Main = host::MethodsOf<host::PSUIPrefsListController>;
using Recognizer = std::shared_ptr<host::UIGestureRecognizer>;

struct Originals {
  host::Original<Cell::LayoutSubviews> cellLayoutSubviews;
  host::Original<Main::ViewWillDisappear> mainViewWillDisappear;
};
constinit Originals original;

constexpr float kTurn = 2 * std::numbers::pi_v<float>;
// The swiped cell's content follows the finger this far before the root view starts to move.
constexpr float kContentTravel = 40;
// A swipe this long locks the table's scrolling until it ends.
constexpr float kScrollLock = 10;
// The navigation bar shrinks once the list has scrolled this far, never below kBarMinimum.
constexpr float kBarShrinkStart = 35;
constexpr float kBarMinimum = 27.5f;

bool isLandscape() {
  return host::UIApplication::sharedApplication()->isLandscape();
}

// The tag filter list counts as showing while it is on screen; one not yet created is not.
bool isShowing(const std::shared_ptr<host::UIView>& list) {
  return list && list->window() != nullptr;
}

bool isShowing(const std::shared_ptr<passcodeSkyView>& keypad) {
  return keypad && keypad->isShow();
}

void showCellMenu(bool cellMenu) {
  auto& stage = MainListStage::shared();
  if (stage.specifierScrollView) stage.specifierScrollView->setAlpha(cellMenu ? 1 : 0);
  if (stage.configurationScrollView) stage.configurationScrollView->setAlpha(cellMenu ? 0 : 1);
}

// The swipe of `cell` is over: it is no longer the swiped cell, and it lays out again to catch
// up with what changed while its layout was held (the touch-down highlight went away).
void releaseSwipedCell(const std::shared_ptr<host::UITableViewCell>& cell) {
  auto& current = CellSwipe::shared().lastCell;
  if (current == cell) current.reset();
  cell->setNeedsLayout();
}

void setContentX(const std::shared_ptr<host::UITableViewCell>& cell, double x) {
  const auto& content = cell->contentView();
  auto frame = content->frame();
  frame.origin.x = x;
  content->setFrame(frame);
}

// A new swipe on `cell`: the menu is told which cell it acts on. A swipe that starts while
// another cell is still shifted puts that cell back (and does nothing else).
void beginCellSwipe(host::PSListController& page,
                    const std::shared_ptr<host::UITableViewCell>& cell, float location) {
  auto& stage = MainListStage::shared();
  auto& swipe = CellSwipe::shared();
  if (const auto path = page.table()->indexPathForCell(cell.get())) {
    // The group's first element is its group specifier.
    const auto group = page.specifiersInGroup(path->section);
    const auto row = static_cast<std::size_t>(path->row) + 1;
    const auto specifier = row < group.size() ? group[row] : nullptr;
    if (stage.specifierScrollView) {
      stage.specifierScrollView->setSpecifier(
          specifier, cell,
          std::static_pointer_cast<host::PSListController>(page.shared_from_this()));
    }
  }
  showCellMenu(true);
  swipe.firstLocationOnCell = location;
  if (!swipe.lastCell) {
    swipe.lastCell = cell;
  } else if (swipe.lastCell != cell) {
    const auto shifted = swipe.lastCell;
    host::UIView::animateWithDuration(
        0.3, [&shifted] { setContentX(shifted, 0); },
        [shifted](bool) { releaseSwipedCell(shifted); });
  }
}

// The finger lifts (or the system takes the touch): the menu opens from half its width on,
// else the cell and the root view go back.
void endCellSwipe(host::UITableView& table, const std::shared_ptr<host::UITableViewCell>& cell,
                  float share, bool released) {
  auto& stage = MainListStage::shared();
  table.setScrollEnabled(true);
  const auto putBack = [cell] { setContentX(cell, 0); };
  const auto clearCell = [cell] { releaseSwipedCell(cell); };
  const auto root = MainListStage::rootView();
  if (released && share >= 0.5f) {
    stage.openCellMenu(putBack, clearCell);
  } else if (root && root->frame().origin.x == 0 && stage.firstOffset == 0) {
    // The swipe never moved the app aside (a drag that scrolls the list over the rows): only
    // the row's content goes back, and the list keeps taking touches meanwhile.
    showCellMenu(false);
    host::UIView::animateWithDuration(0.3, 0, host::UIViewAnimationOptionAllowUserInteraction,
                                      putBack, [clearCell](bool) { clearCell(); });
  } else {
    stage.closeSidePage(host::UIViewAnimationOptionCurveEaseInOut, putBack, clearCell);
  }
}

// The finger moves: the cell's content takes the first 40 points, then the root view follows,
// dimming and turning the gear as the configuration page would.
void followCellSwipe(host::UITableView& table, const std::shared_ptr<host::UITableViewCell>& cell,
                     float travel, float menuShare, float pageShare) {
  auto& stage = MainListStage::shared();
  const float distance = std::abs(travel);
  setContentX(cell, -std::min(distance, kContentTravel));
  if (distance >= kScrollLock) table.setScrollEnabled(false);
  const auto& statusBar = host::UIApplication::sharedApplication()->statusBar();
  if (distance < kContentTravel) {
    if (statusBar->alpha() == 0) MainListStage::fadeStatusBar(1, 0.2);
    if (stage.darkingView) stage.darkingView->setAlpha(0);
    stage.rotateGear(0, 0);
  } else {
    if (statusBar->alpha() != 0) MainListStage::fadeStatusBar(0, 0.2);
    if (stage.darkingView) stage.darkingView->setAlpha(pageShare);
    stage.rotateGear(pageShare * -kTurn, 0);
  }
  if (menuShare >= 0.3f && stage.specifierScrollView) {
    stage.specifierScrollView->animatedViewsForAnimationWithDuration(0.5, 0);
  }
  // The root view follows only once it has somewhere to go, and keeps taking touches while it
  // does: a drag that scrolls the list over the rows never holds the next touch up.
  const double x = std::min(travel + kContentTravel, 0.0f);
  const auto root = MainListStage::rootView();
  if (root && root->frame().origin.x != x) {
    host::UIView::animateWithDuration(0.05, 0, host::UIViewAnimationOptionAllowUserInteraction,
                                      [x] { MainListStage::moveRootView(x); });
  }
}

void letGoIfEnded(Object* self, const Recognizer& recognizer) {
  if (!recognizer) return;
  const auto state = recognizer->state();
  if (state != host::UIGestureRecognizerStateEnded &&
      state != host::UIGestureRecognizerStateCancelled &&
      state != host::UIGestureRecognizerStateFailed) {
    return;
  }
  auto& swipe = CellSwipe::shared();
  const auto cell = std::dynamic_pointer_cast<host::UITableViewCell>(recognizer->view());
  auto* page = dynamic_cast<host::PSListController*>(self);
  if (!cell || swipe.lastCell != cell) return;
  if (page && page->table()) page->table()->setScrollEnabled(true);
  host::UIView::animateWithDuration(
      0.3, 0, host::UIViewAnimationOptionAllowUserInteraction, [&cell] { setContentX(cell, 0); },
      [cell](bool) { releaseSwipedCell(cell); });
}

void handlePanOnCell(Object* self, Recognizer recognizer) {
  auto& stage = MainListStage::shared();
  auto& swipe = CellSwipe::shared();
  if (stage.isInTagView || !stage.canHandlePan || isLandscape()) {
    // Moves are ignored meanwhile, but a swipe that ends now still lets go of its row and gives
    // the table its scrolling back, or the row would stay held and the list locked.
    letGoIfEnded(self, recognizer);
    return;
  }
  if (swipe.forceTouching) {
    // A peek began: this swipe is its touch.
    swipe.forceTouching = false;
    return;
  }
  auto* page = dynamic_cast<host::PSListController*>(self);
  const auto cell =
      std::dynamic_pointer_cast<host::UITableViewCell>(recognizer ? recognizer->view() : nullptr);
  if (!page || !cell || stage.maxSize <= 0 || stage.maxSizeForSpecifier <= 0) return;
  const auto table = page->table();
  const auto state = recognizer->state();
  const auto location = static_cast<float>(recognizer->locationInView(nullptr).x);

  if (state == host::UIGestureRecognizerStateBegan) beginCellSwipe(*page, cell, location);
  if (swipe.lastCell != cell) {
    showCellMenu(false);
    return;
  }
  swipe.lastLocationOnCell = location;
  // Only leftward travel counts.
  const float travel = std::min(swipe.lastLocationOnCell - swipe.firstLocationOnCell, 0.0f);
  const float menuShare = std::abs(travel + kContentTravel) / stage.maxSizeForSpecifier;
  const float pageShare = std::abs(travel + kContentTravel) / stage.maxSize;
  if (state == host::UIGestureRecognizerStateEnded ||
      state == host::UIGestureRecognizerStateCancelled) {
    endCellSwipe(*table, cell, menuShare, state == host::UIGestureRecognizerStateEnded);
    return;
  }
  followCellSwipe(*table, cell, travel, menuShare, pageShare);
}

void cellLayoutSubviews(Object* self) {
  // The cell being swiped keeps its shifted content until the swipe ends.
  if (self != nullptr && CellSwipe::shared().lastCell.get() == self) return;
  original.cellLayoutSubviews(self);
}

// Animates the gear's alpha, unless it is there already.
void fadeGear(double alpha, double duration) {
  const auto& button = MainListStage::shared().settingsButton;
  if (!button || !button->customView()) return;
  const auto& view = button->customView();
  if (view->alpha() == alpha) return;
  host::UIView::animateWithDuration(duration, [&view, alpha] { view->setAlpha(alpha); });
}

void fadeOutButtons(Object*) {
  fadeGear(0, 0.05);
}

void fadeInButtons(Object*) {
  fadeGear(1, 0.2);
}

void offset(Object* self) {
  auto& stage = MainListStage::shared();
  auto* page = dynamic_cast<host::PSUIPrefsListController*>(self);
  const auto navigation = page ? page->navigationController() : nullptr;
  if (!navigation || stage.original <= 0) return;
  const auto& bar = navigation->navigationBar();
  auto frame = bar->frame();
  // How far the list has scrolled from its top: 0 at the top. Measured against the table's top
  // inset (where the bar at its full height ends), not the bar's current height, which this
  // handler itself changes: that would feed back, and part way into the shrink the bar would
  // flicker between two heights and the list never count as at rest.
  const auto table = page->table();
  const auto scrolled = static_cast<float>(table->contentOffset().y + table->contentInset().top);
  float height = stage.original;
  if (scrolled >= kBarShrinkStart) {
    height = std::max(stage.original - scrolled + kBarShrinkStart, kBarMinimum);
    host::send<FadeOutButtons>(self);
  } else {
    host::send<FadeInButtons>(self);
  }
  if (scrolled == stage.lastOffset) {
    stage.canHandlePan = true;  // the list is at rest
    return;
  }
  stage.canHandlePan = false;
  stage.lastOffset = scrolled;
  frame.size.height = height;
  host::UIView::animateWithDuration(0.1, [&bar, frame] { bar->setFrame(frame); });
  if (const auto label = MainListStage::titleLabel(*page)) {
    const double scale = height / stage.original;
    host::UIView::animateWithDuration(0.1, [&label, scale] {
      label->setTransform(host::CGAffineTransform::makeScale(scale, scale));
    });
  }
}

void addGestures(Object* self) {
  auto& stage = MainListStage::shared();
  auto* page = dynamic_cast<host::PSUIPrefsListController*>(self);
  if (!page) return;
  const std::weak_ptr<Object> weakPage = self->shared_from_this();
  if (const auto navigation = page->navigationController()) {
    navigation->navigationBar()->setUserInteractionEnabled(true);
  }
  if (const auto title = MainListStage::titleView(*page)) {
    title->setUserInteractionEnabled(true);
    auto tap = std::make_shared<host::UITapGestureRecognizer>();
    tap->addTarget(self->shared_from_this(), [weakPage](const Recognizer& sender) {
      if (auto target = weakPage.lock()) host::send<tagview::Tapped>(target, sender);
    });
    title->addGestureRecognizer(tap);
  }
  stage.mainPan = std::make_shared<host::UIPanGestureRecognizer>();
  stage.mainPan->addTarget(self->shared_from_this(), [weakPage](const Recognizer& sender) {
    if (auto target = weakPage.lock()) host::send<HandlePan>(target, sender);
  });
  if (const auto root = MainListStage::rootView()) root->addGestureRecognizer(stage.mainPan);
}

void handlePan(Object*, Recognizer recognizer) {
  auto& stage = MainListStage::shared();
  if (!recognizer || isShowing(stage.categoriesList) || isShowing(stage.passcodeView)) return;
  const auto root = MainListStage::rootView();
  if (!root || stage.maxSize <= 0) return;
  const auto state = recognizer->state();
  const auto location = static_cast<float>(recognizer->locationInView(nullptr).x);
  if (state == host::UIGestureRecognizerStateBegan) {
    stage.firstLocation = location;
    MainListStage::fadeStatusBar(0, 0.1);
  }
  stage.lastLocation = location;
  // firstOffset holds where the root view rested: a pan on an open page continues from there.
  const float x = std::min(stage.lastLocation - stage.firstLocation + stage.firstOffset, 0.0f);
  const float share = -x / stage.maxSize;
  if (state == host::UIGestureRecognizerStateEnded) {
    if (-root->frame().origin.x < stage.maxSize / 2) {
      stage.closeSidePage();
    } else {
      stage.openConfigurationPage();
    }
  } else if (state == host::UIGestureRecognizerStateCancelled) {
    // The system took the touch: nothing is left half open.
    stage.closeSidePage();
  } else {
    if (share >= 0.2f && stage.configurationScrollView) {
      stage.configurationScrollView->animatedViewsForAnimationWithDuration(0.5, 0);
    }
    host::UIView::animateWithDuration(0.05, [&stage, x, share] {
      MainListStage::moveRootView(x);
      if (stage.darkingView) stage.darkingView->setAlpha(share);
    });
    stage.rotateGear(share * -kTurn, 0);
  }
  // Dragging past the menu's width turns an open cell action menu into the configuration page.
  if (share > stage.maxSizeForSpecifier / stage.maxSize && stage.configurationScrollView &&
      stage.configurationScrollView->alpha() == 0) {
    host::UIView::animateWithDuration(0.3, [] { showCellMenu(false); });
  }
}

void mainViewWillDisappear(Object* self, bool animated) {
  original.mainViewWillDisappear(self, animated);
  auto& stage = MainListStage::shared();
  if (stage.offsetLink) {
    stage.offsetLink->invalidate();
    stage.offsetLink.reset();
  }
  auto* page = dynamic_cast<host::UIViewController*>(self);
  const auto navigation = page ? page->navigationController() : nullptr;
  if (!navigation || stage.original <= 0) return;
  const auto& bar = navigation->navigationBar();
  auto frame = bar->frame();
  frame.size.height = stage.original;
  bar->setFrame(frame);
}

}  // namespace

void install(HookInstaller& installer) {
  host::Class* list = host::PSListController::objcClass();
  host::Class* cell = host::UITableViewCell::objcClass();
  host::Class* main = host::PSUIPrefsListController::objcClass();
  installer.add<HandlePanOnCell>(list, handlePanOnCell);
  installer.hook<Cell::LayoutSubviews>(cell, cellLayoutSubviews, original.cellLayoutSubviews);
  installer.add<FadeOutButtons>(main, fadeOutButtons);
  installer.add<FadeInButtons>(main, fadeInButtons);
  installer.add<Offset>(main, offset);
  installer.add<AddGestures>(main, addGestures);
  installer.add<HandlePan>(main, handlePan);
  installer.hook<Main::ViewWillDisappear>(main, mainViewWillDisappear,
                                          original.mainViewWillDisappear);
}

}  // namespace vorlan::hooks::gestures
