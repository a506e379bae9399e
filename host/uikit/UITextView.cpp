#include "uikit/UITextView.h"

#include <string>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CGContext.h"
#include "uikit/NSAttributedString.h"
#include "uikit/NSMutableAttributedString.h"
#include "uikit/TextEditing.h"
#include "uikit/TextLayout.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"

namespace host {

HOST_CLASS(UITextView, UIScrollView)

UITextView::UITextView(Class* cls) : UIScrollView(cls) {}

UITextView::~UITextView() = default;

void UITextView::setText(std::string text) {
  text_ = std::move(text);
  attributedText_.reset();
  textDidChange();
}

std::shared_ptr<NSAttributedString> UITextView::attributedText() const {
  if (attributedText_) return attributedText_;
  return NSAttributedString::withString(
      text_, {{std::string(NSFontAttributeName), font()},
              {std::string(NSForegroundColorAttributeName), textColor()}});
}

void UITextView::setAttributedText(std::shared_ptr<NSAttributedString> text) {
  text_ = text ? text->string() : std::string();
  attributedText_ = std::move(text);
  textDidChange();
}

void UITextView::textDidChange() {
  setNeedsLayout();
  setNeedsDisplay();
}

std::unique_ptr<TextLayout> UITextView::makeLayout() const {
  auto layout = std::make_unique<TextLayout>(*attributedText());
  // An attributed text aligns by its own paragraph style.
  if (!attributedText_) layout->setAlignment(alignment_);
  layout->setTextColor(*textColor());
  const CGFloat width = bounds().width() - 2 * kLinePadding;
  layout->setWidth(width > 0 ? width : 1);
  return layout;
}

CGFloat UITextView::textContentHeight() const {
  if (text_.empty()) return 2 * kTextInset;
  return makeLayout()->size().height + 2 * kTextInset;
}

void UITextView::layoutSubviewsImpl() {
  UIScrollView::layoutSubviewsImpl();
  setContentSize({bounds().width(), textContentHeight()});
}

void UITextView::draw(CGContext& context, const CGRect& rect) {
  UIScrollView::draw(context, rect);
  if (text_.empty()) return;
  makeLayout()->drawAtPoint(context, {kLinePadding, kTextInset});
}

std::shared_ptr<UIFont> UITextView::font() const {
  return font_ ? font_ : UIFont::systemFontOfSize(12);
}

std::shared_ptr<UIColor> UITextView::textColor() const {
  return textColor_ ? textColor_ : UIColor::blackColor();
}

void UITextView::setEditable(bool editable) {
  if (!editable && isFirstResponder()) resignFirstResponder();
  editable_ = editable;
}

bool UITextView::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock(); delegate && !delegate->textViewShouldBeginEditing(*this)) {
    return false;
  }
  if (!UIScrollView::becomeFirstResponder()) return false;
  if (auto delegate = delegate_.lock()) delegate->textViewDidBeginEditing(*this);
  return true;
}

bool UITextView::resignFirstResponder() {
  if (!isFirstResponder()) return true;
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock(); delegate && !delegate->textViewShouldEndEditing(*this)) {
    return false;
  }
  if (!UIScrollView::resignFirstResponder()) return false;
  if (auto delegate = delegate_.lock()) delegate->textViewDidEndEditing(*this);
  return true;
}

void UITextView::insertText(std::string_view text) {
  if (!isFirstResponder()) return;
  replace({TextEditing::length(text_), 0}, text);
}

void UITextView::deleteBackward() {
  if (!isFirstResponder() || text_.empty()) return;
  replace(TextEditing::lastCharacterRange(text_), "");
}

void UITextView::replace(NSRange range, std::string_view replacement) {
  const auto keepAlive = shared_from_this();
  if (auto delegate = delegate_.lock(); delegate && !delegate->textViewShouldChangeTextInRange(
                                                        *this, range, std::string(replacement))) {
    return;
  }
  if (attributedText_) {
    // Typing keeps the attributes of an attributed text.
    auto edited = NSMutableAttributedString::withAttributedString(*attributedText_);
    if (range.fitsIn(edited->length())) edited->replaceCharactersInRange(range, replacement);
    setAttributedText(std::move(edited));
  } else {
    setText(TextEditing::replacing(text_, range, replacement));
  }
  if (auto delegate = delegate_.lock()) delegate->textViewDidChange(*this);
}

void UITextView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
  if (editable_) {
    becomeFirstResponder();
    return;
  }
  UIScrollView::touchesEnded(touches, event);
}

}  // namespace host
