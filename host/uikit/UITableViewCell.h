#pragma once

#include <memory>
#include <string>

#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"

namespace host {

class UIImageView;
class UILabel;

enum UITableViewCellStyle {
  UITableViewCellStyleDefault,
  UITableViewCellStyleValue1,
  UITableViewCellStyleValue2,
  UITableViewCellStyleSubtitle,
};

enum UITableViewCellAccessoryType {
  UITableViewCellAccessoryNone,
  UITableViewCellAccessoryDisclosureIndicator,
  UITableViewCellAccessoryDetailDisclosureButton,
  UITableViewCellAccessoryCheckmark,
  UITableViewCellAccessoryDetailButton,
};

enum UITableViewCellSelectionStyle {
  UITableViewCellSelectionStyleNone,
  UITableViewCellSelectionStyleBlue,
  UITableViewCellSelectionStyleGray,
  UITableViewCellSelectionStyleDefault,
};

enum UITableViewCellEditingStyle {
  UITableViewCellEditingStyleNone,
  UITableViewCellEditingStyleDelete,
  UITableViewCellEditingStyleInsert,
};

// One row of a table. Its content goes into the content view, which the cell shrinks and shifts
// for the editing control (left), the reorder control and the accessory (right) and a shown
// delete button (the content slides left by its width). The standard labels and image view are
// made on first use; the detail label exists only in the styles that have one.
//
// "layoutSubviews" is registered under UITableViewCell itself, so a hook on the cell class sees
// the layout of every cell without touching other views.
class UITableViewCell : public UIView {
 public:
  static constexpr CGFloat kEditingControlWidth = 38;
  static constexpr CGFloat kReorderControlWidth = 38;
  static constexpr CGFloat kDeleteButtonWidth = 82;

  static Class* objcClass();
  // A cell of the default style without a reuse identifier (a cell made by name).
  explicit UITableViewCell(Class* cls = objcClass());
  // initWithStyle:reuseIdentifier:
  static std::shared_ptr<UITableViewCell> cellWithStyle(UITableViewCellStyle style,
                                                        std::string reuseIdentifier);
  // Sets the style and identifier of a cell just made (a subclass's, say).
  void initWithStyle(UITableViewCellStyle style, std::string reuseIdentifier);

  UITableViewCellStyle style() const { return style_; }
  const std::string& reuseIdentifier() const { return reuseIdentifier_; }

  const std::shared_ptr<UIView>& contentView();
  std::shared_ptr<UILabel> textLabel();
  // Nothing in the default style.
  std::shared_ptr<UILabel> detailTextLabel();
  std::shared_ptr<UIImageView> imageView();

  UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
  void setAccessoryType(UITableViewCellAccessoryType type);
  // A view of its own in the accessory's place; it wins over the accessory type.
  const std::shared_ptr<UIView>& accessoryView() const { return accessoryView_; }
  void setAccessoryView(std::shared_ptr<UIView> view);

  UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
  void setSelectionStyle(UITableViewCellSelectionStyle style) { selectionStyle_ = style; }
  const std::shared_ptr<UIView>& backgroundView() const { return backgroundView_; }
  void setBackgroundView(std::shared_ptr<UIView> view);
  // Shown behind the content while selected or highlighted (unless the style is none); a grey
  // one is made on first use.
  std::shared_ptr<UIView> selectedBackgroundView();
  void setSelectedBackgroundView(std::shared_ptr<UIView> view);

  bool isSelected() const { return selected_; }
  void setSelected(bool selected) { setSelected(selected, false); }
  virtual void setSelected(bool selected, bool animated);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted) { setHighlighted(highlighted, false); }
  virtual void setHighlighted(bool highlighted, bool animated);

  // Editing, as the table sets it up for the row.
  bool isEditing() const { return editing_; }
  void setEditing(bool editing) { setEditing(editing, false); }
  virtual void setEditing(bool editing, bool animated);
  UITableViewCellEditingStyle editingStyle() const { return editingStyle_; }
  void setEditingStyle(UITableViewCellEditingStyle style);
  bool shouldIndentWhileEditing() const { return shouldIndentWhileEditing_; }
  void setShouldIndentWhileEditing(bool indent);
  bool showsReorderControl() const { return showsReorderControl_; }
  void setShowsReorderControl(bool shows);
  long indentationLevel() const { return indentationLevel_; }
  void setIndentationLevel(long level);
  CGFloat indentationWidth() const { return indentationWidth_; }
  void setIndentationWidth(CGFloat width);
  // Shown only while editing, with a style other than none / the reorder control on.
  const std::shared_ptr<UIView>& editingControl() const { return editingControl_; }
  const std::shared_ptr<UIView>& reorderControl() const { return reorderControl_; }

  // The delete button of swipe-to-delete, at the right edge; nothing while not shown.
  const std::shared_ptr<UIView>& deleteConfirmationView() const { return deleteButton_; }
  bool isShowingDeleteConfirmation() const { return deleteButton_ != nullptr; }
  void showDeleteConfirmation(const std::string& title, bool animated);
  void hideDeleteConfirmation(bool animated);

  // The separator line along the bottom edge.
  UIEdgeInsets separatorInset() const { return separatorInset_; }
  void setSeparatorInset(const UIEdgeInsets& inset);
  const std::shared_ptr<UIView>& separatorView() const { return separator_; }

  // Called when the table hands the cell out again; resets selection, highlight and the delete
  // button.
  virtual void prepareForReuse();

  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  // The drag of a reorder control: moves the cell's row within its table.
  static void handleReorderPan(const std::shared_ptr<UIGestureRecognizer>& recognizer,
                               const std::shared_ptr<CGFloat>& grabOffset);
  void attachSubviews();
  void layoutLabels(const CGRect& bounds);
  std::shared_ptr<UIView> makeStandardAccessory() const;
  void relayout(bool animated);

  UITableViewCellStyle style_ = UITableViewCellStyleDefault;
  std::string reuseIdentifier_;
  std::shared_ptr<UIView> contentView_;
  std::shared_ptr<UILabel> textLabel_;
  std::shared_ptr<UILabel> detailTextLabel_;
  std::shared_ptr<UIImageView> imageView_;
  UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryNone;
  std::shared_ptr<UIView> accessoryView_;
  std::shared_ptr<UIView> standardAccessory_;  // the view shown for the accessory type
  UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyleDefault;
  std::shared_ptr<UIView> backgroundView_;
  std::shared_ptr<UIView> selectedBackgroundView_;
  bool selected_ = false;
  bool highlighted_ = false;
  bool editing_ = false;
  UITableViewCellEditingStyle editingStyle_ = UITableViewCellEditingStyleDelete;
  bool shouldIndentWhileEditing_ = true;
  bool showsReorderControl_ = false;
  long indentationLevel_ = 0;
  CGFloat indentationWidth_ = 10;
  std::shared_ptr<UIView> editingControl_;
  std::shared_ptr<UIView> reorderControl_;
  std::shared_ptr<UIView> deleteButton_;
  std::shared_ptr<UIView> separator_;
  UIEdgeInsets separatorInset_{0, 15, 0, 0};
};

}  // namespace host
