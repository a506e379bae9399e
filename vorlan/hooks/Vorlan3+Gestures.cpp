// Cell swipe and side-page gestures. The swipe, the root-view pan and the navigation-bar
// handler are not built yet: the hooks run the host's behaviour and the additions do nothing.
#include "hooks/Vorlan3+Gestures.h"

#include "hooks/CellSwipe.h"
#include "preferences/PSListController.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIViewMethods.h"

namespace vorlan::hooks::gestures {

namespace {

using host::Object;
using Cell = host::MethodsOf<host::UIView>;
using Main = host::MethodsOf<host::PSUIPrefsListController>;

struct Originals {
  host::Original<Cell::LayoutSubviews> cellLayoutSubviews;
  host::Original<Main::ViewWillDisappear> mainViewWillDisappear;
};
constinit Originals original;

void handlePanOnCell(Object*, std::shared_ptr<host::UIGestureRecognizer>) {}

void cellLayoutSubviews(Object* self) {
  // The cell being swiped keeps its shifted content until the swipe ends.
  if (self != nullptr && CellSwipe::shared().lastCell.get() == self) return;
  original.cellLayoutSubviews(self);
}

void fadeOutButtons(Object*) {}

void fadeInButtons(Object*) {}

void offset(Object*) {}

void addGestures(Object*) {}

void handlePan(Object*, std::shared_ptr<host::UIGestureRecognizer>) {}

void mainViewWillDisappear(Object* self, bool animated) {
  original.mainViewWillDisappear(self, animated);
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
