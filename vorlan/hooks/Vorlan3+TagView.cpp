// Tag filter list: the main list's title opens it, and the main list keeps whether it shows a
// tag's cells.
#include "hooks/Vorlan3+TagView.h"

#include "hooks/MainListStage.h"
#include "hooks/catogoriesListView.h"
#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UINavigationController.h"

namespace vorlan::hooks::tagview {

namespace {

using host::Object;

void setInTagView(Object*, bool value) {
  MainListStage::shared().isInTagView = value;
}

// Opens the tag filter list under the title, unless the device lies on its side or the
// navigation bar is shrunk by a scrolled list.
void tapped(Object* self, std::shared_ptr<host::UIGestureRecognizer>) {
  auto* page = dynamic_cast<host::PSListController*>(self);
  if (!page || host::UIApplication::sharedApplication()->isLandscape()) return;
  auto& stage = MainListStage::shared();
  const auto navigation = page->navigationController();
  if (!navigation || navigation->navigationBar()->frame().size.height < stage.original) return;
  const auto root = MainListStage::rootView();
  const auto title = MainListStage::titleView(*page);
  if (!root || !title) return;

  const host::CGSize size = page->view()->frame().size;
  const host::CGRect frame{{0, 0}, size};
  if (!stage.categoriesList) {
    stage.categoriesList = catogoriesListView::make(frame);
  } else {
    stage.categoriesList->setFrame(frame);
  }
  const auto& list = stage.categoriesList;
  list->setController(std::static_pointer_cast<host::PSListController>(page->shared_from_this()));
  root->addSubview(list);
  list->showFromRect(title->frame(), {10, 16, size.width - 20, size.height / 2});
  root->bringSubviewToFront(list);
}

}  // namespace

void install(HookInstaller& installer) {
  installer.add<SetInTagView>(host::PSListController::objcClass(), setInTagView);
  installer.add<Tapped>(host::PSUIPrefsListController::objcClass(), tapped);
}

}  // namespace vorlan::hooks::tagview
