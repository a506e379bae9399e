#include "store/stringConverter.h"

#include <cmath>
#include <string>

#include "uikit/NSTextAttachment.h"
#include "uikit/UIImage.h"

namespace vorlan {

namespace {

constexpr std::u16string_view kOpen = u"<image>";
constexpr std::u16string_view kClose = u"</image>";

// The picture at `path` scaled for a view `width` points wide; nothing when it cannot be loaded.
std::shared_ptr<host::UIImage> pictureFor(const std::string& path, float width) {
  const auto image = host::UIImage::imageWithContentsOfFile(path);
  if (!image) return nullptr;
  const auto pictureWidth = static_cast<float>(image->width());
  const double scale = (double{pictureWidth} / (double{width} - 5)) / 2;
  if (!std::isfinite(scale) || scale <= 0) return image;
  return host::UIImage::imageWithImage(*image, scale);
}

}  // namespace

std::shared_ptr<host::NSMutableAttributedString> stringConverter::setText(
    std::string_view text, float width, std::shared_ptr<host::UIFont> font,
    std::shared_ptr<host::UIColor> color, host::NSTextAlignment alignment) {
  auto result = host::NSMutableAttributedString::withString(text);

  // Every pass either moves `from` forward or shortens the text behind it, so this ends.
  std::size_t from = 0;
  while (true) {
    const std::u16string_view current = result->utf16();
    const auto close = current.find(kClose, from);
    if (close == std::u16string_view::npos) break;
    // Only the text since the last picture is searched, so a long text takes one pass.
    const auto opening = current.substr(from, close - from).rfind(kOpen);
    if (opening == std::u16string_view::npos) {
      from = close + kClose.size();  // a "</image>" with nothing to close stays as written
      continue;
    }
    const std::size_t open = from + opening;
    const host::NSRange markup{open, close + kClose.size() - open};
    const host::NSRange pathRange{open + kOpen.size(), close - open - kOpen.size()};
    const auto picture =
        pictureFor(result->attributedSubstringFromRange(pathRange)->string(), width);
    if (picture) {
      const auto attachment = host::NSTextAttachment::withImage(picture);
      result->replaceCharactersInRange(
          markup, *host::NSAttributedString::attributedStringWithAttachment(attachment));
      from = open + 1;
    } else {
      result->deleteCharactersInRange(markup);
      from = open;
    }
  }

  const host::NSRange all{0, result->length()};
  if (font) result->addAttribute(host::NSFontAttributeName, std::move(font), all);
  if (color) result->addAttribute(host::NSForegroundColorAttributeName, std::move(color), all);
  result->addAttribute(host::NSParagraphStyleAttributeName,
                       host::NSParagraphStyle::withAlignment(alignment), all);
  return result;
}

}  // namespace vorlan
