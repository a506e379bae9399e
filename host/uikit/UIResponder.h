#pragma once

#include <memory>
#include <vector>

#include "runtime/Object.h"

namespace host {

class UIEvent;
class UITouch;
using UITouchSet = std::vector<std::shared_ptr<UITouch>>;

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

  // Touches delivered to the view they started on; by default each goes on up the chain.
  virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
  virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
  virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
  virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);
};

}  // namespace host
