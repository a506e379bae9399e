#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "uikit/NSParagraphStyle.h"
#include "uikit/UIControl.h"
#include "uikit/UIKeyInput.h"
#include "uikit/UITextFieldDelegate.h"

namespace host {

class CGContext;
class UIColor;
class UIFont;

enum UITextBorderStyle {
  UITextBorderStyleNone,
  UITextBorderStyleLine,
  UITextBorderStyleBezel,
  UITextBorderStyleRoundedRect,
};

// A one-line editable text. A tap (touch-up-inside) makes it the first responder, which brings
// up the keyboard (see Keyboard); while it is, it is editing. Typed keys go to the end of the
// text, each asked of the delegate first and followed by editing-changed. The return key asks
// textFieldShouldReturn and, when that agrees, sends editing-did-end-on-exit, after which the
// field resigns if that event has actions (as UIKit does). Setting the text in code asks nobody.
class UITextField : public UIControl, public UIKeyInput {
 public:
  static Class* objcClass();
  explicit UITextField(Class* cls = objcClass());
  ~UITextField() override;

  const std::string& text() const { return text_; }
  void setText(std::string text) { text_ = std::move(text); }
  const std::string& placeholder() const { return placeholder_; }
  void setPlaceholder(std::string placeholder) { placeholder_ = std::move(placeholder); }
  // What the field shows: the text, or a bullet per character when it is secure.
  std::string displayedText() const;

  std::shared_ptr<UIFont> font() const;  // the system font of 17 points unless set
  void setFont(std::shared_ptr<UIFont> font) { font_ = std::move(font); }
  std::shared_ptr<UIColor> textColor() const;  // black unless set
  void setTextColor(std::shared_ptr<UIColor> color) { textColor_ = std::move(color); }
  NSTextAlignment textAlignment() const { return alignment_; }
  void setTextAlignment(NSTextAlignment alignment) { alignment_ = alignment; }

  // Drawing, by the renderer: the text on one line, centred vertically and aligned in the
  // rectangle (the placeholder in light grey while the text is empty), clipped to it.
  void drawTextInRect(CGContext& context, const CGRect& rect) const;
  void draw(CGContext& context, const CGRect& rect) override;  // through drawTextInRect
  UITextBorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(UITextBorderStyle style) { borderStyle_ = style; }
  bool isSecureTextEntry() const { return secure_; }
  void setSecureTextEntry(bool secure) { secure_ = secure; }
  UIKeyboardType keyboardType() const override { return keyboardType_; }
  void setKeyboardType(UIKeyboardType type) { keyboardType_ = type; }
  bool clearsOnBeginEditing() const { return clearsOnBeginEditing_; }
  void setClearsOnBeginEditing(bool clears) { clearsOnBeginEditing_ = clears; }

  std::shared_ptr<UITextFieldDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(const std::shared_ptr<UITextFieldDelegate>& delegate) { delegate_ = delegate; }

  bool isEditing() const { return editing_; }
  bool canBecomeFirstResponder() const override { return isEnabled(); }
  // Asks the delegate (textFieldShouldBeginEditing / textFieldShouldEndEditing) first.
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;

  // The keyboard's keys.
  bool hasText() const override { return !text_.empty(); }
  void insertText(std::string_view text) override;
  void deleteBackward() override;

  void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
  // A tap on the field begins editing, even where a view behind it recognises taps.
  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override {
    return !keepsSingleTapFrom(recognizer);
  }

 private:
  void replace(NSRange range, std::string_view replacement);
  void pressReturn();

  std::string text_;
  std::string placeholder_;
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  NSTextAlignment alignment_ = NSTextAlignment::Natural;
  UITextBorderStyle borderStyle_ = UITextBorderStyleNone;
  bool secure_ = false;
  UIKeyboardType keyboardType_ = UIKeyboardTypeDefault;
  bool clearsOnBeginEditing_ = false;
  bool editing_ = false;
  std::weak_ptr<UITextFieldDelegate> delegate_;
};

}  // namespace host
