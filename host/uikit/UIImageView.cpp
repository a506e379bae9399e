#include "uikit/UIImageView.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CGContext.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"

namespace host {

HOST_CLASS(UIImageView, UIView)

UIImageView::UIImageView(Class* cls) : UIView(cls) {
  setUserInteractionEnabled(false);
}

UIImageView::~UIImageView() = default;

void UIImageView::setImage(std::shared_ptr<UIImage> image) {
  if (image == image_) return;
  image_ = std::move(image);
  setNeedsDisplay();
}

void UIImageView::setHighlightedImage(std::shared_ptr<UIImage> image) {
  if (image == highlightedImage_) return;
  highlightedImage_ = std::move(image);
  setNeedsDisplay();
}

void UIImageView::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  setNeedsDisplay();
}

const std::shared_ptr<UIImage>& UIImageView::displayedImage() const {
  return highlighted_ && highlightedImage_ ? highlightedImage_ : image_;
}

void UIImageView::draw(CGContext& context, const CGRect& rect) {
  const auto& image = displayedImage();
  if (!image) return;
  if (image->renderingMode() == UIImageRenderingMode::AlwaysTemplate) {
    context.setFillColor(*tintColor());
  }
  context.drawImage(imageRectForBounds(rect), *image);
}

CGRect UIImageView::imageRectForBounds(const CGRect& bounds) const {
  const auto& image = displayedImage();
  if (!image) return CGRectZero;
  return placeImage({image->width(), image->height()}, bounds, contentMode());
}

CGRect UIImageView::placeImage(const CGSize& size, const CGRect& bounds, UIViewContentMode mode) {
  const CGRect area = bounds.standardized();
  CGSize shown = size;
  switch (mode) {
    case UIViewContentModeScaleToFill:
    case UIViewContentModeRedraw:
      return area;
    case UIViewContentModeScaleAspectFit:
    case UIViewContentModeScaleAspectFill: {
      if (size.width <= 0 || size.height <= 0) return {{area.midX(), area.midY()}, CGSizeZero};
      const double sx = area.width() / size.width;
      const double sy = area.height() / size.height;
      const double s =
          mode == UIViewContentModeScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
      shown = {size.width * s, size.height * s};
      break;
    }
    default:
      break;
  }
  // Centred along each axis unless the mode names an edge.
  double x = area.midX() - shown.width / 2;
  double y = area.midY() - shown.height / 2;
  switch (mode) {
    case UIViewContentModeLeft:
    case UIViewContentModeTopLeft:
    case UIViewContentModeBottomLeft:
      x = area.minX();
      break;
    case UIViewContentModeRight:
    case UIViewContentModeTopRight:
    case UIViewContentModeBottomRight:
      x = area.maxX() - shown.width;
      break;
    default:
      break;
  }
  switch (mode) {
    case UIViewContentModeTop:
    case UIViewContentModeTopLeft:
    case UIViewContentModeTopRight:
      y = area.minY();
      break;
    case UIViewContentModeBottom:
    case UIViewContentModeBottomLeft:
    case UIViewContentModeBottomRight:
      y = area.maxY() - shown.height;
      break;
    default:
      break;
  }
  return {{x, y}, shown};
}

CGSize UIImageView::sizeThatFits(const CGSize&) const {
  return image_ ? CGSize{image_->width(), image_->height()} : CGSizeZero;
}

}  // namespace host
