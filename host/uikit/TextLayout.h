#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "uikit/CGGeometry.h"
#include "uikit/NSParagraphStyle.h"

typedef struct _PangoLayout PangoLayout;

namespace host {

class CGContext;
class NSAttributedString;
class NSShadow;
class UIColor;
class UIFont;

// Lays a text out in lines with the system's fonts (Pango, see FontLibrary) to measure and draw
// it as UILabel and NSString drawing do. A plain text has one font and colour; an attributed
// text takes fonts, colours and attachments per run, and its alignment, line break mode, line
// height multiple and shadow from its first character (one paragraph style for the whole text).
//
// Lines wrap at the width by words (a word longer than the line is broken by characters). With
// a line limit, only the first lines are shown; a truncating line break mode then ends the last
// shown line with "…" (at the head, middle or tail), the other modes just cut the rest off.
// Sizes are exact; sizeThatFits-style values are rounded up with ceilToPixels.
class TextLayout {
 public:
  TextLayout(std::string_view text, const UIFont& font);
  explicit TextLayout(const NSAttributedString& text);
  ~TextLayout();
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  // The width lines wrap at and align in; 0 (or anything not positive) for no limit.
  void setWidth(CGFloat width);
  // The most lines shown; 0 for no limit.
  void setNumberOfLines(std::size_t lines);
  void setLineBreakMode(NSLineBreakMode mode);
  void setAlignment(NSTextAlignment alignment);
  // The colour of text without its own (black to start with).
  void setTextColor(const UIColor& color);

  // The size of the shown lines: the widest line's width and the lines' height. (0, 0) for an
  // empty text.
  CGSize size() const;
  std::size_t lineCount() const;
  // Whether some text is not shown (cut off or replaced by "…").
  bool isTruncated() const;
  // Draws the shown lines with their top left at `origin`, with the text's shadow if it has one.
  void drawAtPoint(CGContext& context, CGPoint origin) const;

  // Rounds up to the pixel grid of a screen with `scale` pixels a point, as sizeThatFits does.
  static CGFloat ceilToPixels(CGFloat value, CGFloat scale);
  static CGSize ceilToPixels(CGSize size, CGFloat scale);
  // The point size at which `text` fits on one line of `width`, shrinking `font` at most to
  // minimumScaleFactor times its size (adjustsFontSizeToFitWidth). The font's own size when it
  // fits or when the factor is 0 (no shrinking); the smallest allowed size when even that is too
  // wide (the text is then truncated).
  static CGFloat fittingPointSize(std::string_view text, const UIFont& font, CGFloat width,
                                  CGFloat minimumScaleFactor);

 private:
  TextLayout();
  void configure() const;
  std::size_t shownLines() const;

  PangoLayout* layout_ = nullptr;
  bool empty_ = true;
  CGFloat width_ = 0;
  std::size_t lines_ = 0;
  NSLineBreakMode lineBreakMode_ = NSLineBreakMode::ByWordWrapping;
  NSTextAlignment alignment_ = NSTextAlignment::Natural;
  double color_[4] = {0, 0, 0, 1};
  std::shared_ptr<NSShadow> shadow_;
  mutable bool configured_ = false;
};

}  // namespace host
