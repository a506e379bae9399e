#include "uikit/UITextField.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CGContext.h"
#include "uikit/TextEditing.h"
#include "uikit/TextLayout.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"

namespace host {

HOST_CLASS(UITextField, UIControl)

UITextField::UITextField(Class* cls) : UIControl(cls) {}

UITextField::~UITextField() = default;

std::string UITextField::displayedText() const {
  if (!secure_) return text_;
  std::string bullets;
  for (std::size_t i = TextEditing::characterCount(text_); i > 0; --i)
    bullets += "\u2022";
  return bullets;
}

std::shared_ptr<UIFont> UITextField::font() const {
  return font_ ? font_ : UIFont::systemFontOfSize(17);
}

std::shared_ptr<UIColor> UITextField::textColor() const {
  return textColor_ ? textColor_ : UIColor::blackColor();
}

bool UITextField::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldBeginEditing(*this)) {
    return false;
  }
  if (!UIControl::becomeFirstResponder()) return false;
  editing_ = true;
  if (clearsOnBeginEditing_) text_.clear();
  if (auto delegate = delegate_.lock()) delegate->textFieldDidBeginEditing(*this);
  sendActionsForControlEvents(UIControlEventEditingDidBegin);
  return true;
}

bool UITextField::resignFirstResponder() {
  if (!isFirstResponder()) return true;
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldEndEditing(*this)) {
    return false;
  }
  if (!UIControl::resignFirstResponder()) return false;
  editing_ = false;
  if (auto delegate = delegate_.lock()) delegate->textFieldDidEndEditing(*this);
  sendActionsForControlEvents(UIControlEventEditingDidEnd);
  return true;
}

void UITextField::insertText(std::string_view text) {
  if (!editing_) return;
  if (text == "\n") {
    pressReturn();
    return;
  }
  replace({TextEditing::length(text_), 0}, text);
}

void UITextField::deleteBackward() {
  if (!editing_ || text_.empty()) return;
  replace(TextEditing::lastCharacterRange(text_), "");
}

void UITextField::replace(NSRange range, std::string_view replacement) {
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock();
      delegate &&
      !delegate->textFieldShouldChangeCharactersInRange(*this, range, std::string(replacement))) {
    return;
  }
  text_ = TextEditing::replacing(text_, range, replacement);
  sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::pressReturn() {
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock(); delegate && !delegate->textFieldShouldReturn(*this)) {
    return;
  }
  const bool resigns = (allControlEvents() & UIControlEventEditingDidEndOnExit) != 0;
  sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
  if (resigns) resignFirstResponder();
}

void UITextField::touchesEnded(const UITouchSet& touches, UIEvent* event) {
  UIControl::touchesEnded(touches, event);
  if (isEnabled() && isTouchInside()) becomeFirstResponder();
}

void UITextField::draw(CGContext& context, const CGRect& rect) {
  drawTextInRect(context, rect);
}

void UITextField::drawTextInRect(CGContext& context, const CGRect& rect) const {
  const bool empty = text_.empty();
  const std::string& shown = empty ? placeholder_ : text_;
  if (shown.empty() || rect.isEmpty()) return;
  TextLayout layout(shown, *font());
  layout.setWidth(rect.width());
  layout.setNumberOfLines(1);
  layout.setLineBreakMode(NSLineBreakMode::ByTruncatingTail);
  layout.setAlignment(alignment_);
  layout.setTextColor(empty ? *UIColor::colorWithRed(0.78, 0.78, 0.8, 1) : *textColor());
  const CGSize size = layout.size();
  context.saveGState();
  context.beginPath();
  context.addRect(rect);
  context.clip();
  layout.drawAtPoint(context, {rect.minX(), rect.minY() + (rect.height() - size.height) / 2});
  context.restoreGState();
}

}  // namespace host
