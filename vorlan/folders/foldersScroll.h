#pragma once

#include <memory>
#include <vector>

#include "uikit/CGGeometry.h"
#include "uikit/UIScrollView.h"
#include "uikit/UIScrollViewDelegate.h"

namespace vorlan {

class folderView;

// The paged strip of folder tiles inside the folder picker: the Default tile (which takes a cell
// out of its folder), one tile per folder of the settings file, then the add tile and the reset
// tile. Each tile's layer name is its key: "0" for Default, the folder's key, then the next two.
// Hidden tiles take no page. Tiles fade by their distance from the middle of the panel, and
// neighbouring tiles stay visible beside the current page.
class foldersScroll : public host::UIScrollView, public host::UIScrollViewDelegate {
 public:
  static constexpr double kTileWidth = 150;
  static constexpr double kTileHeight = 200;

  static host::Class* objcClass();
  explicit foldersScroll(host::Class* cls = objcClass());

  static std::shared_ptr<foldersScroll> make(const host::CGRect& frame);

  // Builds the tiles afresh from the settings file (the old ones leave the strip).
  void loadFolders();
  const std::vector<std::shared_ptr<folderView>>& folders() const { return folders_; }

  // For a cell of the main list: every folder, without the Default, add and reset tiles.
  void showOthers();
  // For a cell of a folder page: only the Default tile.
  void showRemove();
  // The add and reset tiles shown or hidden.
  void showEditableFolders();
  void hideEditableFolders();

  // A tile just created by the add tile takes the add tile's page; the add and reset tiles move
  // one page on.
  void addFolder(const std::shared_ptr<folderView>& tile);
  // Drops a deleted tile from the list (the tile leaves the view tree itself).
  void removeFolder(const folderView* tile);

  // Sets the frame; a new frame lays the tiles out again. Hides UIView::setFrame: the strip is
  // always framed through its own type.
  void setFrame(const host::CGRect& frame);
  // Lays the visible tiles out one a page and goes back to the first page.
  void layoutTiles();
  // A visible tile's frame on page `page`.
  host::CGRect pageFrame(long page) const;
  // Each visible tile's alpha from its distance to the middle of the panel: 1 there, falling to
  // 0.5 at the panel's edges.
  void fadeTiles();
  double fadedAlpha(const folderView& tile) const;

  void scrollViewDidScroll(host::UIScrollView& scrollView) override;

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  std::shared_ptr<folderView> makeTile(const std::string& name, const std::string& image,
                                       bool canEdit, long key);

  std::vector<std::shared_ptr<folderView>> folders_;
};

}  // namespace vorlan
