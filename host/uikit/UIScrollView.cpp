#include "uikit/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "foundation/DisplayLink.h"
#include "foundation/RunLoop.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/TimingCurve.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UIScrollViewDelegate.h"

namespace host {

namespace {

constexpr double kAnimationDuration = 0.3;
// Time constants of the exponential glide: the remaining distance falls by e in this time.
constexpr double kGlideTimeConstant = 0.5;  // UIKit's normal deceleration rate, 0.998 per ms
constexpr double kPageTimeConstant = 0.08;
// How far ahead a release's velocity carries the offset when choosing the page.
constexpr double kPageProjection = 0.3;
// A release at least this fast (points per second) is a flick: it turns at most one page from
// the one the drag began on.
constexpr double kFlickVelocity = 300;
// The time constant of the return from past the ends.
constexpr double kBounceTimeConstant = 0.1;
// A glide ends once it is this close to its resting place.
constexpr double kRestDistance = 0.5;
constexpr double kRubberBandFactor = 0.5;

double clampAxis(double value, double low, double high) {
  return std::max(low, std::min(value, high));
}

}  // namespace

HOST_CLASS(UIScrollView, UIView)

UIScrollView::UIScrollView(Class* cls)
    : UIView(cls), pan_(std::make_shared<UIPanGestureRecognizer>()) {
  setClipsToBounds(true);
  pan_->addTarget([](const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    auto view = std::dynamic_pointer_cast<UIScrollView>(recognizer->view());
    if (view) view->handlePan(static_cast<UIPanGestureRecognizer&>(*recognizer));
  });
}

UIScrollView::~UIScrollView() {
  if (link_) link_->invalidate();
}

const std::shared_ptr<UIPanGestureRecognizer>& UIScrollView::panGestureRecognizer() {
  attachPan();
  return pan_;
}

void UIScrollView::didMoveToSuperview() {
  UIView::didMoveToSuperview();
  attachPan();
}

void UIScrollView::attachPan() {
  // A view can take recognisers once it is shared, which it is not yet while being made.
  if (pan_->view() || weak_from_this().expired()) return;
  addGestureRecognizer(pan_);
}

void UIScrollView::handlePan(UIPanGestureRecognizer& pan) {
  const CGPoint translation = pan.translationInView(this);
  switch (pan.state()) {
    case UIGestureRecognizerStateBegan:
      if (beginDrag()) dragBy(translation);
      break;
    case UIGestureRecognizerStateChanged:
      dragBy(translation);
      break;
    case UIGestureRecognizerStateEnded: {
      if (!dragging_) break;
      dragBy(translation);
      const auto keep = weak_from_this().lock();
      panDidEnd(translation, pan.locationInView(this));
      endDrag(pan.velocityInView(this));
      break;
    }
    case UIGestureRecognizerStateCancelled:
      endDrag(CGPointZero);
      break;
    default:
      break;
  }
}

void UIScrollView::setContentSize(const CGSize& size) {
  contentSize_ = size;
}

void UIScrollView::setContentInset(const UIEdgeInsets& inset) {
  contentInset_ = inset;
}

void UIScrollView::setScrollEnabled(bool enabled) {
  scrollEnabled_ = enabled;
  pan_->setEnabled(enabled);
  if (!enabled && dragging_) endDrag(CGPointZero);
}

CGPoint UIScrollView::minimumContentOffset() const {
  return {-contentInset_.left, -contentInset_.top};
}

CGPoint UIScrollView::maximumContentOffset() const {
  const CGRect b = bounds();
  const CGPoint low = minimumContentOffset();
  return {std::max(low.x, contentSize_.width - b.width() + contentInset_.right),
          std::max(low.y, contentSize_.height - b.height() + contentInset_.bottom)};
}

bool UIScrollView::scrollsHorizontally() const {
  return alwaysBounceHorizontal_ ||
         contentSize_.width + contentInset_.left + contentInset_.right > bounds().width();
}

bool UIScrollView::scrollsVertically() const {
  return alwaysBounceVertical_ ||
         contentSize_.height + contentInset_.top + contentInset_.bottom > bounds().height();
}

CGPoint UIScrollView::clampedOffset(const CGPoint& offset) const {
  const CGPoint low = minimumContentOffset();
  const CGPoint high = maximumContentOffset();
  return {clampAxis(offset.x, low.x, high.x), clampAxis(offset.y, low.y, high.y)};
}

// Moving the offset.

void UIScrollView::applyOffset(const CGPoint& offset) {
  const CGRect b = bounds();
  if (b.origin == offset) return;
  setBounds({offset, b.size});
  contentOffsetDidChange();
  if (auto d = delegate()) d->scrollViewDidScroll(*this);
}

void UIScrollView::setContentOffset(const CGPoint& offset) {
  const auto keep = weak_from_this().lock();
  stopScrolling();
  applyOffset(offset);
}

void UIScrollView::setContentOffset(const CGPoint& offset, bool animated) {
  if (!animated || offset == contentOffset()) {
    setContentOffset(offset);
    return;
  }
  stopScrolling();
  startMotion(Motion::Animating, offset, kAnimationDuration);
}

void UIScrollView::stopScrolling() {
  if (link_) link_->invalidate();
  link_.reset();
  motion_ = Motion::None;
}

void UIScrollView::startMotion(Motion motion, const CGPoint& target, double duration) {
  motion_ = motion;
  motionFrom_ = contentOffset();
  motionTo_ = target;
  motionStart_ = RunLoop::main().now();
  motionDuration_ = duration;
  std::weak_ptr<UIScrollView> weak = std::static_pointer_cast<UIScrollView>(shared_from_this());
  link_ = RunLoop::main().displayLink([weak](DisplayLink&) {
    if (auto self = weak.lock()) self->step();
  });
  link_->addToRunLoop();
}

void UIScrollView::step() {
  const double elapsed = RunLoop::main().now() - motionStart_;
  const CGPoint delta{motionTo_.x - motionFrom_.x, motionTo_.y - motionFrom_.y};
  double remaining = 0;  // the fraction of the way still to go
  if (motion_ == Motion::Animating) {
    remaining = 1 - TimingCurve::easeInOut().valueAt(elapsed / motionDuration_);
  } else {
    remaining = std::exp(-elapsed / motionDuration_);
    const double distance = std::max(std::abs(delta.x), std::abs(delta.y)) * remaining;
    if (distance < kRestDistance) remaining = 0;
  }
  const auto running = link_;
  applyOffset({motionTo_.x - delta.x * remaining, motionTo_.y - delta.y * remaining});
  if (link_ != running) return;  // the delegate moved the content itself
  if (remaining <= 0) endMotion();
}

void UIScrollView::endMotion() {
  const Motion ended = motion_;
  stopScrolling();
  auto d = delegate();
  if (!d) return;
  if (ended == Motion::Gliding) d->scrollViewDidEndDecelerating(*this);
  if (ended == Motion::Animating) d->scrollViewDidEndScrollingAnimation(*this);
}

// Dragging.

bool UIScrollView::beginDrag() {
  if (!scrollEnabled_) return false;
  const auto keep = weak_from_this().lock();
  stopScrolling();
  dragging_ = true;
  dragStartOffset_ = contentOffset();
  if (auto d = delegate()) d->scrollViewWillBeginDragging(*this);
  return true;
}

void UIScrollView::dragBy(const CGPoint& translation) {
  if (!dragging_) return;
  const CGPoint low = minimumContentOffset();
  const CGPoint high = maximumContentOffset();
  const auto follow = [this](double start, double moved, double lo, double hi, bool scrolls) {
    if (!scrolls) return start;
    const double wanted = start - moved;
    if (!bounces_) return clampAxis(wanted, lo, hi);
    if (wanted < lo) return lo + (wanted - lo) * kRubberBandFactor;
    if (wanted > hi) return hi + (wanted - hi) * kRubberBandFactor;
    return wanted;
  };
  applyOffset({follow(dragStartOffset_.x, translation.x, low.x, high.x, scrollsHorizontally()),
               follow(dragStartOffset_.y, translation.y, low.y, high.y, scrollsVertically())});
}

CGPoint UIScrollView::pagedOffset(const CGPoint& velocity) const {
  const CGRect b = bounds();
  const CGPoint offset = contentOffset();
  const auto page = [&](double at, double start, double v, double size, double lo, double hi) {
    if (size <= 0) return clampAxis(at, lo, hi);
    double target = std::round((at + v * kPageProjection) / size);
    if (std::abs(v) >= kFlickVelocity) {
      const double startPage = std::round(start / size);
      target = clampAxis(target, startPage - 1, startPage + 1);
    }
    return clampAxis(target * size, lo, hi);
  };
  const CGPoint low = minimumContentOffset();
  const CGPoint high = maximumContentOffset();
  return {page(offset.x, dragStartOffset_.x, velocity.x, b.width(), low.x, high.x),
          page(offset.y, dragStartOffset_.y, velocity.y, b.height(), low.y, high.y)};
}

CGPoint UIScrollView::restingOffset(const CGPoint& velocity) const {
  if (pagingEnabled_) return pagedOffset(velocity);
  const CGPoint offset = contentOffset();
  return clampedOffset(
      {offset.x + velocity.x * kGlideTimeConstant, offset.y + velocity.y * kGlideTimeConstant});
}

void UIScrollView::endDrag(const CGPoint& velocity) {
  if (!dragging_) return;
  const auto keep = weak_from_this().lock();
  // The content moves against the finger.
  CGPoint contentVelocity{scrollsHorizontally() ? -velocity.x : 0,
                          scrollsVertically() ? -velocity.y : 0};
  CGPoint target = restingOffset(contentVelocity);
  if (auto d = delegate()) {
    d->scrollViewWillEndDragging(*this, contentVelocity, target);
    target = clampedOffset(target);
  }
  dragging_ = false;
  const bool glides = std::abs(target.x - contentOffset().x) >= kRestDistance ||
                      std::abs(target.y - contentOffset().y) >= kRestDistance;
  if (auto d = delegate()) d->scrollViewDidEndDragging(*this, glides);
  if (dragging_ || motion_ != Motion::None) return;  // the delegate took over
  if (!glides) {
    applyOffset(target);
    return;
  }
  const bool outside = clampedOffset(contentOffset()) != contentOffset();
  startMotion(
      Motion::Gliding, target,
      pagingEnabled_ ? kPageTimeConstant : (outside ? kBounceTimeConstant : kGlideTimeConstant));
}

}  // namespace host
