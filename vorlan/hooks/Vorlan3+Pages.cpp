// Page rewriting on every list page: when it runs (load, reload, appearance), the rewriting
// itself (PageRewriter), and the swipe recogniser on every cell.
#include <algorithm>
#include <vector>

#include "hooks/HostMethods.h"
#include "hooks/PageRewriter.h"
#include "hooks/SettingsState.h"
#include "hooks/VLPanGestureRecognizer.h"
#include "hooks/Vorlan3Hooks.h"
#include "preferences/PSListController.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"

namespace vorlan::hooks {

namespace {

constexpr const char* kMainListClass = "PSUIPrefsListController";

host::PSListController* asPage(Object* self) {
  return dynamic_cast<host::PSListController*>(self);
}

bool isVorlanRecognizer(const std::shared_ptr<host::UIGestureRecognizer>& recognizer) {
  return recognizer && recognizer->isKindOfClass(VLPanGestureRecognizer::objcClass());
}

}  // namespace

void listLoadView(Object* self) {
  HostMethods::shared().listLoadView(self);
  // The main list waits for its app cells instead (its own loadView).
  if (self->className() != kMainListClass) host::msgSend<sig::Void>(self, "specifiersLoaded");
}

void listReloadSpecifiers(Object* self) {
  HostMethods::shared().listReloadSpecifiers(self);
  SettingsState::shared().isInTagView = false;
  // The main list's own reloadSpecifiers runs its pass once the app cells are there; a pass
  // here as well would only rewrite it twice.
  if (self->className() != kMainListClass) host::msgSend<sig::Void>(self, "specifiersLoaded");
}

void listViewWillAppear(Object* self, bool animated) {
  HostMethods::shared().listViewWillAppear(self, animated);
  auto page = std::dynamic_pointer_cast<host::PSListController>(self->shared_from_this());
  if (!page) return;
  SettingsState::shared().currentController = page;
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
  auto cell = HostMethods::shared().listCellForRow(self, table, indexPath);
  const bool editing = table && table->isEditing();
  auto& state = SettingsState::shared();
  if (state.mainPan) state.mainPan->setEnabled(!editing);
  if (!cell) return cell;
  if (editing) {
    const auto recognizers = cell->gestureRecognizers();
    for (const auto& recognizer : recognizers) {
      if (isVorlanRecognizer(recognizer)) cell->removeGestureRecognizer(recognizer.get());
    }
  } else if (!host::msgSend<sig::HasGesture>(self, "hasGesture:", cell)) {
    cell->addGestureRecognizer(
        VLPanGestureRecognizer::initWithTarget(self->shared_from_this(), "handlePanOnCell:"));
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

}  // namespace vorlan::hooks
