#include "folders/resetFolder.h"

#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"

namespace vorlan {

HOST_CLASS(resetFolder, folderView)

resetFolder::resetFolder(host::Class* cls) : folderView(cls) {}

std::shared_ptr<resetFolder> resetFolder::make(const host::CGRect& frame) {
  auto tile = std::make_shared<resetFolder>();
  tile->initWithFrame(frame);
  tile->setCanEdit(false);
  tile->setName("RESET");
  tile->button()->setBackgroundColor(host::UIColor::colorWithRed(1, 100.0 / 255, 100.0 / 255, 1));
  tile->setImage(std::string(kFolderIcons) + "reset.png");
  return tile;
}

void resetFolder::setCanEdit(bool canEdit) {
  folderView::setCanEdit(canEdit);
  setButtonTitle("Reset");
}

void resetFolder::personalizeClicked() {
  auto alert = host::UIAlertView::alert("Reset", kMessage, "No", {"Yes"});
  // The alert holds the tile until it is answered, so the answer counts even if the strip was
  // rebuilt meanwhile.
  alert->setDidDismissCallback(
      [self = std::static_pointer_cast<resetFolder>(shared_from_this())](const auto&, long index) {
        self->alertViewDidDismissWithButtonIndex(index);
      });
  alert->show();
}

void resetFolder::alertViewDidDismissWithButtonIndex(long index) {
  if (index == 1) VLPreferencesManager::sharedInstance()->eraseFolders();
}

}  // namespace vorlan
