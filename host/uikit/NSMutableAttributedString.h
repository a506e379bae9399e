#pragma once

#include <memory>
#include <string_view>

#include "uikit/NSAttributedString.h"

namespace host {

class Class;

// An attributed string that can be changed in place. Ranges count UTF-16 code units (see
// NSAttributedString).
class NSMutableAttributedString : public NSAttributedString {
 public:
  static Class* objcClass();
  explicit NSMutableAttributedString(Class* cls = objcClass());

  static std::shared_ptr<NSMutableAttributedString> withString(std::string_view text,
                                                               NSAttributes attributes = {});
  static std::shared_ptr<NSMutableAttributedString> withAttributedString(
      const NSAttributedString& text);

  void addAttribute(std::string_view name, Id value, NSRange range);
  void addAttributes(const NSAttributes& attributes, NSRange range);
  void removeAttribute(std::string_view name, NSRange range);
  void setAttributes(NSAttributes attributes, NSRange range);

  // New characters take the attributes of the first replaced character, or of the character
  // before them when nothing is replaced (the one after, at the start).
  void replaceCharactersInRange(NSRange range, std::string_view text);
  void replaceCharactersInRange(NSRange range, const NSAttributedString& text);
  void insertAttributedString(const NSAttributedString& text, std::size_t index);
  void appendAttributedString(const NSAttributedString& text);
  void deleteCharactersInRange(NSRange range);

 private:
  void applyToRuns(NSRange range, const std::function<void(NSAttributes&)>& change);
  void replace(NSRange range, std::u16string_view text, std::vector<Run> runs);
};

}  // namespace host
