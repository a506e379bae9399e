#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "menu/VLScrollView.h"
#include "uikit/CGGeometry.h"

namespace host {
class PSListController;
class PSSpecifier;
class UIColor;
class UIFont;
class UIImage;
class UILabel;
class UITableViewCell;
}  // namespace host

namespace vorlan {

class VLButtonSpecifier;
class folderSkyView;
class positionSkyView;
class tagsSkyView;

// The cell action menu: a column of seven buttons beside a swiped cell, acting on that one cell
// of its list page. One menu serves every cell; it is re-targeted before it is revealed.
//
// Enable/Disable and Passcode change the settings file after the list page's passcode gate has
// let them through; Hide records the cell hidden and takes it off the page; Remove only takes it
// off the page shown now. A cell without an identifier cannot be acted on: the menu then shows
// an error message instead of its buttons. Every action is ignored while its button's help popup
// shows (the action arrives on the release of the hold that opened it).
class VLSpecifierScrollView : public VLScrollView {
 public:
  enum Button : std::size_t { Enable, Passcode, Tag, Folder, Hide, Remove, Position, Count };

  static constexpr const char* kErrorText = "An error has occured with this cell :(";

  static host::Class* objcClass();
  explicit VLSpecifierScrollView(host::Class* cls = objcClass());

  static std::shared_ptr<VLSpecifierScrollView> make(const host::CGRect& frame);

  // Targets the menu at a cell: its specifier, its table cell and its list page.
  void setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                    std::shared_ptr<host::UITableViewCell> cell,
                    std::shared_ptr<host::PSListController> controller);

  // Whether a help popup of one of the buttons shows, or the tag panel.
  bool isShow() const;
  // Fades the buttons in; nothing for a cell that cannot be acted on, so that only the error
  // message shows.
  void animatedViewsForAnimationWithDuration(float duration, float delay) override;

  void enabledClicked();
  void passcodeClicked();
  void tagClicked();
  void folderClicked();
  void hideClicked();
  void removeClicked();
  void positionClicked();
  // What Enable/Disable and Passcode do once the passcode gate has let them through.
  void enabledAutenticated();
  void passcodeAutenticated();

  static std::shared_ptr<host::UIFont> defaultFont();
  static std::shared_ptr<host::UIColor> defaultTextColor();

  const std::shared_ptr<VLButtonSpecifier>& button(Button which) const { return buttons_[which]; }
  const std::shared_ptr<host::UILabel>& errorLabel() const { return error_; }
  bool canSegue() const { return canSegue_; }
  // Whether the cell opens only after the passcode on the menu's page.
  bool isLocked() const;
  // The folder picker, made on the first Folder action and reused.
  const std::shared_ptr<folderSkyView>& folderSky() const { return folderSky_; }
  // The position editor, made on the first use of Position and reused after.
  const std::shared_ptr<positionSkyView>& positionSky() const { return positionSky_; }
  // The tag assignment panel, made by the first Tag and reused.
  const std::shared_ptr<tagsSkyView>& tagsSky() const { return tagsSky_; }

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  struct Icons {
    std::shared_ptr<host::UIImage> enable, disable, locked, unlocked;
  };

  void addButton(Button which, const host::CGRect& frame);
  // Whether the action of `which` may run now: the menu acts on a cell and the button's help
  // popup is not showing.
  bool actionAllowed(Button which) const;
  // Asks the list page's passcode gate to send `method` to this menu once the passcode is right.
  void requirePasscode(Button which, const char* method);
  // Takes the cell off the page; with `recordHidden` a group header left without cells is
  // recorded hidden with it.
  void removeCell(bool recordHidden);
  void closeSidePage();
  void setEnableTitle(bool enabled);
  // Where a panel opened by `which` puts its balloon: below the button, as wide as twice the
  // distance from the button's icon to its right edge, ending at the window's right edge.
  host::CGRect panelRect(Button which) const;
  // Shows the panel of a button for the current cell: made on first use over the list page's
  // size, re-framed and re-bound after, its balloon hanging from the button at `to`.
  template <class Panel>
  void openPanel(std::shared_ptr<Panel>& panel, Button which, const host::CGRect& to);

  std::array<std::shared_ptr<VLButtonSpecifier>, Count> buttons_;
  std::shared_ptr<host::UILabel> error_;
  Icons icons_;
  std::shared_ptr<host::UIColor> separatorColor_;

  std::shared_ptr<host::PSSpecifier> spec_;
  std::shared_ptr<host::UITableViewCell> cell_;
  std::shared_ptr<host::PSListController> controller_;
  bool canSegue_ = true;
  std::shared_ptr<folderSkyView> folderSky_;
  std::shared_ptr<positionSkyView> positionSky_;
  std::shared_ptr<tagsSkyView> tagsSky_;
};

}  // namespace vorlan
