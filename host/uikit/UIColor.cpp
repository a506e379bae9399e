#include "uikit/UIColor.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(UIColor, Object)

UIColor::UIColor(Class* cls) : Object(cls) {}

std::shared_ptr<UIColor> UIColor::colorWithRed(double red, double green, double blue,
                                               double alpha) {
  auto color = std::make_shared<UIColor>();
  color->red_ = red;
  color->green_ = green;
  color->blue_ = blue;
  color->alpha_ = alpha;
  return color;
}

std::shared_ptr<UIColor> UIColor::colorWithWhite(double white, double alpha) {
  return colorWithRed(white, white, white, alpha);
}

std::shared_ptr<UIColor> UIColor::clearColor() {
  return colorWithWhite(0, 0);
}

std::shared_ptr<UIColor> UIColor::whiteColor() {
  return colorWithWhite(1, 1);
}

std::shared_ptr<UIColor> UIColor::blackColor() {
  return colorWithWhite(0, 1);
}

bool UIColor::isEqual(const UIColor& other) const {
  return red_ == other.red_ && green_ == other.green_ && blue_ == other.blue_ &&
         alpha_ == other.alpha_;
}

}  // namespace host
