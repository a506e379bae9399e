#pragma once

#include <memory>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"

namespace host {

class Class;
class UIColor;

// A shadow cast by what is drawn: an offset in points (positive height is downwards), a blur
// radius in points, and a colour (black with alpha 1/3 by default, as on the device).
class NSShadow : public Object {
 public:
  static Class* objcClass();
  explicit NSShadow(Class* cls = objcClass());

  static std::shared_ptr<NSShadow> withOffset(CGSize offset, CGFloat blurRadius,
                                              std::shared_ptr<UIColor> color);

  CGSize shadowOffset() const { return offset_; }
  void setShadowOffset(CGSize offset) { offset_ = offset; }
  CGFloat shadowBlurRadius() const { return blurRadius_; }
  void setShadowBlurRadius(CGFloat radius) { blurRadius_ = radius; }
  // Never nil.
  const std::shared_ptr<UIColor>& shadowColor() const { return color_; }
  void setShadowColor(std::shared_ptr<UIColor> color);

 private:
  CGSize offset_{0, 0};
  CGFloat blurRadius_ = 0;
  std::shared_ptr<UIColor> color_;
};

}  // namespace host
