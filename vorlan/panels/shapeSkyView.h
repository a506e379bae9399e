#pragma once

#include <memory>

#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"

namespace host {
class CGContext;
}  // namespace host

namespace vorlan {

// A panel's balloon: a white rounded body with an arrow on one side and a soft shadow, drawn in
// code. It grows out of its arrow when shown. Content goes into `container`, never into the
// balloon itself.
class shapeSkyView : public host::UIView {
 public:
  static host::Class* objcClass();
  explicit shapeSkyView(host::Class* cls = objcClass());

  static std::shared_ptr<shapeSkyView> make(const host::CGRect& frame);

  // Places the balloon below the anchor `from` (5 points under its bottom edge, moved by to.y),
  // at to.x with to's size; one that would pass the bottom of its superview is flipped above,
  // arrow down. Then plays the grow animation.
  void showFromRect(const host::CGRect& from, const host::CGRect& to);

  // The balloon's final frame, from the last showFromRect.
  host::CGRect rectangle() const { return rectangle_; }
  // Degrees: 0 with the arrow up, 180 when flipped (arrow down).
  float angle() const { return angle_; }

  const std::shared_ptr<host::UIView>& container() const { return container_; }
  void setContainer(std::shared_ptr<host::UIView> container);

  // Draws the balloon's outline, filled white with its shadow, into `frame`.
  void drawShapeWithFrame(host::CGContext& context, const host::CGRect& frame);
  void draw(host::CGContext& context, const host::CGRect& rect) override;

 private:
  void initWithFrame(const host::CGRect& frame);
  // Moves the (transformed) balloon so that its top edge is at `top`, its centre at `centerX`.
  void placeTop(double centerX, double top, double scale);

  host::CGRect rectangle_;
  float angle_ = 0;
  std::shared_ptr<host::UIView> container_;
};

}  // namespace vorlan
