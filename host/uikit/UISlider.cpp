#include "uikit/UISlider.h"

#include <algorithm>

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UITouch.h"

namespace host {

namespace {

constexpr double kTrackHeight = 2;
// A touch this close to the thumb takes it, as UIKit's slider allows.
constexpr double kThumbSlop = 10;

}  // namespace

HOST_CLASS(UISlider, UIControl)

UISlider::UISlider(Class* cls)
    : UIControl(cls),
      minimumTrack_(std::make_shared<UIView>()),
      maximumTrack_(std::make_shared<UIView>()),
      thumb_(std::make_shared<UIView>()) {
  setBounds({CGPointZero, {118, kHeight}});
  minimumTrack_->setBackgroundColor(UIColor::colorWithRed(0, 122 / 255.0, 1, 1));
  maximumTrack_->setBackgroundColor(UIColor::colorWithRed(0.72, 0.72, 0.74, 1));
  for (const auto& track : {minimumTrack_, maximumTrack_}) {
    track->setUserInteractionEnabled(false);
    track->layer()->setCornerRadius(kTrackHeight / 2);
  }
  thumb_->setUserInteractionEnabled(false);
  thumb_->setBackgroundColor(UIColor::whiteColor());
  thumb_->setBounds({CGPointZero, {kThumbSize, kThumbSize}});
  thumb_->layer()->setCornerRadius(kThumbSize / 2);
  thumb_->layer()->setShadowColor(UIColor::blackColor());
  thumb_->layer()->setShadowOpacity(0.25);
  thumb_->layer()->setShadowOffset({0, 3});
  thumb_->layer()->setShadowRadius(3);
}

// Subviews cannot be added while the slider is being made (it is not shared yet): they join it
// when first needed.
void UISlider::installSubviews() {
  if (weak_from_this().expired() || thumb_->superview().get() == this) return;
  addSubview(minimumTrack_);
  addSubview(maximumTrack_);
  addSubview(thumb_);
}

void UISlider::didMoveToSuperview() {
  UIControl::didMoveToSuperview();
  installSubviews();
  place();
}

void UISlider::setValue(float value) {
  value_ = std::clamp(value, minimum_, std::max(minimum_, maximum_));
  place();
}

void UISlider::setRange(float minimum, float maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  setValue(value_);
}

CGSize UISlider::sizeThatFits(const CGSize& size) const {
  return CGSizeMake(size.width > 0 ? size.width : bounds().size.width, kHeight);
}

CGPoint UISlider::thumbCenterForValue(float value) const {
  const CGSize size = bounds().size;
  const double travel = std::max(0.0, size.width - kThumbSize);
  const double span = maximum_ - minimum_;
  const double fraction = span > 0 ? (std::clamp(value, minimum_, maximum_) - minimum_) / span : 0;
  return CGPointMake(kThumbSize / 2 + fraction * travel, size.height / 2);
}

float UISlider::valueAtX(double x) const {
  const double travel = std::max(0.0, bounds().size.width - kThumbSize);
  if (travel <= 0) return minimum_;
  const double fraction = std::clamp((x - kThumbSize / 2) / travel, 0.0, 1.0);
  return static_cast<float>(minimum_ + fraction * (maximum_ - minimum_));
}

void UISlider::layoutSubviewsImpl() {
  installSubviews();
  place();
}

void UISlider::place() {
  const CGSize size = bounds().size;
  const CGPoint centre = thumbCenterForValue(value_);
  const double y = (size.height - kTrackHeight) / 2;
  minimumTrack_->setFrame(CGRectMake(2, y, std::max(0.0, centre.x - 2), kTrackHeight));
  maximumTrack_->setFrame(
      CGRectMake(centre.x, y, std::max(0.0, size.width - 2 - centre.x), kTrackHeight));
  thumb_->setFrame(
      CGRectMake(centre.x - kThumbSize / 2, centre.y - kThumbSize / 2, kThumbSize, kThumbSize));
}

bool UISlider::gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const {
  // Only recognisers on other views are asked here: while enabled the slider keeps its touches.
  (void)recognizer;
  return !isEnabled();
}

bool UISlider::beginTrackingWithTouch(UITouch& touch, UIEvent*) {
  const CGPoint at = touch.locationInView(this);
  const CGPoint centre = thumbCenterForValue(value_);
  const double reach = kThumbSize / 2 + kThumbSlop;
  if (std::abs(at.x - centre.x) > reach || std::abs(at.y - centre.y) > reach) return false;
  grabOffset_ = at.x - centre.x;
  return true;
}

bool UISlider::continueTrackingWithTouch(UITouch& touch, UIEvent* event) {
  const float next = valueAtX(touch.locationInView(this).x - grabOffset_);
  if (next != value_) {
    value_ = next;
    place();
    sendActionsForControlEvents(UIControlEventValueChanged, event);
  }
  return true;
}

}  // namespace host
