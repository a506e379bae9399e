#pragma once

#include <string_view>

namespace host {

enum UIKeyboardType {
  UIKeyboardTypeDefault = 0,
  UIKeyboardTypeASCIICapable = 1,
  UIKeyboardTypeNumbersAndPunctuation = 2,
  UIKeyboardTypeURL = 3,
  UIKeyboardTypeNumberPad = 4,
  UIKeyboardTypePhonePad = 5,
  UIKeyboardTypeNamePhonePad = 6,
  UIKeyboardTypeEmailAddress = 7,
  UIKeyboardTypeDecimalPad = 8,
};

// What the keyboard types into: the first responder, when it takes text.
class UIKeyInput {
 public:
  virtual ~UIKeyInput() = default;

  virtual bool hasText() const = 0;
  // One key's text; the return key inserts "\n".
  virtual void insertText(std::string_view text) = 0;
  virtual void deleteBackward() = 0;
  virtual UIKeyboardType keyboardType() const { return UIKeyboardTypeDefault; }
};

}  // namespace host
