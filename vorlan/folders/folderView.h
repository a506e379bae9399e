#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uikit/CGGeometry.h"
#include "uikit/UIGestureRecognizerDelegate.h"
#include "uikit/UIScrollViewDelegate.h"
#include "uikit/UITextFieldDelegate.h"
#include "uikit/UIView.h"

namespace host {
class PSListController;
class PSSpecifier;
class UIButton;
class UIImageView;
class UILabel;
class UIPageControl;
class UIScrollView;
class UISwipeGestureRecognizer;
class UITextField;
}  // namespace host

namespace vorlan {

class folderSkyView;
class foldersScroll;

// One folder of the strip: its name (shown upper-case) above its icon, one button below.
//
// In picker mode (canEdit false) the button is "Select" and files the panel's cell into this
// folder; a folder named "default" in any letter case takes the cell out of its folder instead.
// In editing mode the button is "Personalize": it opens personalize mode, where the tile grows
// and pulses over the faded strip, the icon is cycled by swiping it up or down (page 1) and the
// name is typed (page 2); "Done" checks and saves, closing the panel leaves without saving.
// Pulling the icon up past half way reveals "Delete" with a "Cancel" below it.
//
// The tile's layer name is the folder's key in the settings file; the icon's layer name is the
// icon image's path.
class folderView : public host::UIView,
                   public host::UIScrollViewDelegate,
                   public host::UITextFieldDelegate,
                   public host::UIGestureRecognizerDelegate {
 public:
  static constexpr const char* kFolderIcons = "/Library/Application Support/Vorlan3/folder_icons/";
  static constexpr const char* kNameTakenMessage =
      "This folder's name already exists try with one other name";

  static host::Class* objcClass();
  explicit folderView(host::Class* cls = objcClass());

  static std::shared_ptr<folderView> make(const host::CGRect& frame);

  void setName(const std::string& name);
  std::string getName() const;
  // Shows the image read from `path`, remembered as the icon layer's name.
  void setImage(const std::string& path);
  std::string imagePath() const;
  void setIdentifier(const std::string& identifier) { identifier_ = identifier; }
  const std::string& identifier() const { return identifier_; }
  // The folder's key, kept as the tile layer's name.
  std::string key() const;
  void setKey(long key);
  long keyNumber() const;

  virtual void setCanEdit(bool canEdit);
  bool canEdit() const { return canEdit_; }
  void setSpecifier(std::shared_ptr<host::PSSpecifier> specifier,
                    std::shared_ptr<host::PSListController> controller);
  // The panel showing the strip, held weakly: the panel owns the strip that owns the tile.
  void setFolderSkyView(const std::shared_ptr<folderSkyView>& sky) { sky_ = sky; }
  std::shared_ptr<folderSkyView> folderSky() const { return sky_.lock(); }

  // Pop-in of the icon when the panel shows: fade in over d / 5 after t, grow from 0.1 to 1.2 over
  // d, settle to 1 over 3d / 4.
  void startAnimationWithDuration(float duration, float delay);
  // Undoes the pop-in and leaves personalize mode without saving, restoring the name shown on
  // entry.
  void resetAnimation();
  // Insets the icon by `size` on every side, animated.
  void resizeIconBySize(float size);

  // The button's action: Select, or enter / leave personalize mode.
  virtual void personalizeClicked();
  void trashClicked();
  void cancelDeletion();
  void swipedIcon(bool up);
  void tapName();
  void saveChanges();

  bool isPersonalizing() const;
  bool isDeletionRevealed() const;

  const std::shared_ptr<host::UITextField>& nameField() const { return name_; }
  const std::shared_ptr<host::UIScrollView>& scroll() const { return scroll_; }
  const std::shared_ptr<host::UIImageView>& icon() const { return icon_; }
  const std::shared_ptr<host::UIButton>& button() const { return personalize_; }
  const std::shared_ptr<host::UIButton>& confirmButton() const { return confirm_; }
  const std::shared_ptr<host::UIButton>& trashButton() const { return trash_; }
  const std::shared_ptr<host::UIPageControl>& pageControl() const { return pageControl_; }
  const std::shared_ptr<host::UIScrollView>& editingScroll() const { return editingScroll_; }
  const std::shared_ptr<host::UIView>& editingIcon() const { return editingIcon_; }
  const std::shared_ptr<host::UIView>& editingName() const { return editingName_; }

  // UIScrollViewDelegate: the pull of the icon and the two pages of personalize mode.
  void scrollViewDidScroll(host::UIScrollView& scrollView) override;
  void scrollViewWillBeginDragging(host::UIScrollView& scrollView) override;
  // UITextFieldDelegate
  bool textFieldShouldReturn(host::UITextField& field) override;
  // UIGestureRecognizerDelegate: the pull starts only on a mostly vertical stroke, so that a
  // sideways one turns the strip's page.
  bool gestureRecognizerShouldBegin(host::UIGestureRecognizer& recognizer) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;
  void setButtonTitle(const std::string& title);
  std::shared_ptr<foldersScroll> strip() const;

 private:
  void selectFolder();
  void handlePanEnded();
  // Snaps the icon back down, hiding Delete and Cancel.
  void closeDeletion();
  void enterPersonalize();
  void leavePersonalize();
  // The steps back to idle editing mode, after a save or without one.
  void finishPersonalize();
  void startPulse(const std::shared_ptr<host::UIView>& view);
  void updateMask();

  std::shared_ptr<host::UITextField> name_;
  std::shared_ptr<host::UIScrollView> scroll_;
  std::shared_ptr<host::UIImageView> icon_;
  std::shared_ptr<host::UIButton> personalize_;
  std::shared_ptr<host::UIButton> confirm_;
  std::shared_ptr<host::UIButton> trash_;
  std::shared_ptr<host::UIImageView> trashImage_;
  std::shared_ptr<host::UILabel> trashLabel_;
  std::shared_ptr<host::UIPageControl> pageControl_;
  std::shared_ptr<host::UIScrollView> editingScroll_;
  std::shared_ptr<host::UIView> editingIcon_;
  std::shared_ptr<host::UIView> editingName_;

  std::string identifier_;
  bool canEdit_ = false;
  bool added_ = false;
  std::optional<std::string> original_;
  std::vector<std::string> images_;
  std::shared_ptr<host::PSSpecifier> specifier_;
  std::shared_ptr<host::PSListController> controller_;
  std::weak_ptr<folderSkyView> sky_;
};

}  // namespace vorlan
