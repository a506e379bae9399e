#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/NSRange.h"
#include "runtime/Object.h"
#include "uikit/CGGeometry.h"

namespace host {

class Class;
class NSTextAttachment;

// Attribute names and the classes of their values.
inline constexpr std::string_view NSFontAttributeName = "NSFont";                      // UIFont
inline constexpr std::string_view NSForegroundColorAttributeName = "NSColor";          // UIColor
inline constexpr std::string_view NSParagraphStyleAttributeName = "NSParagraphStyle";  // ...Style
inline constexpr std::string_view NSShadowAttributeName = "NSShadow";                  // NSShadow
inline constexpr std::string_view NSAttachmentAttributeName = "NSAttachment";  // NSTextAttachment

using NSAttributes = std::map<std::string, Id, std::less<>>;

// A string with attributes over runs of its characters. Indexes and ranges count UTF-16 code
// units, as Foundation's do, so ranges computed the device's way apply unchanged; string() gives
// the text as UTF-8. Attribute values are held, not copied. Ranges outside the string are a
// programming error and throw std::out_of_range (NSRangeException on the device).
class NSAttributedString : public Object {
 public:
  static Class* objcClass();
  explicit NSAttributedString(Class* cls = objcClass());

  // Invalid UTF-8 in `text` reads as U+FFFD.
  static std::shared_ptr<NSAttributedString> withString(std::string_view text,
                                                        NSAttributes attributes = {});
  // One U+FFFC carrying the attachment (attributedStringWithAttachment:).
  static std::shared_ptr<NSAttributedString> attributedStringWithAttachment(
      std::shared_ptr<NSTextAttachment> attachment);

  std::size_t length() const { return text_.size(); }
  std::string string() const;
  const std::u16string& utf16() const { return text_; }
  // The attributes at `index` and, when asked, the whole run that carries them.
  const NSAttributes& attributesAtIndex(std::size_t index, NSRange* effectiveRange = nullptr) const;
  // One attribute's value at `index`, nullptr when the character has none.
  Id attributeAtIndex(std::string_view name, std::size_t index) const;
  // Calls `visit` for each run of the range with the attributes it carries, in order.
  void enumerateAttributes(NSRange range,
                           const std::function<void(const NSAttributes&, NSRange)>& visit) const;
  std::shared_ptr<NSAttributedString> attributedSubstringFromRange(NSRange range) const;

  // The size of the text laid out without a width limit (lines break only at line breaks).
  CGSize size() const;
  // The rectangle the text takes when wrapped to size.width (no limit when 0); as on the device
  // the height is no limit, lines are never cut. Origin zero, not rounded to pixels.
  CGRect boundingRectWithSize(CGSize size) const;

 protected:
  struct Run {
    std::size_t length;
    NSAttributes attributes;
  };

  static const std::vector<Run>& runsOf(const NSAttributedString& text) { return text.runs_; }
  void checkRange(NSRange range, std::size_t size) const;
  // Splits the run containing `index` so that one starts there; answers its position in runs_.
  std::size_t splitRunsAt(std::size_t index);
  // Joins neighbouring runs with the same attributes.
  void mergeRuns();

  std::u16string text_;
  std::vector<Run> runs_;  // lengths add up to text_.size(); none is empty
};

}  // namespace host
