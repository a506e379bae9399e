#pragma once

#include "uikit/CGGeometry.h"

namespace host {

class UIScrollView;

// What a scroll view tells its delegate (held weakly). Every method is optional: the defaults do
// nothing. Velocities are in points per second.
class UIScrollViewDelegate {
 public:
  virtual ~UIScrollViewDelegate() = default;

  // The content offset changed (dragging, decelerating, animating or set directly).
  virtual void scrollViewDidScroll(UIScrollView& /*scrollView*/) {}
  virtual void scrollViewWillBeginDragging(UIScrollView& /*scrollView*/) {}
  // The finger lifts. `targetContentOffset` is where the content will come to rest; the delegate
  // may change it (the scroll view clamps the answer to its scrollable range).
  virtual void scrollViewWillEndDragging(UIScrollView& /*scrollView*/, CGPoint /*velocity*/,
                                         CGPoint& /*targetContentOffset*/) {}
  virtual void scrollViewDidEndDragging(UIScrollView& /*scrollView*/, bool /*willDecelerate*/) {}
  virtual void scrollViewDidEndDecelerating(UIScrollView& /*scrollView*/) {}
  // An animated setContentOffset (or scroll to a row) reached its end.
  virtual void scrollViewDidEndScrollingAnimation(UIScrollView& /*scrollView*/) {}
};

}  // namespace host
