#pragma once

#include <memory>

#include "runtime/Object.h"

namespace host {

// An object in the responder chain. The process has at most one first responder (the object that
// takes keyboard input); it is held weakly.
class UIResponder : public Object {
 public:
  static Class* objcClass();
  explicit UIResponder(Class* cls = objcClass());

  // The next object up the chain; a view's is its superview.
  virtual std::shared_ptr<UIResponder> nextResponder() const { return nullptr; }

  virtual bool canBecomeFirstResponder() const { return false; }
  virtual bool canResignFirstResponder() const { return true; }
  // True when this object is the first responder afterwards.
  virtual bool becomeFirstResponder();
  virtual bool resignFirstResponder();
  bool isFirstResponder() const;
  static std::shared_ptr<UIResponder> currentFirstResponder();
};

}  // namespace host
