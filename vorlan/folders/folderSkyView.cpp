#include "folders/folderSkyView.h"

#include "folders/folderView.h"
#include "folders/foldersScroll.h"
#include "panels/shapeSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UILabel.h"

namespace vorlan {

HOST_CLASS(folderSkyView, skyView)

folderSkyView::folderSkyView(host::Class* cls) : skyView(cls) {}

std::shared_ptr<folderSkyView> folderSkyView::make(const host::CGRect& frame) {
  auto panel = std::make_shared<folderSkyView>();
  panel->initWithFrame(frame);
  return panel;
}

void folderSkyView::initWithFrame(const host::CGRect& frame) {
  skyView::initWithFrame(frame);
  const auto& container = shape()->container();

  noContent_ = std::make_shared<host::UILabel>();
  noContent_->setTextColor(host::UIColor::colorWithWhite(0, 0.8));
  noContent_->setBackgroundColor(host::UIColor::clearColor());
  noContent_->setFont(host::UIFont::systemFontOfSize(18));
  noContent_->setNumberOfLines(0);
  noContent_->setTextAlignment(host::NSTextAlignment::Center);
  noContent_->setText(kNoContentText);
  noContent_->setAlpha(0);
  container->addSubview(noContent_);

  scroll_ = foldersScroll::make(host::CGRectZero);
  setCanEditOnTiles(false);
  container->addSubview(scroll_);
  placeContent();
}

void folderSkyView::placeContent() {
  const host::CGSize size = shape()->container()->bounds().size;
  noContent_->setFrame({{0, 0}, size});
  scroll_->setFrame({{size.width * 2 / 10, 0}, {size.width * 6 / 10, size.height}});
}

void folderSkyView::layoutSubviewsImpl() {
  skyView::layoutSubviewsImpl();
  placeContent();
}

void folderSkyView::setCanEditOnTiles(bool canEdit) {
  for (const auto& tile : scroll_->folders())
    tile->setCanEdit(canEdit);
}

void folderSkyView::setEditable(bool editable) {
  specifier_.reset();
  controller_.reset();
  scroll_->loadFolders();
  setCanEditOnTiles(editable);
  scroll_->showEditableFolders();
  noContent_->setAlpha(0);
  scroll_->setAlpha(1);
  placeContent();
  scroll_->layoutTiles();
}

void folderSkyView::setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                                 std::shared_ptr<host::PSListController> controller) {
  specifier_ = std::move(specifier);
  controller_ = std::move(controller);
  scroll_->loadFolders();
  setCanEditOnTiles(false);
  for (const auto& tile : scroll_->folders())
    tile->setSpecifier(specifier_, controller_);

  const std::string page = controller_ ? controller_->className() : std::string();
  if (page == "PSUIPrefsListController") {
    scroll_->showOthers();
    noContent_->setAlpha(0);
    scroll_->setAlpha(1);
  } else if (page == "folderController") {
    scroll_->showRemove();
    noContent_->setAlpha(0);
    scroll_->setAlpha(1);
  } else {
    noContent_->setAlpha(1);
    scroll_->setAlpha(0);
  }
  placeContent();
  scroll_->layoutTiles();
}

void folderSkyView::showFromRect(const host::CGRect& from, const host::CGRect& to) {
  skyView::showFromRect(from, to);
  // The balloon's container has its size now.
  placeContent();
  scroll_->layoutTiles();
  const auto self = std::static_pointer_cast<folderSkyView>(shared_from_this());
  float delay = 0.2f;
  for (const auto& tile : scroll_->folders()) {
    tile->setFolderSkyView(self);
    delay += 0.1f;
    tile->startAnimationWithDuration(0.2f, delay);
  }
}

void folderSkyView::dismissShape(bool animated) {
  skyView::dismissShape(animated);
  for (const auto& tile : scroll_->folders())
    tile->resetAnimation();
}

}  // namespace vorlan
