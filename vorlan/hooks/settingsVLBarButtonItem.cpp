#include "hooks/settingsVLBarButtonItem.h"

#include "runtime/HostClass.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UITapGestureRecognizer.h"
#include "uikit/UIView.h"

namespace vorlan {

HOST_CLASS(settingsVLBarButtonItem, host::UIBarButtonItem)

settingsVLBarButtonItem::settingsVLBarButtonItem(host::Class* cls) : host::UIBarButtonItem(cls) {}

std::shared_ptr<settingsVLBarButtonItem> settingsVLBarButtonItem::make(
    std::function<void()> action) {
  auto item = std::make_shared<settingsVLBarButtonItem>();
  const host::CGRect frame = host::CGRectMake(0, 0, kSize, kSize);
  item->action_ = std::move(action);

  item->container_ = std::make_shared<host::UIView>();
  item->container_->setFrame(frame);
  item->container_->setBackgroundColor(host::UIColor::clearColor());
  item->container_->setUserInteractionEnabled(true);
  item->container_->setAccessibilityLabel(kAccessibilityLabel);
  auto tap = std::make_shared<host::UITapGestureRecognizer>();
  // The container (held by the item) holds the recogniser: the item is captured weakly.
  tap->addTarget(item, [weak = std::weak_ptr<settingsVLBarButtonItem>(item)](const auto& sender) {
    if (auto self = weak.lock()) self->tapped(*sender);
  });
  item->container_->addGestureRecognizer(tap);

  item->imageView_ = std::make_shared<host::UIImageView>();
  item->imageView_->setFrame(frame);
  item->imageView_->setBackgroundColor(host::UIColor::clearColor());
  item->imageView_->setImage(host::UIImage::imageWithContentsOfFile(kIconPath));
  item->imageView_->layer()->setMasksToBounds(true);
  item->container_->addSubview(item->imageView_);

  item->setCustomView(item->container_);
  return item;
}

void settingsVLBarButtonItem::rotateToDegree(float radians, float duration) {
  angle_ = radians;
  const auto turn = host::CGAffineTransform::makeRotation(radians);
  if (duration <= 0) {
    imageView_->setTransform(turn);
    return;
  }
  host::UIView::animateWithDuration(duration,
                                    [view = imageView_, turn] { view->setTransform(turn); });
}

void settingsVLBarButtonItem::tapped(const host::UIGestureRecognizer& recognizer) {
  if (recognizer.state() != host::UIGestureRecognizerStateEnded) return;
  host::UIView::animateWithDuration(0.2, [view = container_] { view->setAlpha(0.3); });
  if (action_) action_();
}

}  // namespace vorlan
