#include "uikit/TextLayout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "foundation/Utf16.h"
#include "uikit/CGContext.h"
#include "uikit/FontLibrary.h"
#include "uikit/NSAttributedString.h"
#include "uikit/NSShadow.h"
#include "uikit/NSTextAttachment.h"
#include "uikit/UIColor.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"

namespace host {

namespace {

// An attributed text's characters without a font of their own are in the system font at 12
// points, as on the device.
constexpr CGFloat kDefaultAttributedFontSize = 12;

int toPango(CGFloat points) {
  const double units = std::round(points * PANGO_SCALE);
  return static_cast<int>(std::clamp(units, 0.0, static_cast<double>(INT_MAX / 2)));
}

CGFloat fromPango(int units) {
  return static_cast<CGFloat>(units) / PANGO_SCALE;
}

guint16 channel(double component) {
  return static_cast<guint16>(std::lround(std::clamp(component, 0.0, 1.0) * 65535));
}

// Attachments are drawn where Pango leaves their shape: the current point is on the baseline.
void drawAttachment(cairo_t* cr, PangoAttrShape* shape, gboolean doPath, gpointer) {
  const auto& image = *static_cast<const std::shared_ptr<UIImage>*>(shape->data);
  double x = 0;
  double y = 0;
  cairo_get_current_point(cr, &x, &y);
  const double width = fromPango(shape->logical_rect.width);
  const double height = fromPango(shape->logical_rect.height);
  const double top = y + fromPango(shape->logical_rect.y);
  if (doPath) {
    cairo_rectangle(cr, x, top, width, height);
    return;
  }
  if (!image || !image->cairoSurface() || width <= 0 || height <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, x, top);
  cairo_scale(cr, width / image->pixelWidth(), height / image->pixelHeight());
  cairo_set_source_surface(cr, image->cairoSurface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

gpointer copyAttachmentImage(gconstpointer data) {
  return new std::shared_ptr<UIImage>(*static_cast<const std::shared_ptr<UIImage>*>(data));
}

void destroyAttachmentImage(gpointer data) {
  delete static_cast<std::shared_ptr<UIImage>*>(data);
}

PangoAttribute* attachmentAttribute(const NSTextAttachment& attachment) {
  const auto& image = attachment.image();
  PangoRectangle rect{0, 0, 0, 0};
  if (image) {
    rect.width = toPango(image->width());
    rect.height = toPango(image->height());
    rect.y = -rect.height;  // sits on the baseline
  }
  auto data = std::make_unique<std::shared_ptr<UIImage>>(image);
  return pango_attr_shape_new_with_data(&rect, &rect, data.release(), copyAttachmentImage,
                                        destroyAttachmentImage);
}

void addAttribute(PangoAttrList* list, PangoAttribute* attribute, std::size_t start,
                  std::size_t end) {
  attribute->start_index = static_cast<guint>(start);
  attribute->end_index = static_cast<guint>(end);
  pango_attr_list_insert(list, attribute);
}

}  // namespace

TextLayout::TextLayout() {
  PangoContext* context = FontLibrary::shared().context();
  static const bool shapeRendererInstalled = [context] {
    pango_cairo_context_set_shape_renderer(context, drawAttachment, nullptr, nullptr);
    return true;
  }();
  (void)shapeRendererInstalled;
  layout_ = pango_layout_new(context);
}

TextLayout::TextLayout(std::string_view text, const UIFont& font) : TextLayout() {
  const std::string utf8 = Utf16::toUtf8(Utf16::fromUtf8(text));  // well-formed for Pango
  empty_ = utf8.empty();
  pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
  PangoFontDescription* description = FontLibrary::shared().describe(font);
  pango_layout_set_font_description(layout_, description);
  pango_font_description_free(description);
}

TextLayout::TextLayout(const NSAttributedString& text) : TextLayout() {
  std::vector<std::size_t> offsets;
  const std::string utf8 = Utf16::toUtf8(text.utf16(), &offsets);
  empty_ = utf8.empty();
  pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
  FontLibrary& library = FontLibrary::shared();
  PangoFontDescription* base =
      library.describe(*UIFont::systemFontOfSize(kDefaultAttributedFontSize));
  pango_layout_set_font_description(layout_, base);
  pango_font_description_free(base);
  if (empty_) return;

  PangoAttrList* list = pango_attr_list_new();
  text.enumerateAttributes({0, text.length()}, [&](const NSAttributes& attributes, NSRange run) {
    const std::size_t start = offsets[run.location];
    const std::size_t end = offsets[run.end()];
    if (start == end) return;
    for (const auto& [name, value] : attributes) {
      if (name == NSFontAttributeName) {
        if (auto font = std::dynamic_pointer_cast<UIFont>(value)) {
          PangoFontDescription* description = library.describe(*font);
          addAttribute(list, pango_attr_font_desc_new(description), start, end);
          pango_font_description_free(description);
        }
      } else if (name == NSForegroundColorAttributeName) {
        if (auto color = std::dynamic_pointer_cast<UIColor>(value)) {
          addAttribute(list,
                       pango_attr_foreground_new(channel(color->red()), channel(color->green()),
                                                 channel(color->blue())),
                       start, end);
          addAttribute(list, pango_attr_foreground_alpha_new(channel(color->alpha())), start, end);
        }
      } else if (name == NSAttachmentAttributeName) {
        if (auto attachment = std::dynamic_pointer_cast<NSTextAttachment>(value)) {
          addAttribute(list, attachmentAttribute(*attachment), start, end);
        }
      }
    }
  });
  pango_layout_set_attributes(layout_, list);
  pango_attr_list_unref(list);

  if (auto style = std::dynamic_pointer_cast<NSParagraphStyle>(
          text.attributeAtIndex(NSParagraphStyleAttributeName, 0))) {
    alignment_ = style->alignment();
    lineBreakMode_ = style->lineBreakMode();
    pango_layout_set_line_spacing(layout_, static_cast<float>(style->lineHeightMultiple()));
  }
  shadow_ = std::dynamic_pointer_cast<NSShadow>(text.attributeAtIndex(NSShadowAttributeName, 0));
}

TextLayout::~TextLayout() {
  g_object_unref(layout_);
}

void TextLayout::setWidth(CGFloat width) {
  width_ = std::isfinite(width) && width > 0 ? width : 0;
  configured_ = false;
}

void TextLayout::setNumberOfLines(std::size_t lines) {
  lines_ = lines;
  configured_ = false;
}

void TextLayout::setLineBreakMode(NSLineBreakMode mode) {
  lineBreakMode_ = mode;
  configured_ = false;
}

void TextLayout::setAlignment(NSTextAlignment alignment) {
  alignment_ = alignment;
  configured_ = false;
}

void TextLayout::setTextColor(const UIColor& color) {
  color_[0] = color.red();
  color_[1] = color.green();
  color_[2] = color.blue();
  color_[3] = color.alpha();
}

void TextLayout::configure() const {
  if (configured_) return;
  pango_layout_set_width(layout_, width_ > 0 ? std::max(1, toPango(width_)) : -1);
  pango_layout_set_wrap(layout_, lineBreakMode_ == NSLineBreakMode::ByCharWrapping
                                     ? PANGO_WRAP_CHAR
                                     : PANGO_WRAP_WORD_CHAR);
  PangoEllipsizeMode ellipsis = PANGO_ELLIPSIZE_NONE;
  if (lines_ > 0 && width_ > 0) {
    switch (lineBreakMode_) {
      case NSLineBreakMode::ByTruncatingHead:
        ellipsis = PANGO_ELLIPSIZE_START;
        break;
      case NSLineBreakMode::ByTruncatingMiddle:
        ellipsis = PANGO_ELLIPSIZE_MIDDLE;
        break;
      case NSLineBreakMode::ByTruncatingTail:
        ellipsis = PANGO_ELLIPSIZE_END;
        break;
      default:
        break;
    }
  }
  pango_layout_set_ellipsize(layout_, ellipsis);
  // With an ellipsis Pango itself stops after the line limit (per paragraph); shownLines() cuts
  // the rest in every case.
  const int limit = static_cast<int>(std::min<std::size_t>(lines_, INT_MAX));
  pango_layout_set_height(layout_, ellipsis != PANGO_ELLIPSIZE_NONE ? -limit : -1);
  pango_layout_set_justify(layout_, alignment_ == NSTextAlignment::Justified);
  pango_layout_set_alignment(layout_, alignment_ == NSTextAlignment::Center  ? PANGO_ALIGN_CENTER
                                      : alignment_ == NSTextAlignment::Right ? PANGO_ALIGN_RIGHT
                                                                             : PANGO_ALIGN_LEFT);
  configured_ = true;
}

std::size_t TextLayout::shownLines() const {
  configure();
  if (empty_) return 0;
  const auto count = static_cast<std::size_t>(pango_layout_get_line_count(layout_));
  return lines_ > 0 ? std::min(lines_, count) : count;
}

std::size_t TextLayout::lineCount() const {
  return shownLines();
}

bool TextLayout::isTruncated() const {
  const std::size_t shown = shownLines();
  return !empty_ && (pango_layout_is_ellipsized(layout_) ||
                     shown < static_cast<std::size_t>(pango_layout_get_line_count(layout_)));
}

CGSize TextLayout::size() const {
  const std::size_t shown = shownLines();
  if (shown == 0) return {0, 0};
  PangoLayoutIter* iter = pango_layout_get_iter(layout_);
  int width = 0;
  int top = 0;
  int bottom = 0;
  for (std::size_t i = 0; i < shown; ++i) {
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(iter, nullptr, &logical);
    if (i == 0) top = logical.y;
    width = std::max(width, logical.width);
    bottom = logical.y + logical.height;
    if (!pango_layout_iter_next_line(iter)) break;
  }
  pango_layout_iter_free(iter);
  return {fromPango(width), fromPango(bottom - top)};
}

void TextLayout::drawAtPoint(CGContext& context, CGPoint origin) const {
  const std::size_t shown = shownLines();
  if (shown == 0) return;
  context.saveGState();
  if (shadow_) {
    context.setShadowWithColor(shadow_->shadowOffset(), shadow_->shadowBlurRadius(),
                               shadow_->shadowColor());
  }
  context.drawWithShadow([&](cairo_t* cr) {
    cairo_new_path(cr);
    cairo_set_source_rgba(cr, color_[0], color_[1], color_[2], color_[3]);
    PangoLayoutIter* iter = pango_layout_get_iter(layout_);
    for (std::size_t i = 0; i < shown; ++i) {
      PangoRectangle logical;
      pango_layout_iter_get_line_extents(iter, nullptr, &logical);
      cairo_move_to(cr, origin.x + fromPango(logical.x),
                    origin.y + fromPango(pango_layout_iter_get_baseline(iter)));
      pango_cairo_show_layout_line(cr, pango_layout_iter_get_line_readonly(iter));
      if (!pango_layout_iter_next_line(iter)) break;
    }
    pango_layout_iter_free(iter);
    cairo_new_path(cr);
  });
  context.restoreGState();
}

CGFloat TextLayout::ceilToPixels(CGFloat value, CGFloat scale) {
  if (!(scale > 0)) scale = 1;
  // A hair of tolerance keeps values that are on the grid but for rounding noise where they are.
  return std::ceil(value * scale - 1e-9) / scale;
}

CGSize TextLayout::ceilToPixels(CGSize size, CGFloat scale) {
  return {ceilToPixels(size.width, scale), ceilToPixels(size.height, scale)};
}

CGFloat TextLayout::fittingPointSize(std::string_view text, const UIFont& font, CGFloat width,
                                     CGFloat minimumScaleFactor) {
  const CGFloat size = font.pointSize();
  const bool shrinks = minimumScaleFactor > 0 && minimumScaleFactor < 1;
  const CGFloat minimum = shrinks ? size * minimumScaleFactor : size;
  if (!(width > 0)) return minimum;
  // Without hinting a line's width is proportional to the font size, so one step lands on the
  // fitting size; the few more only absorb rounding.
  CGFloat candidate = size;
  for (int step = 0; step < 8; ++step) {
    const CGFloat used = TextLayout(text, *font.fontWithSize(candidate)).size().width;
    if (used <= width) return candidate;
    if (candidate <= minimum) break;
    candidate = std::max(minimum, candidate * (width / used) * (1 - 1e-9));
  }
  return minimum;
}

}  // namespace host
