#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "uikit/NSParagraphStyle.h"
#include "uikit/UIKeyInput.h"
#include "uikit/UIScrollView.h"
#include "uikit/UITextViewDelegate.h"

namespace host {

class NSAttributedString;
class UIColor;
class UIFont;
class TextLayout;

// A scrollable, multi-line text, editable unless turned off. An editable text view becomes the
// first responder when tapped; typed keys (the return key inserts a line break) go to the end of
// the text, each asked of the delegate first, which then hears textViewDidChange. The text and
// the attributed text are one: setting the plain text drops the attributes, and the attributed
// text of a plain text carries the view's font and colour; typing into an attributed text keeps
// its attributes.
//
// The text is laid out as UIKit's text container does: wrapped to the width less a padding of
// kLinePadding points on each side, kTextInset points below the top. Laying the view out sets the
// content size to the text's height with those insets, so a long text scrolls; it is drawn in the
// content's coordinates, so it moves with the content offset.
class UITextView : public UIScrollView, public UIKeyInput {
 public:
  static Class* objcClass();
  explicit UITextView(Class* cls = objcClass());
  ~UITextView() override;

  const std::string& text() const { return text_; }
  void setText(std::string text);
  std::shared_ptr<NSAttributedString> attributedText() const;
  void setAttributedText(std::shared_ptr<NSAttributedString> text);

  std::shared_ptr<UIFont> font() const;  // the system font of 12 points unless set
  void setFont(std::shared_ptr<UIFont> font) { font_ = std::move(font); }
  std::shared_ptr<UIColor> textColor() const;  // black unless set
  void setTextColor(std::shared_ptr<UIColor> color) { textColor_ = std::move(color); }
  NSTextAlignment textAlignment() const { return alignment_; }
  void setTextAlignment(NSTextAlignment alignment) { alignment_ = alignment; }

  // Turning editing off ends the editing in progress.
  bool isEditable() const { return editable_; }
  void setEditable(bool editable);
  bool isSelectable() const { return selectable_; }
  void setSelectable(bool selectable) { selectable_ = selectable; }
  UIKeyboardType keyboardType() const override { return keyboardType_; }
  void setKeyboardType(UIKeyboardType type) { keyboardType_ = type; }

  std::shared_ptr<UITextViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(const std::shared_ptr<UITextViewDelegate>& delegate) { delegate_ = delegate; }

  bool isEditing() const { return isFirstResponder(); }
  bool canBecomeFirstResponder() const override { return editable_; }
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;

  bool hasText() const override { return !text_.empty(); }
  void insertText(std::string_view text) override;
  void deleteBackward() override;

  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

  static constexpr CGFloat kLinePadding = 5;
  static constexpr CGFloat kTextInset = 8;
  // The height the text takes at the view's width, insets included.
  CGFloat textContentHeight() const;
  void draw(CGContext& context, const CGRect& rect) override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  std::unique_ptr<TextLayout> makeLayout() const;
  void textDidChange();

  void replace(NSRange range, std::string_view replacement);

  std::string text_;
  std::shared_ptr<NSAttributedString> attributedText_;  // set when given with attributes
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  NSTextAlignment alignment_ = NSTextAlignment::Natural;
  bool editable_ = true;
  bool selectable_ = true;
  UIKeyboardType keyboardType_ = UIKeyboardTypeDefault;
  std::weak_ptr<UITextViewDelegate> delegate_;
};

}  // namespace host
