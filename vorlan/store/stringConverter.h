#pragma once

#include <memory>
#include <string_view>

#include "uikit/NSMutableAttributedString.h"
#include "uikit/NSParagraphStyle.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"

namespace vorlan {

// Lays out a help text with pictures. A picture is written in the text as "<image>", the absolute
// device path of a PNG file, and "</image>"; each such run becomes the picture itself, scaled
// for a view of the given width. Everything else stays as written.
//
// Markup that does not pair up is shown as text: each "</image>" closes the nearest "<image>"
// before it, so an "<image>" with no "</image>" before the next "<image>" (or the end), and a
// "</image>" with no open "<image>", are left in the text as written. A picture that cannot be
// loaded is left out: its markup run is removed and the text around it stays.
class stringConverter {
 public:
  // The text with its pictures, in `font` and `color`, every paragraph aligned by `alignment`.
  // A picture w points wide is shown at scale (w / (width - 5)) / 2; when that is not a usable
  // scale (a width of 5 or less, an empty picture) it keeps its own size.
  static std::shared_ptr<host::NSMutableAttributedString> setText(
      std::string_view text, float width, std::shared_ptr<host::UIFont> font,
      std::shared_ptr<host::UIColor> color, host::NSTextAlignment alignment);
};

}  // namespace vorlan
