#pragma once

#include <memory>

#include "panels/skyView.h"

namespace host {
class PSListController;
class PSSpecifier;
class UILabel;
}  // namespace host

namespace vorlan {

class foldersScroll;

// The folder picker: a panel holding the folder strip in the middle 60 % of its balloon.
//
// From the cell action menu it files a cell: a cell of the main list can go into any folder, a
// cell of a folder page only back out (the Default tile); on any other page only an explanation
// shows. From the configuration page it is editable (no cell): folders are created,
// personalized, deleted and reset there. Every opening reads the folders afresh.
class folderSkyView : public skyView {
 public:
  static constexpr const char* kNoContentText =
      "You can only add settings contained in the main page of the Preferences app\nto a folder";

  static host::Class* objcClass();
  explicit folderSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<folderSkyView> make(const host::CGRect& frame);

  // Editing mode: the tiles offer "Personalize", and the add and reset tiles show.
  void setEditable(bool editable);
  // The cell to file and the page that shows it; which tiles show follows from the page.
  void setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                    std::shared_ptr<host::PSListController> controller);

  void showFromRect(const host::CGRect& from, const host::CGRect& to) override;
  void dismissShape(bool animated) override;

  const std::shared_ptr<host::UILabel>& noContent() const { return noContent_; }
  const std::shared_ptr<foldersScroll>& scroll() const { return scroll_; }

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  void placeContent();
  void setCanEditOnTiles(bool canEdit);

  std::shared_ptr<host::UILabel> noContent_;
  std::shared_ptr<foldersScroll> scroll_;
  std::shared_ptr<host::PSSpecifier> specifier_;
  std::shared_ptr<host::PSListController> controller_;
};

}  // namespace vorlan
