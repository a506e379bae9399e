#pragma once

#include <string>

#include "foundation/NSRange.h"

namespace host {

class UITextField;

// What a text field asks its delegate. Every method is optional: the defaults answer as UIKit
// does when the delegate does not implement it.
class UITextFieldDelegate {
 public:
  virtual ~UITextFieldDelegate() = default;

  virtual bool textFieldShouldBeginEditing(UITextField& /*field*/) { return true; }
  virtual void textFieldDidBeginEditing(UITextField& /*field*/) {}
  virtual bool textFieldShouldEndEditing(UITextField& /*field*/) { return true; }
  virtual void textFieldDidEndEditing(UITextField& /*field*/) {}
  // textField:shouldChangeCharactersInRange:replacementString: the range in UTF-16 units of the
  // current text; an empty replacement deletes.
  virtual bool textFieldShouldChangeCharactersInRange(UITextField& /*field*/, NSRange /*range*/,
                                                      const std::string& /*replacement*/) {
    return true;
  }
  virtual bool textFieldShouldClear(UITextField& /*field*/) { return true; }
  virtual bool textFieldShouldReturn(UITextField& /*field*/) { return true; }
};

}  // namespace host
