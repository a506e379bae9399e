#include "uikit/UILabel.h"

#include <algorithm>
#include <cmath>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CGContext.h"
#include "uikit/NSMutableAttributedString.h"
#include "uikit/TextLayout.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIScreen.h"

namespace host {

namespace {

// The colour of a disabled label's text.
constexpr double kDisabledWhite = 0.56;

}  // namespace

HOST_CLASS(UILabel, UIView)

UILabel::UILabel(Class* cls)
    : UIView(cls), font_(UIFont::systemFontOfSize(17)), textColor_(UIColor::blackColor()) {
  setUserInteractionEnabled(false);
}

UILabel::~UILabel() = default;

void UILabel::setText(std::string text) {
  text_ = std::move(text);
  attributedText_.reset();
  setNeedsDisplay();
}

std::shared_ptr<NSAttributedString> UILabel::attributedText() const {
  if (attributedText_) return attributedText_;
  if (text_.empty()) return nullptr;
  return NSAttributedString::withString(text_,
                                        {{std::string(NSFontAttributeName), font_},
                                         {std::string(NSForegroundColorAttributeName), textColor_},
                                         {std::string(NSParagraphStyleAttributeName),
                                          NSParagraphStyle::withAlignment(textAlignment_)}});
}

void UILabel::setAttributedText(std::shared_ptr<NSAttributedString> text) {
  text_ = text ? text->string() : std::string();
  attributedText_ = std::move(text);
  setNeedsDisplay();
}

void UILabel::setFont(std::shared_ptr<UIFont> font) {
  font_ = font ? std::move(font) : UIFont::systemFontOfSize(17);
  setNeedsDisplay();
}

void UILabel::setTextColor(std::shared_ptr<UIColor> color) {
  textColor_ = color ? std::move(color) : UIColor::blackColor();
  setNeedsDisplay();
}

void UILabel::setTextAlignment(NSTextAlignment alignment) {
  textAlignment_ = alignment;
  setNeedsDisplay();
}

void UILabel::setNumberOfLines(long lines) {
  numberOfLines_ = std::max(0L, lines);
  setNeedsDisplay();
}

void UILabel::setLineBreakMode(NSLineBreakMode mode) {
  lineBreakMode_ = mode;
  setNeedsDisplay();
}

void UILabel::setAdjustsFontSizeToFitWidth(bool adjusts) {
  adjustsFontSize_ = adjusts;
  setNeedsDisplay();
}

void UILabel::setMinimumScaleFactor(double factor) {
  minimumScaleFactor_ = std::isfinite(factor) ? std::clamp(factor, 0.0, 1.0) : 0;
  setNeedsDisplay();
}

void UILabel::setHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  setNeedsDisplay();
}

void UILabel::setHighlightedTextColor(std::shared_ptr<UIColor> color) {
  highlightedTextColor_ = std::move(color);
  setNeedsDisplay();
}

void UILabel::setEnabled(bool enabled) {
  enabled_ = enabled;
  setNeedsDisplay();
}

void UILabel::setShadowColor(std::shared_ptr<UIColor> color) {
  shadowColor_ = std::move(color);
  setNeedsDisplay();
}

void UILabel::setShadowOffset(const CGSize& offset) {
  shadowOffset_ = offset;
  setNeedsDisplay();
}

std::shared_ptr<UIColor> UILabel::drawingColor() const {
  if (!enabled_) return UIColor::colorWithWhite(kDisabledWhite, 1);
  if (highlighted_ && highlightedTextColor_) return highlightedTextColor_;
  return textColor_;
}

std::unique_ptr<TextLayout> UILabel::makeLayout(CGFloat width, long lines,
                                                const std::shared_ptr<UIFont>& font) const {
  std::unique_ptr<TextLayout> layout;
  bool ownParagraphStyle = false;
  if (attributedText_) {
    // Characters without their own font or colour take the label's.
    auto filled = NSMutableAttributedString::withString(
        text_, {{std::string(NSFontAttributeName), font},
                {std::string(NSForegroundColorAttributeName), drawingColor()}});
    const std::size_t length = attributedText_->length();
    if (filled->length() == length) {
      attributedText_->enumerateAttributes({0, length},
                                           [&](const NSAttributes& attributes, NSRange range) {
                                             if (!attributes.empty())
                                               filled->addAttributes(attributes, range);
                                           });
      layout = std::make_unique<TextLayout>(*filled);
    } else {
      layout = std::make_unique<TextLayout>(*attributedText_);
    }
    ownParagraphStyle =
        length > 0 && attributedText_->attributeAtIndex(NSParagraphStyleAttributeName, 0);
  } else {
    layout = std::make_unique<TextLayout>(text_, *font);
    layout->setTextColor(*drawingColor());
  }
  if (!ownParagraphStyle) {
    layout->setAlignment(textAlignment_);
    layout->setLineBreakMode(lineBreakMode_);
  }
  layout->setWidth(width);
  layout->setNumberOfLines(static_cast<std::size_t>(std::max(0L, lines)));
  return layout;
}

CGSize UILabel::sizeThatFits(const CGSize& size) const {
  if (text_.empty()) return CGSizeZero;
  const auto layout = makeLayout(size.width > 0 ? size.width : 0, numberOfLines_, font_);
  return TextLayout::ceilToPixels(layout->size(), UIScreen::mainScreen()->scale());
}

std::shared_ptr<UIFont> UILabel::fontForWidth(CGFloat width) const {
  if (!adjustsFontSize_ || numberOfLines_ != 1 || attributedText_ || text_.empty()) return font_;
  const CGFloat size = TextLayout::fittingPointSize(text_, *font_, width, minimumScaleFactor_);
  return size == font_->pointSize() ? font_ : font_->fontWithSize(size);
}

CGRect UILabel::textRectForBounds(const CGRect& bounds, long lines) const {
  if (text_.empty()) return {bounds.origin, CGSizeZero};
  const auto layout = makeLayout(bounds.width(), lines, fontForWidth(bounds.width()));
  return {bounds.origin, TextLayout::ceilToPixels(layout->size(), UIScreen::mainScreen()->scale())};
}

void UILabel::draw(CGContext& context, const CGRect& rect) {
  drawTextInRect(context, rect);
}

void UILabel::drawTextInRect(CGContext& context, const CGRect& rect) const {
  if (text_.empty() || rect.isEmpty()) return;
  const auto font = fontForWidth(rect.width());
  auto layout = makeLayout(rect.width(), numberOfLines_, font);
  CGSize size = layout->size();
  // Only the lines that fit the height are shown (the last one truncated by the break mode).
  for (std::size_t lines = layout->lineCount(); size.height > rect.height() + 1e-6 && lines > 1;) {
    const double lineHeight = size.height / static_cast<double>(lines);
    lines =
        std::clamp<std::size_t>(static_cast<std::size_t>(rect.height() / lineHeight), 1, lines - 1);
    layout = makeLayout(rect.width(), static_cast<long>(lines), font);
    size = layout->size();
  }
  context.saveGState();
  context.beginPath();
  context.addRect(rect);
  context.clip();
  if (shadowColor_ && !attributedText_) context.setShadowWithColor(shadowOffset_, 0, shadowColor_);
  layout->drawAtPoint(context, {rect.minX(), rect.minY() + (rect.height() - size.height) / 2});
  context.restoreGState();
}

}  // namespace host
