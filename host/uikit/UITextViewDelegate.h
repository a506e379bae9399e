#pragma once

#include <string>

#include "foundation/NSRange.h"

namespace host {

class UITextView;

// What a text view asks its delegate. Every method is optional: the defaults answer as UIKit
// does when the delegate does not implement it.
class UITextViewDelegate {
 public:
  virtual ~UITextViewDelegate() = default;

  virtual bool textViewShouldBeginEditing(UITextView& /*view*/) { return true; }
  virtual void textViewDidBeginEditing(UITextView& /*view*/) {}
  virtual bool textViewShouldEndEditing(UITextView& /*view*/) { return true; }
  virtual void textViewDidEndEditing(UITextView& /*view*/) {}
  // textView:shouldChangeTextInRange:replacementText: the range in UTF-16 units.
  virtual bool textViewShouldChangeTextInRange(UITextView& /*view*/, NSRange /*range*/,
                                               const std::string& /*replacement*/) {
    return true;
  }
  virtual void textViewDidChange(UITextView& /*view*/) {}
};

}  // namespace host
