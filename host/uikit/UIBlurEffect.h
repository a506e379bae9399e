#pragma once

#include <memory>

#include "uikit/UIVisualEffect.h"

namespace host {

class UIColor;

// The device's values.
enum UIBlurEffectStyle {
  UIBlurEffectStyleExtraLight = 0,
  UIBlurEffectStyleLight = 1,
  UIBlurEffectStyleDark = 2,
};

// Blurs what lies behind the effect view and tints it lighter or darker by its style. The look
// is described by blurRadius and tintColor, which the renderer uses.
class UIBlurEffect : public UIVisualEffect {
 public:
  static Class* objcClass();
  // Light, as an object made by name starts out.
  explicit UIBlurEffect(Class* cls = objcClass());

  // An unknown style value draws as the light style.
  static std::shared_ptr<UIBlurEffect> effectWithStyle(UIBlurEffectStyle style);

  UIBlurEffectStyle style() const { return style_; }
  // The blur in points (a Gaussian of half this as its standard deviation).
  double blurRadius() const;
  // Laid over the blurred backdrop.
  std::shared_ptr<UIColor> tintColor() const;

 private:
  UIBlurEffectStyle style_ = UIBlurEffectStyleLight;
};

}  // namespace host
