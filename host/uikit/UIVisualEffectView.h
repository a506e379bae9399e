#pragma once

#include <memory>

#include "uikit/UIView.h"

namespace host {

class UIVisualEffect;

// A view that applies an effect (a blur) to what lies behind it, inside its bounds. Its own
// content goes into contentView, which fills it and is drawn over the effect.
class UIVisualEffectView : public UIView {
 public:
  static Class* objcClass();
  explicit UIVisualEffectView(Class* cls = objcClass());
  // initWithEffect:
  explicit UIVisualEffectView(std::shared_ptr<UIVisualEffect> effect, Class* cls = objcClass());
  ~UIVisualEffectView() override;

  const std::shared_ptr<UIVisualEffect>& effect() const { return effect_; }
  void setEffect(std::shared_ptr<UIVisualEffect> effect);

  // The view to add subviews to. It becomes this view's subview on first use (or when this view
  // first moves or is laid out) and takes this view's bounds at each layout pass.
  const std::shared_ptr<UIView>& contentView();

  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void attachContentView();

  std::shared_ptr<UIVisualEffect> effect_;
  std::shared_ptr<UIView> contentView_;
};

}  // namespace host
