#include "uikit/UISwitch.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"

namespace host {

namespace {

constexpr double kThumbInset = 2;

}  // namespace

HOST_CLASS(UISwitch, UIControl)

UISwitch::UISwitch(Class* cls)
    : UIControl(cls), track_(std::make_shared<UIView>()), thumb_(std::make_shared<UIView>()) {
  setBounds({CGPointZero, kSize});
  track_->setUserInteractionEnabled(false);
  track_->layer()->setCornerRadius(kSize.height / 2);
  track_->layer()->setBorderWidth(1.5);
  track_->layer()->setBorderColor(UIColor::colorWithWhite(0.9, 1));
  thumb_->setUserInteractionEnabled(false);
  const double thumb = kSize.height - 2 * kThumbInset;
  thumb_->setBounds({CGPointZero, {thumb, thumb}});
  thumb_->layer()->setCornerRadius(thumb / 2);
  thumb_->layer()->setShadowColor(UIColor::blackColor());
  thumb_->layer()->setShadowOpacity(0.25);
  thumb_->layer()->setShadowOffset({0, 3});
  thumb_->layer()->setShadowRadius(3);
  applyAppearance();
}

// Subviews cannot be added while the switch is being made (it is not shared yet): they join it
// when first needed.
void UISwitch::installSubviews() {
  if (weak_from_this().expired() || track_->superview().get() == this) return;
  insertSubview(track_, 0);
  insertSubview(thumb_, 1);
}

void UISwitch::didMoveToSuperview() {
  UIControl::didMoveToSuperview();
  installSubviews();
}

UISwitch::~UISwitch() = default;

void UISwitch::setOn(bool on, bool animated) {
  if (on == on_) return;
  on_ = on;
  if (animated) {
    UIView::animateWithDuration(kAnimationDuration, [this] { applyAppearance(); });
  } else {
    UIView::performWithoutAnimation([this] { applyAppearance(); });
  }
}

std::shared_ptr<UIColor> UISwitch::onTintColor() const {
  return onTintColor_ ? onTintColor_
                      : UIColor::colorWithRed(75 / 255.0, 216 / 255.0, 99 / 255.0, 1);
}

void UISwitch::setOnTintColor(std::shared_ptr<UIColor> color) {
  onTintColor_ = std::move(color);
  applyAppearance();
}

std::shared_ptr<UIColor> UISwitch::thumbTintColor() const {
  return thumbTintColor_ ? thumbTintColor_ : UIColor::whiteColor();
}

void UISwitch::setThumbTintColor(std::shared_ptr<UIColor> color) {
  thumbTintColor_ = std::move(color);
  applyAppearance();
}

CGSize UISwitch::sizeThatFits(const CGSize&) const {
  return kSize;
}

void UISwitch::layoutSubviewsImpl() {
  applyAppearance();
}

void UISwitch::applyAppearance() {
  installSubviews();
  track_->setFrame({CGPointZero, kSize});
  track_->setBackgroundColor(on_ ? onTintColor() : UIColor::whiteColor());
  thumb_->setBackgroundColor(thumbTintColor());
  const double thumb = kSize.height - 2 * kThumbInset;
  const double x = on_ ? kSize.width - kThumbInset - thumb : kThumbInset;
  thumb_->setFrame({{x, kThumbInset}, {thumb, thumb}});
}

void UISwitch::endTrackingWithTouch(UITouch* touch, UIEvent* event) {
  UIControl::endTrackingWithTouch(touch, event);
  if (touch == nullptr || !isInsideTrackingArea(*touch)) return;
  setOn(!on_, true);
  sendActionsForControlEvents(UIControlEventValueChanged, event);
}

}  // namespace host
