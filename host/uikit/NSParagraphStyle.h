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

// How the paragraphs of a text are laid out: alignment, line breaking and line height. Mutable (it
// stands for NSMutableParagraphStyle too); an attributed string holds the style it is given, so set
// it up before adding it.
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
  // Each line after the first starts this many of its own heights below the one before; 0 (or
  // anything not positive) keeps the font's line height.
  double lineHeightMultiple() const { return lineHeightMultiple_; }
  void setLineHeightMultiple(double multiple) { lineHeightMultiple_ = multiple > 0 ? multiple : 0; }

 private:
  NSTextAlignment alignment_ = NSTextAlignment::Natural;
  NSLineBreakMode lineBreakMode_ = NSLineBreakMode::ByWordWrapping;
  double lineHeightMultiple_ = 0;
};

}  // namespace host
