#pragma once

#include <functional>
#include <memory>
#include <string>

#include "uikit/CGGeometry.h"
#include "uikit/UITextFieldDelegate.h"
#include "uikit/UIView.h"

namespace host {
class UIButton;
class UILabel;
class UITextField;
}  // namespace host

namespace vorlan {

class tagColorView;

// The editor of one tag: a colour picker, a name field and the buttons "Cancel" and "Save".
// Save renames and recolours the tag (its assignments on every cell follow the new name), but
// refuses a name another tag already has, ignoring letter case; a change of letter case only is
// accepted. Both buttons end with the close action, which the opener sets.
class tagConfigurationView : public host::UIView, public host::UITextFieldDelegate {
 public:
  static constexpr const char* kErrorTitle = "Error";
  static constexpr const char* kNameTakenMessage = "This name already exists try with one other";

  static host::Class* objcClass();
  explicit tagConfigurationView(host::Class* cls = objcClass());

  static std::shared_ptr<tagConfigurationView> make(const host::CGRect& frame);

  // Save, as the button does.
  void confirmClicked();
  // Cancel, as the button does: ends editing and closes; nothing is saved.
  void cancelClicked();

  // What closes the editor, and what refreshes the opener's copy of the tag after a save.
  void setTarget(std::function<void()> close) { close_ = std::move(close); }
  void setReloadTarget(std::function<void()> reload) { reload_ = std::move(reload); }

  const std::string& originalName() const { return originalName_; }
  void setOriginalName(std::string name) { originalName_ = std::move(name); }
  const std::string& originalColor() const { return originalColor_; }
  void setOriginalColor(std::string color) { originalColor_ = std::move(color); }

  const std::shared_ptr<tagColorView>& colorView() const { return colorView_; }
  const std::shared_ptr<host::UIView>& textFieldContainer() const { return textFieldContainer_; }
  const std::shared_ptr<host::UILabel>& label() const { return label_; }
  const std::shared_ptr<host::UITextField>& field() const { return field_; }
  const std::shared_ptr<host::UIButton>& cancel() const { return cancel_; }
  const std::shared_ptr<host::UIButton>& confirm() const { return confirm_; }

  // The return key only puts the keyboard away.
  bool textFieldShouldReturn(host::UITextField& field) override;

 protected:
  void initWithFrame(const host::CGRect& frame);
  void layoutSubviewsImpl() override;

 private:
  std::shared_ptr<host::UIButton> makeButton(const char* title,
                                             std::shared_ptr<host::UIColor> background,
                                             void (tagConfigurationView::*action)());

  std::shared_ptr<tagColorView> colorView_;
  std::shared_ptr<host::UIView> textFieldContainer_;
  std::shared_ptr<host::UILabel> label_;
  std::shared_ptr<host::UITextField> field_;
  std::shared_ptr<host::UIButton> cancel_;
  std::shared_ptr<host::UIButton> confirm_;
  std::function<void()> close_;
  std::function<void()> reload_;
  std::string originalName_;
  std::string originalColor_;
};

}  // namespace vorlan
