#include "uikit/UIResponder.h"

#include "runtime/Runtime.h"

namespace host {

namespace {

std::weak_ptr<UIResponder>& firstResponder() {
  static std::weak_ptr<UIResponder> responder;
  return responder;
}

}  // namespace

Class* UIResponder::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("UIResponder", Object::objcClass(), factoryFor<UIResponder>());
  return cls;
}

UIResponder::UIResponder(Class* cls) : Object(cls) {}

bool UIResponder::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  if (auto current = firstResponder().lock(); current && !current->resignFirstResponder()) {
    return false;
  }
  firstResponder() = std::static_pointer_cast<UIResponder>(shared_from_this());
  return true;
}

bool UIResponder::resignFirstResponder() {
  if (!isFirstResponder()) return true;
  if (!canResignFirstResponder()) return false;
  firstResponder().reset();
  return true;
}

bool UIResponder::isFirstResponder() const {
  return firstResponder().lock().get() == this;
}

std::shared_ptr<UIResponder> UIResponder::currentFirstResponder() {
  return firstResponder().lock();
}

}  // namespace host
