// Page rewriting on every list page: when it runs (load, reload, appearance), the rewriting
// itself (PageRewriter), and the swipe recogniser on every cell.
#include "hooks/Vorlan3+Pages.h"

#include <algorithm>
#include <string>
#include <vector>

#include "hooks/MainListStage.h"
#include "hooks/PageRewriter.h"
#include "hooks/VLPanGestureRecognizer.h"
#include "hooks/Vorlan3+Gestures.h"
#include "preferences/PSListController.h"
#include "preferences/PSListControllerMethods.h"
#include "preferences/PSUIPrefsListController.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace vorlan::hooks::pages {

namespace {

using host::Id;
using host::Object;
using List = host::MethodsOf<host::PSListController>;

struct Originals {
  host::Original<List::ReloadSpecifiers> listReloadSpecifiers;
  host::Original<List::LoadView> listLoadView;
  host::Original<List::CellForRowAtIndexPath> listCellForRow;
  host::Original<List::ViewWillAppear> listViewWillAppear;
};
constinit Originals original;

constexpr const char* kMainListClass = "PSUIPrefsListController";

host::PSListController* asPage(Object* self) {
  return dynamic_cast<host::PSListController*>(self);
}

bool isVorlanRecognizer(const std::shared_ptr<host::UIGestureRecognizer>& recognizer) {
  return recognizer && recognizer->isKindOfClass(VLPanGestureRecognizer::objcClass());
}

void listLoadView(Object* self) {
  original.listLoadView(self);
  // The main list waits for its app cells instead (its own loadView).
  if (self->className() != kMainListClass) host::send<SpecifiersLoaded>(self);
}

void listReloadSpecifiers(Object* self) {
  original.listReloadSpecifiers(self);
  MainListStage::shared().isInTagView = false;
  // The main list's own reloadSpecifiers runs its pass once the app cells are there; a pass
  // here as well would only rewrite it twice.
  if (self->className() != kMainListClass) host::send<SpecifiersLoaded>(self);
}

void listViewWillAppear(Object* self, bool animated) {
  original.listViewWillAppear(self, animated);
  auto page = std::dynamic_pointer_cast<host::PSListController>(self->shared_from_this());
  if (!page) return;
  MainListStage::shared().currentController = page;
  VLPreferencesManager::sharedInstance()->setCurrentController(page);
}

void listSpecifiersLoaded(Object* self) {
  if (auto* page = asPage(self)) PageRewriter::rewritePage(*page);
}

void specifiersLoadedButDontLoadPositions(Object* self) {
  if (auto* page = asPage(self)) PageRewriter::rewriteWithoutPositions(*page);
}

std::shared_ptr<host::UITableViewCell> listCellForRow(Object* self,
                                                      std::shared_ptr<host::UITableView> table,
                                                      host::NSIndexPath indexPath) {
  auto cell = original.listCellForRow(self, table, indexPath);
  const bool editing = table && table->isEditing();
  auto& state = MainListStage::shared();
  if (state.mainPan) state.mainPan->setEnabled(!editing);
  if (!cell) return cell;
  if (editing) {
    const auto recognizers = cell->gestureRecognizers();
    for (const auto& recognizer : recognizers) {
      if (isVorlanRecognizer(recognizer)) cell->removeGestureRecognizer(recognizer.get());
    }
  } else if (!host::send<HasGesture>(self, cell)) {
    cell->addGestureRecognizer(VLPanGestureRecognizer::initWithTarget(
        self->shared_from_this(), std::string(gestures::HandlePanOnCell::selector)));
  }
  cell->setUserInteractionEnabled(true);
  return cell;
}

bool hasGesture(Object*, Id cell) {
  const auto* view = dynamic_cast<host::UIView*>(cell.get());
  if (!view) return false;
  const auto& recognizers = view->gestureRecognizers();
  return std::any_of(recognizers.begin(), recognizers.end(), isVorlanRecognizer);
}

}  // namespace

void install(HookInstaller& installer) {
  host::Class* list = host::PSListController::objcClass();
  host::Class* main = host::PSUIPrefsListController::objcClass();
  installer.hook<List::ReloadSpecifiers>(list, listReloadSpecifiers, original.listReloadSpecifiers);
  installer.add<SpecifiersLoadedButDontLoadPositions>(list, specifiersLoadedButDontLoadPositions);
  installer.add<SpecifiersLoaded>(list, listSpecifiersLoaded);
  installer.hook<List::LoadView>(list, listLoadView, original.listLoadView);
  installer.add<HasGesture>(list, hasGesture);
  installer.hook<List::CellForRowAtIndexPath>(list, listCellForRow, original.listCellForRow);
  installer.hook<List::ViewWillAppear>(list, listViewWillAppear, original.listViewWillAppear);
  // The main list shares the pass without moved cells.
  installer.add<SpecifiersLoadedButDontLoadPositions>(main, specifiersLoadedButDontLoadPositions);
}

}  // namespace vorlan::hooks::pages
