#include "uikit/CALayer.h"

#include <cmath>
#include <utility>

#include "foundation/RunLoop.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/AnimationTransaction.h"
#include "uikit/UIColor.h"
#include "uikit/UIView.h"
#include "uikit/UIViewAnimation.h"

namespace host {

HOST_CLASS(CALayer, Object)

CALayer::CALayer(Class* cls) : Object(cls) {}

CALayer::~CALayer() = default;

std::shared_ptr<UIView> CALayer::delegate() const {
  if (view_ == nullptr) return nullptr;
  return std::dynamic_pointer_cast<UIView>(view_->weak_from_this().lock());
}

void CALayer::setBounds(const CGRect& bounds) {
  const AnimatedValue before = presentationValue(AnimatedProperty::Bounds);
  bounds_ = bounds;
  didChange(AnimatedProperty::Bounds, before);
}

void CALayer::setPosition(const CGPoint& position) {
  const AnimatedValue before = presentationValue(AnimatedProperty::Position);
  position_ = position;
  didChange(AnimatedProperty::Position, before);
}

void CALayer::setAnchorPoint(const CGPoint& anchorPoint) {
  anchorPoint_ = anchorPoint;
}

void CALayer::setAffineTransform(const CGAffineTransform& transform) {
  const AnimatedValue before = presentationValue(AnimatedProperty::Transform);
  transform_ = transform;
  didChange(AnimatedProperty::Transform, before);
}

void CALayer::setOpacity(double opacity) {
  const AnimatedValue before = presentationValue(AnimatedProperty::Opacity);
  opacity_ = opacity;
  didChange(AnimatedProperty::Opacity, before);
}

void CALayer::setBackgroundColor(std::shared_ptr<UIColor> color) {
  const AnimatedValue before = presentationValue(AnimatedProperty::BackgroundColor);
  backgroundColor_ = std::move(color);
  didChange(AnimatedProperty::BackgroundColor, before);
}

void CALayer::setMask(std::shared_ptr<CALayer> mask) {
  // A layer cannot mask itself, directly or through its mask's masks.
  for (const CALayer* layer = mask.get(); layer != nullptr; layer = layer->mask_.get()) {
    if (layer == this) return;
  }
  mask_ = std::move(mask);
}

CGAffineTransform CALayer::layerToSuperlayer(const CGRect& bounds, const CGPoint& position,
                                             const CGPoint& anchor,
                                             const CGAffineTransform& transform) {
  const CGPoint anchorInBounds{bounds.origin.x + anchor.x * bounds.size.width,
                               bounds.origin.y + anchor.y * bounds.size.height};
  CGAffineTransform t = CGAffineTransform::makeTranslation(-anchorInBounds.x, -anchorInBounds.y);
  t = CGAffineTransform::concat(t, transform);
  return CGAffineTransform::concat(t, CGAffineTransform::makeTranslation(position.x, position.y));
}

CGAffineTransform CALayer::transformToSuperlayer() const {
  return layerToSuperlayer(bounds_, position_, anchorPoint_, transform_);
}

CGRect CALayer::frame() const {
  return transformToSuperlayer().applyToRect(bounds_);
}

void CALayer::setFrame(const CGRect& frame) {
  if (frame.isNull()) return;
  const CGRect target = frame.standardized();
  CGRect bounds = bounds_;
  const CGAffineTransform& t = transform_;
  if (t.b == 0 && t.c == 0 && t.a != 0 && t.d != 0) {
    bounds.size = {target.size.width / std::abs(t.a), target.size.height / std::abs(t.d)};
  }
  // Place the position so that the transformed bounds' box is centred on the frame's centre.
  const CGRect box = layerToSuperlayer(bounds, {0, 0}, anchorPoint_, t).applyToRect(bounds);
  const CGPoint position{target.midX() - box.midX(), target.midY() - box.midY()};
  if (bounds != bounds_) setBounds(bounds);
  setPosition(position);
}

CGRect CALayer::presentationBounds() const {
  return std::get<CGRect>(presentationValue(AnimatedProperty::Bounds));
}

CGPoint CALayer::presentationPosition() const {
  return std::get<CGPoint>(presentationValue(AnimatedProperty::Position));
}

CGAffineTransform CALayer::presentationTransform() const {
  return std::get<CGAffineTransform>(presentationValue(AnimatedProperty::Transform));
}

double CALayer::presentationOpacity() const {
  return std::get<double>(presentationValue(AnimatedProperty::Opacity));
}

std::shared_ptr<UIColor> CALayer::presentationBackgroundColor() const {
  return std::get<std::shared_ptr<UIColor>>(presentationValue(AnimatedProperty::BackgroundColor));
}

CGRect CALayer::presentationFrame() const {
  const CGRect bounds = presentationBounds();
  return layerToSuperlayer(bounds, presentationPosition(), anchorPoint_, presentationTransform())
      .applyToRect(bounds);
}

AnimatedValue CALayer::modelValue(AnimatedProperty property) const {
  switch (property) {
    case AnimatedProperty::Position:
      return position_;
    case AnimatedProperty::Bounds:
      return bounds_;
    case AnimatedProperty::Transform:
      return transform_;
    case AnimatedProperty::Opacity:
      return opacity_;
    case AnimatedProperty::BackgroundColor:
      return backgroundColor_;
    case AnimatedProperty::Contents:
      return 1.0;
  }
  return 0.0;
}

AnimatedValue CALayer::presentationValue(AnimatedProperty property) const {
  auto it = animations_.find(property);
  const double now = RunLoop::main().now();
  if (it == animations_.end() || it->second->hasEnded(now)) return modelValue(property);
  return it->second->valueAt(now);
}

bool CALayer::hasRunningAnimations() const {
  const double now = RunLoop::main().now();
  for (const auto& [property, animation] : animations_) {
    if (!animation->hasEnded(now)) return true;
  }
  return false;
}

bool CALayer::hasAnimation(AnimatedProperty property) const {
  auto it = animations_.find(property);
  return it != animations_.end() && !it->second->hasEnded(RunLoop::main().now());
}

bool CALayer::hasAnimationBlockingInteraction() const {
  const double now = RunLoop::main().now();
  for (const auto& [property, animation] : animations_) {
    if (!animation->hasEnded(now) && !animation->transaction()->allowsUserInteraction()) {
      return true;
    }
  }
  return false;
}

std::shared_ptr<const PropertyAnimation> CALayer::runningTransition() const {
  auto it = animations_.find(AnimatedProperty::Contents);
  if (it == animations_.end() || it->second->hasEnded(RunLoop::main().now())) return nullptr;
  return it->second;
}

void CALayer::removeAllAnimations() {
  const double now = RunLoop::main().now();
  auto removed = std::exchange(animations_, {});
  for (const auto& [property, animation] : removed) {
    if (!animation->hasEnded(now)) animation->transaction()->animationInterrupted();
  }
}

void CALayer::stopAnimation(AnimatedProperty property) {
  auto it = animations_.find(property);
  if (it == animations_.end()) return;
  const auto animation = it->second;
  animations_.erase(it);
  if (!animation->hasEnded(RunLoop::main().now())) animation->transaction()->animationInterrupted();
}

void CALayer::addAnimation(AnimatedProperty property, const AnimatedValue& from,
                           const AnimatedValue& to) {
  const UIViewAnimation::Context* context = UIViewAnimation::current();
  if (context == nullptr) return;
  const double now = RunLoop::main().now();
  const UIViewAnimationOptions options = context->options;
  PropertyAnimation::Timing timing{
      .beginTime = now + std::max(context->delay, 0.0),
      .duration = context->duration,
      .curve = UIViewAnimation::curveForOptions(options),
      .repeats = (options & UIViewAnimationOptionRepeat) != 0,
      .autoreverses = (options & UIViewAnimationOptionAutoreverse) != 0};
  AnimatedValue start = from;
  bool sameBlock = false;
  if (auto it = animations_.find(property); it != animations_.end()) {
    if (it->second->transaction() == context->transaction) {
      // Set twice in one block: one animation, from where the first change started.
      start = it->second->from();
      sameBlock = true;
    } else {
      stopAnimation(property);
    }
  }
  animations_[property] =
      std::make_shared<const PropertyAnimation>(property, start, to, timing, context->transaction);
  if (!sameBlock) {
    context->transaction->animationAdded(std::static_pointer_cast<CALayer>(shared_from_this()));
  }
}

void CALayer::didChange(AnimatedProperty property, const AnimatedValue& before) {
  if (view_ == nullptr) return;
  if (UIViewAnimation::current() != nullptr) {
    addAnimation(property, before, modelValue(property));
  } else {
    stopAnimation(property);
  }
}

void CALayer::forgetAnimationsOf(const AnimationTransaction& transaction) {
  std::erase_if(animations_, [&](const auto& entry) {
    return entry.second->transaction().get() == &transaction;
  });
}

}  // namespace host
