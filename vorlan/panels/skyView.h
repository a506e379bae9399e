#pragma once

#include <memory>

#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"

namespace vorlan {

class shapeSkyView;

// A popup: a full-window view that dims what lies behind it and carries one balloon, whose
// arrow points at the control that opened it. A tap outside the balloon closes the panel.
//
// Every panel alive is listed, in creation order, in one process-wide registry that holds no
// strong reference, so that all of them can be closed at once (dismissAllShape).
class skyView : public host::UIView {
 public:
  static host::Class* objcClass();
  explicit skyView(host::Class* cls = objcClass());
  ~skyView() override;

  // A panel dimming `frame` (the whole area behind it, at origin 0,0).
  static std::shared_ptr<skyView> make(const host::CGRect& frame);

  // Shows the balloon from the anchor `from` (the opening control's frame) with the placement
  // `to` (x, vertical offset, width and height of the balloon). The caller adds the panel to
  // the window first. A panel shown again after a dismissal fades in from transparent.
  virtual void showFromRect(const host::CGRect& from, const host::CGRect& to);
  // Closes the panel: at once, or fading out over 0.4 s and then leaving its superview.
  virtual void dismissShape(bool animated);
  bool isShow() const { return show_; }

  const std::shared_ptr<shapeSkyView>& shape() const { return shape_; }
  void setShape(std::shared_ptr<shapeSkyView> shape);

  // Closes every shown panel of the process, in creation order.
  static void dismissAllShape(bool animated);

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  // The tap handler: closes the panel when the tap lies outside the balloon's frame (a tap on
  // its border counts as inside).
  void dismissShapeAnimated(const host::CGPoint& location);

  bool show_ = false;
  std::shared_ptr<shapeSkyView> shape_;
};

}  // namespace vorlan
