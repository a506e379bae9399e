#include "uikit/Keyboard.h"

#include <string>

#include "uikit/UIResponder.h"

namespace host {

std::shared_ptr<UIKeyInput> Keyboard::target() {
  return std::dynamic_pointer_cast<UIKeyInput>(UIResponder::currentFirstResponder());
}

bool Keyboard::isVisible() {
  return target() != nullptr;
}

UIKeyboardType Keyboard::keyboardType() {
  auto input = target();
  return input ? input->keyboardType() : UIKeyboardTypeDefault;
}

bool Keyboard::hasKey(UIKeyboardType type, std::string_view character) {
  const bool digit = character.size() == 1 && character[0] >= '0' && character[0] <= '9';
  switch (type) {
    case UIKeyboardTypeNumberPad:
      return digit;
    case UIKeyboardTypeDecimalPad:
      return digit || character == ".";
    case UIKeyboardTypePhonePad:
      return digit || character == "+" || character == "*" || character == "#";
    default:
      return character != "\n";
  }
}

std::size_t Keyboard::typeText(std::string_view text) {
  std::size_t pressed = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      ++end;
    const std::string_view character = text.substr(i, end - i);
    i = end;
    // The first responder may change as keys are pressed (a delegate ending the editing).
    auto input = target();
    if (!input) break;
    if (!hasKey(input->keyboardType(), character)) continue;
    input->insertText(character);
    ++pressed;
  }
  return pressed;
}

bool Keyboard::pressReturn() {
  auto input = target();
  if (!input) return false;
  const UIKeyboardType type = input->keyboardType();
  if (type == UIKeyboardTypeNumberPad || type == UIKeyboardTypeDecimalPad ||
      type == UIKeyboardTypePhonePad) {
    return false;
  }
  input->insertText("\n");
  return true;
}

bool Keyboard::pressDelete() {
  auto input = target();
  if (!input) return false;
  input->deleteBackward();
  return true;
}

}  // namespace host
