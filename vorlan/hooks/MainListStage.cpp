#include "hooks/MainListStage.h"

#include "preferences/PSListController.h"
#include "uikit/CADisplayLink.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIVisualEffectView.h"

namespace vorlan {

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
  // No side page opens yet: the configuration page and the cell action menu are not built.
}

std::shared_ptr<host::PSListController> MainListStage::currentListPage() const {
  return currentController;
}

}  // namespace vorlan
