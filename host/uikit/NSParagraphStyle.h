#pragma once

#include <memory>

#include "runtime/Object.h"

namespace host {

class Class;

// The device's values.
enum class NSTextAlignment { Left = 0, Center = 1, Right = 2, Justified = 3, Natural = 4 };
enum class NSLineBreakMode {
  ByWordWrapping = 0,
  ByCharWrapping = 1,
  ByClipping = 2,
  ByTruncatingHead = 3,
  ByTruncatingTail = 4,
  ByTruncatingMiddle = 5,
};

// How the paragraphs of a text are laid out: alignment and line breaking. Mutable (it stands for
// NSMutableParagraphStyle too); an attributed string holds the style it is given, so set it up
// before adding it.
class NSParagraphStyle : public Object {
 public:
  static Class* objcClass();
  explicit NSParagraphStyle(Class* cls = objcClass());

  static std::shared_ptr<NSParagraphStyle> defaultParagraphStyle();
  static std::shared_ptr<NSParagraphStyle> withAlignment(NSTextAlignment alignment);

  NSTextAlignment alignment() const { return alignment_; }
  void setAlignment(NSTextAlignment alignment) { alignment_ = alignment; }
  NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }
  void setLineBreakMode(NSLineBreakMode mode) { lineBreakMode_ = mode; }

 private:
  NSTextAlignment alignment_ = NSTextAlignment::Natural;
  NSLineBreakMode lineBreakMode_ = NSLineBreakMode::ByWordWrapping;
};

}  // namespace host
