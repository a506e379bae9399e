#include "uikit/NSAttributedString.h"

#include <stdexcept>
#include <utility>

#include "foundation/Utf16.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/NSTextAttachment.h"
#include "uikit/TextLayout.h"

namespace host {

HOST_CLASS(NSAttributedString, Object)

NSAttributedString::NSAttributedString(Class* cls) : Object(cls) {}

std::shared_ptr<NSAttributedString> NSAttributedString::withString(std::string_view text,
                                                                   NSAttributes attributes) {
  auto result = std::make_shared<NSAttributedString>();
  result->text_ = Utf16::fromUtf8(text);
  if (!result->text_.empty())
    result->runs_.push_back({result->text_.size(), std::move(attributes)});
  return result;
}

std::shared_ptr<NSAttributedString> NSAttributedString::attributedStringWithAttachment(
    std::shared_ptr<NSTextAttachment> attachment) {
  auto result = std::make_shared<NSAttributedString>();
  result->text_.assign(1, NSTextAttachment::kCharacter);
  result->runs_.push_back({1, {{std::string(NSAttachmentAttributeName), std::move(attachment)}}});
  return result;
}

std::string NSAttributedString::string() const {
  return Utf16::toUtf8(text_);
}

void NSAttributedString::checkRange(NSRange range, std::size_t size) const {
  if (!range.fitsIn(size)) {
    throw std::out_of_range("NSAttributedString: range {" + std::to_string(range.location) + ", " +
                            std::to_string(range.length) + "} out of bounds; length " +
                            std::to_string(size));
  }
}

const NSAttributes& NSAttributedString::attributesAtIndex(std::size_t index,
                                                          NSRange* effectiveRange) const {
  if (index >= text_.size()) checkRange({index, 1}, text_.size());
  std::size_t start = 0;
  for (const Run& run : runs_) {
    if (index < start + run.length) {
      if (effectiveRange) *effectiveRange = {start, run.length};
      return run.attributes;
    }
    start += run.length;
  }
  throw std::logic_error("NSAttributedString: runs do not cover the text");
}

Id NSAttributedString::attributeAtIndex(std::string_view name, std::size_t index) const {
  const NSAttributes& attributes = attributesAtIndex(index);
  auto found = attributes.find(name);
  return found == attributes.end() ? nullptr : found->second;
}

void NSAttributedString::enumerateAttributes(
    NSRange range, const std::function<void(const NSAttributes&, NSRange)>& visit) const {
  checkRange(range, text_.size());
  std::size_t start = 0;
  for (const Run& run : runs_) {
    const std::size_t from = std::max(start, range.location);
    const std::size_t to = std::min(start + run.length, range.end());
    if (from < to) visit(run.attributes, {from, to - from});
    start += run.length;
    if (start >= range.end()) break;
  }
}

std::shared_ptr<NSAttributedString> NSAttributedString::attributedSubstringFromRange(
    NSRange range) const {
  auto result = std::make_shared<NSAttributedString>();
  enumerateAttributes(range, [&](const NSAttributes& attributes, NSRange part) {
    result->runs_.push_back({part.length, attributes});
  });
  result->text_ = text_.substr(range.location, range.length);
  return result;
}

CGSize NSAttributedString::size() const {
  return TextLayout(*this).size();
}

CGRect NSAttributedString::boundingRectWithSize(CGSize size) const {
  TextLayout layout(*this);
  layout.setLineBreakMode(NSLineBreakMode::ByWordWrapping);
  layout.setWidth(size.width);
  return {{0, 0}, layout.size()};
}

std::size_t NSAttributedString::splitRunsAt(std::size_t index) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (index == start) return i;
    if (index < start + runs_[i].length) {
      Run tail{start + runs_[i].length - index, runs_[i].attributes};
      runs_[i].length = index - start;
      runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
      return i + 1;
    }
    start += runs_[i].length;
  }
  return runs_.size();
}

void NSAttributedString::mergeRuns() {
  std::vector<Run> merged;
  merged.reserve(runs_.size());
  for (Run& run : runs_) {
    if (run.length == 0) continue;
    if (!merged.empty() && merged.back().attributes == run.attributes) {
      merged.back().length += run.length;
    } else {
      merged.push_back(std::move(run));
    }
  }
  runs_ = std::move(merged);
}

}  // namespace host
