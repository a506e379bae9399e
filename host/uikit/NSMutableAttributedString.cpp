#include "uikit/NSMutableAttributedString.h"

#include <utility>

#include "foundation/Utf16.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(NSMutableAttributedString, NSAttributedString)

NSMutableAttributedString::NSMutableAttributedString(Class* cls) : NSAttributedString(cls) {}

std::shared_ptr<NSMutableAttributedString> NSMutableAttributedString::withString(
    std::string_view text, NSAttributes attributes) {
  auto result = std::make_shared<NSMutableAttributedString>();
  result->text_ = Utf16::fromUtf8(text);
  if (!result->text_.empty())
    result->runs_.push_back({result->text_.size(), std::move(attributes)});
  return result;
}

std::shared_ptr<NSMutableAttributedString> NSMutableAttributedString::withAttributedString(
    const NSAttributedString& text) {
  auto result = std::make_shared<NSMutableAttributedString>();
  result->appendAttributedString(text);
  return result;
}

void NSMutableAttributedString::applyToRuns(NSRange range,
                                            const std::function<void(NSAttributes&)>& change) {
  checkRange(range, text_.size());
  if (range.length == 0) return;
  const std::size_t first = splitRunsAt(range.location);
  const std::size_t last = splitRunsAt(range.end());
  for (std::size_t i = first; i < last; ++i)
    change(runs_[i].attributes);
  mergeRuns();
}

void NSMutableAttributedString::addAttribute(std::string_view name, Id value, NSRange range) {
  applyToRuns(range, [&](NSAttributes& attributes) { attributes[std::string(name)] = value; });
}

void NSMutableAttributedString::addAttributes(const NSAttributes& added, NSRange range) {
  applyToRuns(range, [&](NSAttributes& attributes) {
    for (const auto& [name, value] : added)
      attributes[name] = value;
  });
}

void NSMutableAttributedString::removeAttribute(std::string_view name, NSRange range) {
  applyToRuns(range, [&](NSAttributes& attributes) {
    if (auto found = attributes.find(name); found != attributes.end()) attributes.erase(found);
  });
}

void NSMutableAttributedString::setAttributes(NSAttributes attributes, NSRange range) {
  applyToRuns(range, [&](NSAttributes& current) { current = attributes; });
}

void NSMutableAttributedString::replace(NSRange range, std::u16string_view text,
                                        std::vector<Run> runs) {
  checkRange(range, text_.size());
  const std::size_t first = splitRunsAt(range.location);
  const std::size_t last = splitRunsAt(range.end());
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
              runs_.begin() + static_cast<std::ptrdiff_t>(last));
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first),
               std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
  text_.replace(range.location, range.length, text);
  mergeRuns();
}

void NSMutableAttributedString::replaceCharactersInRange(NSRange range, std::string_view text) {
  checkRange(range, text_.size());
  std::u16string units = Utf16::fromUtf8(text);
  NSAttributes attributes;
  if (range.length > 0) {
    attributes = attributesAtIndex(range.location);
  } else if (range.location > 0) {
    attributes = attributesAtIndex(range.location - 1);
  } else if (!text_.empty()) {
    attributes = attributesAtIndex(0);
  }
  std::vector<Run> runs;
  if (!units.empty()) runs.push_back({units.size(), std::move(attributes)});
  replace(range, units, std::move(runs));
}

void NSMutableAttributedString::replaceCharactersInRange(NSRange range,
                                                         const NSAttributedString& text) {
  // Copies first: `text` may be this string.
  replace(range, std::u16string(text.utf16()), runsOf(text));
}

void NSMutableAttributedString::insertAttributedString(const NSAttributedString& text,
                                                       std::size_t index) {
  replaceCharactersInRange({index, 0}, text);
}

void NSMutableAttributedString::appendAttributedString(const NSAttributedString& text) {
  replaceCharactersInRange({text_.size(), 0}, text);
}

void NSMutableAttributedString::deleteCharactersInRange(NSRange range) {
  replace(range, {}, {});
}

}  // namespace host
