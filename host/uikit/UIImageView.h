#pragma once

#include <memory>

#include "uikit/UIView.h"

namespace host {

class UIImage;

// Shows an image, placed by the content mode; while highlighted it shows its highlighted image
// when it has one. A template image is drawn in the view's tint colour. It fits the image's size,
// and like UIKit's it takes no touches unless told to. The image is not clipped to the bounds
// unless the view clips to them.
class UIImageView : public UIView {
 public:
  static Class* objcClass();
  explicit UIImageView(Class* cls = objcClass());
  ~UIImageView() override;

  const std::shared_ptr<UIImage>& image() const { return image_; }
  void setImage(std::shared_ptr<UIImage> image);
  const std::shared_ptr<UIImage>& highlightedImage() const { return highlightedImage_; }
  void setHighlightedImage(std::shared_ptr<UIImage> image);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);

  // The image shown now: the highlighted one while highlighted, if set, else the image.
  const std::shared_ptr<UIImage>& displayedImage() const;
  // Where the shown image is drawn within `bounds`; CGRectZero without one.
  CGRect imageRectForBounds(const CGRect& bounds) const;
  // Where an image of `size` points goes within `bounds` in a content mode: stretched, fitted or
  // filled keeping its aspect ratio (centred), or at its own size against the edges the mode
  // names (centred along the others).
  static CGRect placeImage(const CGSize& size, const CGRect& bounds, UIViewContentMode mode);

  CGSize sizeThatFits(const CGSize& size) const override;
  // The shown image in its place (a template image in the tint colour).
  void draw(CGContext& context, const CGRect& rect) override;

 private:
  std::shared_ptr<UIImage> image_;
  std::shared_ptr<UIImage> highlightedImage_;
  bool highlighted_ = false;
};

}  // namespace host
