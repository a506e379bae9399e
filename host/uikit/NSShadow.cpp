#include "uikit/NSShadow.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"

namespace host {

HOST_CLASS(NSShadow, Object)

NSShadow::NSShadow(Class* cls) : Object(cls), color_(UIColor::colorWithWhite(0, 1.0 / 3)) {}

std::shared_ptr<NSShadow> NSShadow::withOffset(CGSize offset, CGFloat blurRadius,
                                               std::shared_ptr<UIColor> color) {
  auto shadow = std::make_shared<NSShadow>();
  shadow->offset_ = offset;
  shadow->blurRadius_ = blurRadius;
  shadow->setShadowColor(std::move(color));
  return shadow;
}

void NSShadow::setShadowColor(std::shared_ptr<UIColor> color) {
  // Setting nil brings back the default colour.
  color_ = color ? std::move(color) : UIColor::colorWithWhite(0, 1.0 / 3);
}

}  // namespace host
