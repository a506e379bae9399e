#pragma once

#include <memory>
#include <string>

#include "uikit/NSParagraphStyle.h"
#include "uikit/UIView.h"

namespace host {

class CGContext;
class NSAttributedString;
class TextLayout;
class UIColor;
class UIFont;

// A read-only text: one font, one colour, an alignment and a line limit (1 to start with; 0 for
// none), or an attributed text whose characters without a font or colour of their own take the
// label's. It is measured with TextLayout; sizeThatFits answers the size of the shown lines within
// the given width, rounded up to the screen's pixels. Labels take no touches unless told to.
//
// Drawing (drawTextInRect) centres the text vertically in the rectangle, showing only the lines
// that fit its height, in the highlighted text colour while highlighted and in grey while
// disabled. A one-line label that adjusts its font size to the width shrinks its font to fit, at
// most to minimumScaleFactor times its size, and truncates below that.
class UILabel : public UIView {
 public:
  static Class* objcClass();
  explicit UILabel(Class* cls = objcClass());
  ~UILabel() override;

  // Setting the text drops the attributed text.
  const std::string& text() const { return text_; }
  void setText(std::string text);
  // The attributed text when one was set; otherwise the text with the label's font, colour and
  // alignment (nil when there is no text). Setting one sets the text to its string.
  std::shared_ptr<NSAttributedString> attributedText() const;
  void setAttributedText(std::shared_ptr<NSAttributedString> text);

  const std::shared_ptr<UIFont>& font() const { return font_; }
  void setFont(std::shared_ptr<UIFont> font);  // nil: the system font of size 17
  const std::shared_ptr<UIColor>& textColor() const { return textColor_; }
  void setTextColor(std::shared_ptr<UIColor> color);  // nil: black
  NSTextAlignment textAlignment() const { return textAlignment_; }
  void setTextAlignment(NSTextAlignment alignment);
  long numberOfLines() const { return numberOfLines_; }
  void setNumberOfLines(long lines);
  NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }  // truncating the tail at first
  void setLineBreakMode(NSLineBreakMode mode);

  bool adjustsFontSizeToFitWidth() const { return adjustsFontSize_; }
  void setAdjustsFontSizeToFitWidth(bool adjusts);
  double minimumScaleFactor() const { return minimumScaleFactor_; }
  void setMinimumScaleFactor(double factor);  // kept within 0...1

  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);
  const std::shared_ptr<UIColor>& highlightedTextColor() const { return highlightedTextColor_; }
  void setHighlightedTextColor(std::shared_ptr<UIColor> color);
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // A hard shadow under the text (none without a colour); its offset is (0, -1) at first.
  const std::shared_ptr<UIColor>& shadowColor() const { return shadowColor_; }
  void setShadowColor(std::shared_ptr<UIColor> color);
  CGSize shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(const CGSize& offset);

  CGSize sizeThatFits(const CGSize& size) const override;
  // The text, through drawTextInRect.
  void draw(CGContext& context, const CGRect& rect) override;

  // The font the text is drawn in at `width`: the label's font, or the shrunk one.
  std::shared_ptr<UIFont> fontForWidth(CGFloat width) const;
  // The rectangle the text takes at the top left of `bounds` with at most `lines` lines (0: no
  // limit), rounded up to the screen's pixels.
  virtual CGRect textRectForBounds(const CGRect& bounds, long lines) const;
  // Draws the text as the label shows it within `rect`.
  virtual void drawTextInRect(CGContext& context, const CGRect& rect) const;

 private:
  std::unique_ptr<TextLayout> makeLayout(CGFloat width, long lines,
                                         const std::shared_ptr<UIFont>& font) const;
  std::shared_ptr<UIColor> drawingColor() const;

  std::string text_;
  std::shared_ptr<NSAttributedString> attributedText_;
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  NSTextAlignment textAlignment_ = NSTextAlignment::Natural;
  long numberOfLines_ = 1;
  NSLineBreakMode lineBreakMode_ = NSLineBreakMode::ByTruncatingTail;
  bool adjustsFontSize_ = false;
  double minimumScaleFactor_ = 0;
  bool highlighted_ = false;
  std::shared_ptr<UIColor> highlightedTextColor_;
  bool enabled_ = true;
  std::shared_ptr<UIColor> shadowColor_;
  CGSize shadowOffset_{0, -1};
};

}  // namespace host
