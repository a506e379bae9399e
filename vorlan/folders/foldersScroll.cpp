#include "folders/foldersScroll.h"

#include <algorithm>

#include "folders/addFolder.h"
#include "folders/folderView.h"
#include "folders/resetFolder.h"
#include "foundation/NSString.h"
#include "runtime/HostClass.h"
#include "store/SettingsValues.h"
#include "store/VLPreferencesManager.h"
#include "uikit/UIColor.h"

namespace vorlan {

HOST_CLASS(foldersScroll, host::UIScrollView)

namespace {

std::string recordString(const host::Plist& record, const char* key) {
  return SettingsValues::string(record.get(key)).value_or("");
}

}  // namespace

foldersScroll::foldersScroll(host::Class* cls) : host::UIScrollView(cls) {}

std::shared_ptr<foldersScroll> foldersScroll::make(const host::CGRect& frame) {
  auto strip = std::make_shared<foldersScroll>();
  strip->initWithFrame(frame);
  return strip;
}

void foldersScroll::initWithFrame(const host::CGRect& frame) {
  host::UIView::setFrame(frame);
  setPagingEnabled(true);
  setShowsHorizontalScrollIndicator(false);
  setShowsVerticalScrollIndicator(false);
  setBackgroundColor(host::UIColor::clearColor());
  setClipsToBounds(false);
  setDelegate(std::static_pointer_cast<foldersScroll>(shared_from_this()));
  loadFolders();
}

std::shared_ptr<folderView> foldersScroll::makeTile(const std::string& name,
                                                    const std::string& image, bool canEdit,
                                                    long key) {
  auto tile = folderView::make({{0, 0}, {kTileWidth, kTileHeight}});
  tile->setName(host::NSString::uppercaseString(name));
  tile->setImage(image);
  tile->setCanEdit(canEdit);
  tile->setKey(key);
  return tile;
}

void foldersScroll::loadFolders() {
  for (const auto& tile : folders_)
    tile->removeFromSuperview();
  folders_.clear();

  auto defaultTile =
      makeTile("Default", std::string(folderView::kFolderIcons) + "default.png", false, 0);
  defaultTile->setHidden(true);
  folders_.push_back(defaultTile);

  const host::Plist table = VLPreferencesManager::sharedInstance()->getFoldersDictionary();
  const long count = static_cast<long>(table.size());
  for (long i = 1; i <= count; ++i) {
    const host::Plist record = table.get(std::to_string(i));
    // A key missing from the table (a file edited by hand) gives no tile.
    if (record.isNone()) continue;
    folders_.push_back(
        makeTile(recordString(record, "name"), recordString(record, "image"), true, i));
  }

  const long next = count + 1;
  auto add = addFolder::make({{0, 0}, {kTileWidth, kTileHeight}});
  add->setKey(next);
  auto reset = resetFolder::make({{0, 0}, {kTileWidth, kTileHeight}});
  reset->setKey(next + 1);
  for (const std::shared_ptr<folderView>& special :
       {std::shared_ptr<folderView>(add), std::shared_ptr<folderView>(reset)}) {
    special->setHidden(true);
    folders_.push_back(special);
  }
  for (const auto& tile : folders_)
    addSubview(tile);
}

void foldersScroll::showOthers() {
  for (const auto& view : subviews())
    view->setHidden(false);
  hideEditableFolders();
  if (!folders_.empty()) folders_.front()->setHidden(true);
}

void foldersScroll::showRemove() {
  for (const auto& view : subviews())
    view->setHidden(true);
  if (!folders_.empty()) folders_.front()->setHidden(false);
}

void foldersScroll::showEditableFolders() {
  if (folders_.size() < 2) return;
  for (auto at = folders_.end() - 2; at != folders_.end(); ++at) {
    (*at)->setCanEdit(false);
    (*at)->setHidden(false);
  }
}

void foldersScroll::hideEditableFolders() {
  if (folders_.size() < 2) return;
  for (auto at = folders_.end() - 2; at != folders_.end(); ++at) {
    (*at)->setCanEdit(false);
    (*at)->setHidden(true);
  }
}

host::CGRect foldersScroll::pageFrame(long page) const {
  const host::CGSize size = frame().size;
  return {{(size.width - kTileWidth) / 2 + size.width * static_cast<double>(page),
           (size.height - kTileHeight) / 2},
          {kTileWidth, kTileHeight}};
}

void foldersScroll::setFrame(const host::CGRect& frame) {
  const bool changed = !(frame == this->frame());
  host::UIView::setFrame(frame);
  if (changed) layoutTiles();
}

void foldersScroll::layoutTiles() {
  long page = 0;
  for (const auto& tile : folders_) {
    if (tile->isHidden()) continue;
    tile->setFrame(pageFrame(page));
    tile->setAlpha(page == 0 ? 1 : 0.5);
    ++page;
  }
  setContentSize({frame().size.width * static_cast<double>(page), 0});
  host::UIView::performWithoutAnimation([this] { setContentOffset({0, 0}); });
}

void foldersScroll::addFolder(const std::shared_ptr<folderView>& tile) {
  if (folders_.size() < 2) return;
  const std::size_t index = folders_.size() - 2;
  const long key = static_cast<long>(index);
  // The add tile's panel and cell go with the new tile.
  tile->setFolderSkyView(folders_[index]->folderSky());
  folders_.insert(folders_.begin() + static_cast<long>(index), tile);
  insertSubview(tile, index);
  tile->setKey(key);
  folders_[index + 1]->setKey(key + 1);
  folders_[index + 2]->setKey(key + 2);

  const double width = frame().size.width;
  animateWithDuration(
      0.3,
      [&] {
        // The Default tile is hidden while folders are edited: folder i is on page i - 1.
        tile->setFrame(pageFrame(key - 1));
        folders_[index + 1]->setFrame(pageFrame(key));
        folders_[index + 1]->setAlpha(0.5);
        folders_[index + 2]->setFrame(pageFrame(key + 1));
      },
      [tile](bool) { tile->resizeIconBySize(9); });
  host::CGSize content = contentSize();
  content.width += width;
  setContentSize(content);
}

void foldersScroll::removeFolder(const folderView* tile) {
  std::erase_if(folders_, [tile](const auto& entry) { return entry.get() == tile; });
}

double foldersScroll::fadedAlpha(const folderView& tile) const {
  const auto container = superview();
  const double panelWidth =
      container ? container->bounds().size.width : frame().size.width * 10 / 6;
  if (panelWidth <= 0) return 1;
  const host::CGRect frame = tile.frame();
  const double middle =
      frame.origin.x + frame.size.width / 2 - contentOffset().x + 2 * panelWidth / 10;
  double r = middle / (panelWidth / 2);
  if (r > 1) r = 2 - r;
  if (r < 0) r = 0;
  return r + 0.5 * (1 - r);
}

void foldersScroll::fadeTiles() {
  // A tile in personalize mode keeps the others faded out.
  if (std::any_of(folders_.begin(), folders_.end(),
                  [](const auto& tile) { return tile->isPersonalizing(); }))
    return;
  for (const auto& tile : folders_) {
    if (!tile->isHidden()) tile->setAlpha(fadedAlpha(*tile));
  }
}

void foldersScroll::scrollViewDidScroll(host::UIScrollView& /*scrollView*/) {
  fadeTiles();
}

}  // namespace vorlan
