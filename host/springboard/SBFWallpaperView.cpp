#include "springboard/SBFWallpaperView.h"

#include <algorithm>
#include <utility>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "springboard/SBFWallpaperViewMethods.h"
#include "uikit/CGContext.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

namespace host {

HOST_CLASS_WITH(SBFWallpaperView, UIView, [](Class* c) {
  define<MethodsOf<SBFWallpaperView>::UpdateGeneratingBlurs>(c, [](Object* self) {
    if (auto* view = dynamic_cast<SBFWallpaperView*>(self)) view->updateGeneratingBlursImpl();
  });
})

SBFWallpaperView::SBFWallpaperView(Class* cls) : UIView(cls) {}

void SBFWallpaperView::setWallpaperImage(std::shared_ptr<UIImage> image) {
  wallpaperImage_ = std::move(image);
  redraw();
}

void SBFWallpaperView::draw(CGContext& context, const CGRect& rect) {
  UIGraphicsDrawAsLayerContents(context, rect, [&] { drawWallpaper(rect); });
}

void SBFWallpaperView::drawWallpaper(const CGRect& rect) {
  const auto context = UIGraphicsGetCurrentContext();
  if (!context) return;
  context->setFillColor(*UIColor::blackColor());
  context->fillRect(rect);
  if (!wallpaperImage_ || wallpaperImage_->width() <= 0 || wallpaperImage_->height() <= 0) return;
  const double scale = std::max(rect.size.width / wallpaperImage_->width(),
                                rect.size.height / wallpaperImage_->height());
  const double width = wallpaperImage_->width() * scale;
  const double height = wallpaperImage_->height() * scale;
  context->drawImage(CGRectMake(rect.origin.x + (rect.size.width - width) / 2,
                                rect.origin.y + (rect.size.height - height) / 2, width, height),
                     *wallpaperImage_);
}

void SBFWallpaperView::redraw() {
  setNeedsDisplay();
  send<MethodsOf<SBFWallpaperView>::UpdateGeneratingBlurs>(this);
}

}  // namespace host
