#include "springboard/SBFWallpaperView.h"

#include <utility>

#include "runtime/Runtime.h"
#include "uikit/UIImage.h"

namespace host {

Class* SBFWallpaperView::objcClass() {
  static Class* const cls = [] {
    Class* c = Runtime::shared().defineClass("SBFWallpaperView", UIView::objcClass(),
                                             factoryFor<SBFWallpaperView>());
    defineMethod<void()>(c, "_updateGeneratingBlurs", [](Object* self) {
      if (auto* view = dynamic_cast<SBFWallpaperView*>(self)) view->updateGeneratingBlursImpl();
    });
    return c;
  }();
  return cls;
}

SBFWallpaperView::SBFWallpaperView(Class* cls) : UIView(cls) {}

void SBFWallpaperView::setWallpaperImage(std::shared_ptr<UIImage> image) {
  wallpaperImage_ = std::move(image);
  redraw();
}

void SBFWallpaperView::redraw() {
  setNeedsDisplay();
  msgSend<void()>(this, "_updateGeneratingBlurs");
}

}  // namespace host
