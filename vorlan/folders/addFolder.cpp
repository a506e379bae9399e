#include "folders/addFolder.h"

#include "folders/foldersScroll.h"
#include "runtime/HostClass.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIButton.h"

namespace vorlan {

HOST_CLASS(addFolder, folderView)

addFolder::addFolder(host::Class* cls) : folderView(cls) {}

std::shared_ptr<addFolder> addFolder::make(const host::CGRect& frame) {
  auto tile = std::make_shared<addFolder>();
  tile->initWithFrame(frame);
  tile->setCanEdit(false);
  tile->setName("ADD");
  tile->setImage(std::string(kFolderIcons) + "add.png");
  return tile;
}

std::string addFolder::freeName() {
  const auto manager = VLPreferencesManager::sharedInstance();
  std::string name = "NEW";
  for (int i = 1; manager->isFolderNameToken(name); ++i)
    name = "NEW-" + std::to_string(i);
  return name;
}

void addFolder::setCanEdit(bool canEdit) {
  folderView::setCanEdit(canEdit);
  setButtonTitle("Create");
}

void addFolder::personalizeClicked() {
  const auto strip = this->strip();
  if (!strip) return;
  const std::string name = freeName();
  const std::string icon = std::string(kFolderIcons) + "apps.png";
  auto tile = folderView::make(frame());
  tile->setName(name);
  tile->setImage(icon);
  tile->setCanEdit(true);
  VLPreferencesManager::sharedInstance()->addFolderWithName(name, icon);
  strip->addFolder(tile);
}

}  // namespace vorlan
