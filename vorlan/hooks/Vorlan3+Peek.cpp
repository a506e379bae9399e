// Peek preview and split view. A firm press on a main-list row previews the page the row opens,
// built here rather than by the host, so that disabled and protected rows never show theirs; a
// peek also keeps the cell swipe from taking the press for a swipe. When the Settings app turns
// into two columns, the tag filter, the side pages and the panels close and the gear hides.
#include "hooks/Vorlan3+Peek.h"

#include "hooks/CellSwipe.h"
#include "hooks/MainListStage.h"
#include "hooks/PageRecords.h"
#include "hooks/PeekPreview.h"
#include "hooks/Vorlan3+Stage.h"
#include "hooks/settingsVLBarButtonItem.h"
#include "panels/skyView.h"
#include "preferences/PSListControllerMethods.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "preferences/PreferencesAppControllerMethods.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITraitCollection.h"
#include "uikit/UITraitCollectionMethods.h"
#include "uikit/UIView.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIViewControllerPreviewingMethods.h"

namespace vorlan::hooks::peek {

namespace {

using host::Id;
using host::Object;
using Delegate = host::MethodsOf<host::PreferencesAppController>;
using List = host::MethodsOf<host::PSListController>;
using Previewing = host::MethodsOf<host::UIViewControllerPreviewing>;
using Traits = host::MethodsOf<host::UITraitCollection>;
using Page = std::shared_ptr<host::UIViewController>;
using Context = std::shared_ptr<host::UIViewControllerPreviewing>;

struct Originals {
  host::Original<Delegate::CollapseSecondary> appCollapseSecondary;
  host::Original<Delegate::SeparateSecondary> appSeparateSecondary;
};
constinit Originals original;

void setGearHidden(bool hidden) {
  if (const auto& gear = MainListStage::shared().settingsButton) {
    if (const auto view = gear->view()) view->setHidden(hidden);
  }
}

bool splitViewControllerCollapseSecondary(Object* self, Id splitViewController, Page secondary,
                                          Page primary) {
  setGearHidden(false);
  return original.appCollapseSecondary(self, std::move(splitViewController), std::move(secondary),
                                       std::move(primary));
}

Page splitViewControllerSeparateSecondary(Object* self, Id splitViewController, Page primary) {
  auto& stage = MainListStage::shared();
  const auto main = std::dynamic_pointer_cast<host::PSListController>(
      VLPreferencesManager::sharedInstance()->mainController());
  if (main) {
    // Two columns show the whole main list: the tag filter gives way to the list as loaded.
    if (stage.isInTagView) {
      stage.isInTagView = false;
      const auto filtered = main->specifiers();
      main->replaceContiguousSpecifiers(filtered, PageRecords::shared().originals, true);
    }
    setGearHidden(true);
    const auto root = MainListStage::rootView();
    if (root && root->frame().origin.x != 0) host::send<stage::SettingsButtonTapped>(main);
    skyView::dismissAllShape(false);
  }
  return original.appSeparateSecondary(self, std::move(splitViewController), std::move(primary));
}

bool isForceTouchAvailable(Object* self) {
  const auto* page = dynamic_cast<host::UIViewController*>(self);
  const auto traits = page ? page->traitCollection() : nullptr;
  if (!traits || !host::respondsToSelector(traits.get(), Traits::ForceTouchCapability::selector))
    return false;
  return host::send<Traits::ForceTouchCapability>(traits) == host::UIForceTouchCapabilityAvailable;
}

// Whether a swipe has moved a cell's content aside.
bool swipeUnderWay() {
  const auto& cell = CellSwipe::shared().lastCell;
  return cell && cell->contentView()->frame().origin.x != 0;
}

Page previewingContextViewControllerForLocation(Object* self, Context context,
                                                host::CGPoint location) {
  auto* main = dynamic_cast<host::PSListController*>(self);
  if (!main || !context || swipeUnderWay()) return nullptr;
  auto& swipe = CellSwipe::shared();
  // The press is about to reach the cell swipe as a swipe event: it is swallowed.
  swipe.forceTouching = true;
  const auto giveUp = [&swipe]() -> Page {
    swipe.forceTouching = false;
    return nullptr;
  };

  const auto table = main->table();
  const auto path = table->indexPathForRowAtPoint(
      table->convertPointFromView(location, context->sourceView().get()));
  if (!path) return giveUp();
  const auto group = main->specifiersInGroup(path->section);
  long cells = 0;
  for (const auto& item : group) {
    if (item && item->cellType() != host::PSSpecifier::PSGroupCell) ++cells;
  }
  const long element = path->row + 1;
  if (path->row < 0 || element > cells || element >= static_cast<long>(group.size()))
    return giveUp();
  const auto cell = group[static_cast<std::size_t>(element)];
  const int type = cell ? cell->cellType() : -1;
  if (type != host::PSSpecifier::PSLinkCell && type != host::PSSpecifier::PSLinkListCell &&
      type != host::PSSpecifier::PSListItemCell) {
    return giveUp();
  }
  if (const auto shown = table->cellForRowAtIndexPath(*path))
    context->setSourceRect(shown->frame());

  auto manager = VLPreferencesManager::sharedInstance();
  // The row's flags are looked up as a tap's guards look them up: the main list also shows
  // cells of other pages (the tag filter).
  if (!manager->isSpecifierEnabled(*cell, self) || manager->isRowDisabled(*cell, self, true))
    return giveUp();
  // A protected page is opened as a tap opens it, which asks for the passcode first; the
  // passcode page itself is always protected.
  if (PeekPreview::detailClassName(*cell) == PeekPreview::kPasscodePage ||
      manager->isSpecifierProtectedByPasscode(*cell, self) ||
      manager->isRowProtected(*cell, self, true)) {
    host::send<List::DidSelectRowAtIndexPath>(self, table, *path);
    return giveUp();
  }
  auto page = PeekPreview::pageFor(cell);
  if (!page) return giveUp();
  return page;
}

void previewingContextCommitViewController(Object* self, Context, Page page) {
  CellSwipe::shared().forceTouching = false;
  if (auto* main = dynamic_cast<host::UIViewController*>(self))
    main->showDetailViewController(std::move(page), self);
}

}  // namespace

void registerForPreviewing(host::PSListController& main) {
  auto& stage = MainListStage::shared();
  if (stage.previewingContext || !host::send<IsForceTouchAvailable>(&main)) return;
  stage.previewingContext =
      main.registerForPreviewingWithDelegate(main.shared_from_this(), main.table());
}

void install(HookInstaller& installer) {
  host::Class* app = host::PreferencesAppController::objcClass();
  host::Class* main = host::PSUIPrefsListController::objcClass();
  installer.hook<Delegate::CollapseSecondary>(app, splitViewControllerCollapseSecondary,
                                              original.appCollapseSecondary);
  installer.hook<Delegate::SeparateSecondary>(app, splitViewControllerSeparateSecondary,
                                              original.appSeparateSecondary);
  installer.add<IsForceTouchAvailable>(main, isForceTouchAvailable);
  installer.add<Previewing::ViewControllerForLocation>(main,
                                                       previewingContextViewControllerForLocation);
  installer.add<Previewing::CommitViewController>(main, previewingContextCommitViewController);
}

}  // namespace vorlan::hooks::peek
