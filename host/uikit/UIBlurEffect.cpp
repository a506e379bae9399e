#include "uikit/UIBlurEffect.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/UIColor.h"

namespace host {

HOST_CLASS(UIBlurEffect, UIVisualEffect)

UIBlurEffect::UIBlurEffect(Class* cls) : UIVisualEffect(cls) {}

std::shared_ptr<UIBlurEffect> UIBlurEffect::effectWithStyle(UIBlurEffectStyle style) {
  auto effect = std::make_shared<UIBlurEffect>();
  switch (style) {
    case UIBlurEffectStyleExtraLight:
    case UIBlurEffectStyleLight:
    case UIBlurEffectStyleDark:
      effect->style_ = style;
      break;
  }
  return effect;
}

double UIBlurEffect::blurRadius() const {
  return style_ == UIBlurEffectStyleExtraLight ? 24 : 20;
}

std::shared_ptr<UIColor> UIBlurEffect::tintColor() const {
  switch (style_) {
    case UIBlurEffectStyleExtraLight:
      return UIColor::colorWithWhite(0.97, 0.8);
    case UIBlurEffectStyleDark:
      return UIColor::colorWithWhite(0.11, 0.73);
    case UIBlurEffectStyleLight:
      break;
  }
  return UIColor::colorWithWhite(1, 0.3);
}

}  // namespace host
