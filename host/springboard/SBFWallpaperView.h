#pragma once

#include <memory>

#include "uikit/UIView.h"

namespace host {

class UIImage;

// SpringBoard's home-screen wallpaper. Whenever the wallpaper is set or redrawn the view
// regenerates its blurred variants: "_updateGeneratingBlurs" (void()), sent through the runtime.
class SBFWallpaperView : public UIView {
 public:
  static Class* objcClass();
  explicit SBFWallpaperView(Class* cls = objcClass());

  std::shared_ptr<UIImage> wallpaperImage() const { return wallpaperImage_; }
  void setWallpaperImage(std::shared_ptr<UIImage> image);
  // Draws the wallpaper again (after a change of size or appearance).
  void redraw();
  // How often the blurs were generated.
  int blurGenerations() const { return blurGenerations_; }

  // The wallpaper fills the view, scaled to cover it and centred (black without one), drawn as
  // the layer's contents.
  void draw(CGContext& context, const CGRect& rect) override;

 protected:
  virtual void updateGeneratingBlursImpl() { ++blurGenerations_; }

 private:
  void drawWallpaper(const CGRect& rect);

  std::shared_ptr<UIImage> wallpaperImage_;
  int blurGenerations_ = 0;
};

}  // namespace host
