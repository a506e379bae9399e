#include "uikit/UIView.h"

#include <algorithm>
#include <utility>

#include "foundation/RunLoop.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/UIColor.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewMethods.h"
#include "uikit/UIWindow.h"

namespace host {

namespace {

// Windows waiting for a layout pass, and the pass queued on the main run loop: a token that the
// queued block holds, so that a pass dropped by a reset of the loop does not count as queued.
struct PendingLayout {
  std::vector<std::weak_ptr<UIWindow>> windows;
  std::weak_ptr<void> queuedPass;
};

PendingLayout& pendingLayout() {
  static PendingLayout pending;
  return pending;
}

}  // namespace

HOST_CLASS_WITH(UIView, UIResponder, [](Class* c) {
  define<MethodsOf<UIView>::LayoutSubviews>(c, [](Object* self) {
    if (auto* view = dynamic_cast<UIView*>(self)) view->layoutSubviewsImpl();
  });
})

UIView::UIView(Class* cls) : UIResponder(cls), layer_(std::make_shared<CALayer>()) {
  layer_->view_ = this;
}

UIView::~UIView() {
  layer_->view_ = nullptr;
}

std::shared_ptr<UIResponder> UIView::nextResponder() const {
  if (auto controller = viewDelegate_.lock()) return controller;
  return superview();
}

// Geometry and appearance live in the layer.

CGRect UIView::frame() const {
  return layer_->frame();
}

void UIView::setFrame(const CGRect& frame) {
  const CGSize before = layer_->bounds().size;
  layer_->setFrame(frame);
  if (layer_->bounds().size != before) {
    setNeedsLayout();
    if (contentMode_ == UIViewContentModeRedraw) setNeedsDisplay();
  }
}

CGRect UIView::bounds() const {
  return layer_->bounds();
}

void UIView::setBounds(const CGRect& bounds) {
  const CGSize before = layer_->bounds().size;
  layer_->setBounds(bounds);
  if (bounds.size != before) {
    setNeedsLayout();
    if (contentMode_ == UIViewContentModeRedraw) setNeedsDisplay();
  }
}

CGPoint UIView::center() const {
  return layer_->position();
}
void UIView::setCenter(const CGPoint& center) {
  layer_->setPosition(center);
}
CGAffineTransform UIView::transform() const {
  return layer_->affineTransform();
}
void UIView::setTransform(const CGAffineTransform& transform) {
  layer_->setAffineTransform(transform);
}
double UIView::alpha() const {
  return layer_->opacity();
}
void UIView::setAlpha(double alpha) {
  layer_->setOpacity(alpha);
}
bool UIView::isHidden() const {
  return layer_->isHidden();
}
void UIView::setHidden(bool hidden) {
  layer_->setHidden(hidden);
}
std::shared_ptr<UIColor> UIView::backgroundColor() const {
  return layer_->backgroundColor();
}
void UIView::setBackgroundColor(std::shared_ptr<UIColor> color) {
  layer_->setBackgroundColor(std::move(color));
}
bool UIView::clipsToBounds() const {
  return layer_->masksToBounds();
}
void UIView::setClipsToBounds(bool clips) {
  layer_->setMasksToBounds(clips);
}

std::shared_ptr<UIColor> UIView::tintColor() const {
  if (tintColor_) return tintColor_;
  for (auto parent = superview_.lock(); parent; parent = parent->superview_.lock()) {
    if (parent->tintColor_) return parent->tintColor_;
  }
  return UIColor::colorWithRed(0, 122.0 / 255.0, 1, 1);
}

// The hierarchy.

std::shared_ptr<UIWindow> UIView::window() const {
  std::shared_ptr<const UIView> view =
      std::dynamic_pointer_cast<const UIView>(weak_from_this().lock());
  while (view) {
    if (auto window = std::dynamic_pointer_cast<const UIWindow>(view)) {
      return std::const_pointer_cast<UIWindow>(window);
    }
    view = view->superview_.lock();
  }
  return nullptr;
}

bool UIView::isDescendantOfView(const UIView* view) const {
  if (view == nullptr) return false;
  if (view == this) return true;
  for (auto parent = superview_.lock(); parent; parent = parent->superview_.lock()) {
    if (parent.get() == view) return true;
  }
  return false;
}

std::optional<std::size_t> UIView::indexOfSubview(const UIView* view) const {
  for (std::size_t i = 0; i < subviews_.size(); ++i) {
    if (subviews_[i].get() == view) return i;
  }
  return std::nullopt;
}

void UIView::removeSubviewEntry(const UIView* view) {
  if (auto index = indexOfSubview(view)) {
    subviews_.erase(subviews_.begin() + static_cast<std::ptrdiff_t>(*index));
  }
}

void UIView::notifyWillMoveToWindow(UIView& view, UIWindow* window) {
  view.willMoveToWindow(window);
  for (const auto& subview : std::vector(view.subviews_)) {
    notifyWillMoveToWindow(*subview, window);
  }
}

void UIView::notifyDidMoveToWindow(UIView& view) {
  // Leaving the window ends the view's animations, as on the device.
  if (!view.window()) view.layer_->removeAllAnimations();
  view.didMoveToWindow();
  for (const auto& subview : std::vector(view.subviews_)) {
    notifyDidMoveToWindow(*subview);
  }
}

// The subview arguments below are copied first: they may refer to entries of subviews_, which
// the reordering moves.

void UIView::insertSubviewAt(const std::shared_ptr<UIView>& view, std::size_t index) {
  std::shared_ptr<UIView> keep = view;
  if (!keep || isDescendantOfView(keep.get())) return;  // would make a cycle
  if (keep->superview_.lock().get() == this) {
    removeSubviewEntry(keep.get());
    const auto at = static_cast<std::ptrdiff_t>(std::min(index, subviews_.size()));
    subviews_.insert(subviews_.begin() + at, std::move(keep));
    return;
  }
  const auto oldWindow = keep->window();
  const auto newWindow = window();
  const bool windowChanges = oldWindow != newWindow;
  keep->willMoveToSuperview(this);
  if (windowChanges) notifyWillMoveToWindow(*keep, newWindow.get());
  if (auto oldSuperview = keep->superview_.lock()) {
    oldSuperview->willRemoveSubview(keep.get());
    oldSuperview->removeSubviewEntry(keep.get());
  }
  keep->superview_ = std::static_pointer_cast<UIView>(shared_from_this());
  const auto at = static_cast<std::ptrdiff_t>(std::min(index, subviews_.size()));
  subviews_.insert(subviews_.begin() + at, keep);
  if (windowChanges) notifyDidMoveToWindow(*keep);
  keep->didMoveToSuperview();
  didAddSubview(keep.get());
  setNeedsLayout();
}

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
  insertSubviewAt(view, subviews_.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, std::size_t index) {
  insertSubviewAt(view, index);
}

void UIView::insertSubviewAboveSubview(const std::shared_ptr<UIView>& view,
                                       const std::shared_ptr<UIView>& sibling) {
  const std::shared_ptr<UIView> keep = view;
  if (!keep || keep == sibling) return;
  if (keep->superview_.lock().get() == this) removeSubviewEntry(keep.get());
  const auto index = indexOfSubview(sibling.get());
  insertSubviewAt(keep, index ? *index + 1 : subviews_.size());
}

void UIView::insertSubviewBelowSubview(const std::shared_ptr<UIView>& view,
                                       const std::shared_ptr<UIView>& sibling) {
  const std::shared_ptr<UIView> keep = view;
  if (!keep || keep == sibling) return;
  if (keep->superview_.lock().get() == this) removeSubviewEntry(keep.get());
  const auto index = indexOfSubview(sibling.get());
  insertSubviewAt(keep, index ? *index : subviews_.size());
}

void UIView::removeFromSuperview() {
  auto parent = superview_.lock();
  if (!parent) return;
  const auto keep = std::static_pointer_cast<UIView>(shared_from_this());
  const bool inWindow = window() != nullptr;
  willMoveToSuperview(nullptr);
  if (inWindow) notifyWillMoveToWindow(*this, nullptr);
  parent->willRemoveSubview(this);
  parent->removeSubviewEntry(this);
  superview_.reset();
  if (inWindow) notifyDidMoveToWindow(*this);
  didMoveToSuperview();
}

void UIView::bringSubviewToFront(const std::shared_ptr<UIView>& view) {
  const auto index = indexOfSubview(view.get());
  if (!view || !index) return;
  const auto it = subviews_.begin() + static_cast<std::ptrdiff_t>(*index);
  std::rotate(it, it + 1, subviews_.end());
}

void UIView::sendSubviewToBack(const std::shared_ptr<UIView>& view) {
  const auto index = indexOfSubview(view.get());
  if (!view || !index) return;
  const auto it = subviews_.begin() + static_cast<std::ptrdiff_t>(*index);
  std::rotate(subviews_.begin(), it, it + 1);
}

void UIView::exchangeSubviewAtIndex(std::size_t index1, std::size_t index2) {
  if (index1 >= subviews_.size() || index2 >= subviews_.size()) return;
  std::swap(subviews_[index1], subviews_[index2]);
}

std::shared_ptr<UIView> UIView::viewWithTag(long tag) {
  if (tag_ == tag) return std::static_pointer_cast<UIView>(shared_from_this());
  for (const auto& subview : subviews_) {
    if (auto found = subview->viewWithTag(tag)) return found;
  }
  return nullptr;
}

void UIView::willMoveToSuperview(UIView*) {}
void UIView::willMoveToWindow(UIWindow*) {}
void UIView::didAddSubview(UIView*) {}
void UIView::willRemoveSubview(UIView*) {}

void UIView::didMoveToWindow() {
  if (needsLayout_) scheduleLayoutPass();
}

// Layout.

void UIView::layoutSubviews() {
  send<MethodsOf<UIView>::LayoutSubviews>(this);
}

void UIView::setNeedsLayout() {
  needsLayout_ = true;
  scheduleLayoutPass();
}

void UIView::scheduleLayoutPass() {
  auto window = this->window();
  if (!window) return;
  PendingLayout& pending = pendingLayout();
  const bool listed = std::any_of(pending.windows.begin(), pending.windows.end(),
                                  [&](const auto& weak) { return weak.lock() == window; });
  if (!listed) pending.windows.push_back(window);
  if (!pending.queuedPass.expired()) return;
  auto token = std::make_shared<int>(0);
  pending.queuedPass = token;
  RunLoop::main().dispatchAsync([token] {
    pendingLayout().queuedPass.reset();
    layoutAllPending();
  });
}

void UIView::layoutAllPending() {
  const auto windows = std::exchange(pendingLayout().windows, {});
  for (const auto& weak : windows) {
    if (auto window = weak.lock()) window->layoutIfNeeded();
  }
}

void UIView::layoutIfNeeded() {
  const auto keep = weak_from_this().lock();
  if (needsLayout_) {
    needsLayout_ = false;
    const auto controller = viewDelegate_.lock();
    if (controller) controller->viewWillLayoutSubviews();
    layoutSubviews();
    if (controller) controller->viewDidLayoutSubviews();
  }
  for (const auto& subview : std::vector(subviews_)) {
    subview->layoutIfNeeded();
  }
}

CGSize UIView::sizeThatFits(const CGSize&) const {
  return bounds().size;
}

void UIView::sizeToFit() {
  const CGSize size = sizeThatFits(bounds().size);
  setFrame({frame().origin, size});
}

void UIView::draw(CGContext&, const CGRect&) {}

// Coordinates.

CGAffineTransform UIView::transformToRoot(const UIView** root) const {
  CGAffineTransform t;
  const UIView* view = this;
  std::shared_ptr<UIView> holder;
  while (auto parent = view->superview_.lock()) {
    t = CGAffineTransform::concat(t, view->layer_->transformToSuperlayer());
    holder = std::move(parent);
    view = holder.get();
  }
  *root = view;
  return t;
}

CGPoint UIView::convertPointToView(const CGPoint& point, const UIView* view) const {
  const UIView* root = nullptr;
  const CGPoint inRoot = transformToRoot(&root).applyToPoint(point);
  if (view == nullptr) return inRoot;
  return view->transformToRoot(&root).inverted().applyToPoint(inRoot);
}

CGPoint UIView::convertPointFromView(const CGPoint& point, const UIView* view) const {
  if (view != nullptr) return view->convertPointToView(point, this);
  const UIView* root = nullptr;
  return transformToRoot(&root).inverted().applyToPoint(point);
}

CGRect UIView::convertRectToView(const CGRect& rect, const UIView* view) const {
  const UIView* root = nullptr;
  CGAffineTransform t = transformToRoot(&root);
  if (view != nullptr) t = CGAffineTransform::concat(t, view->transformToRoot(&root).inverted());
  return t.applyToRect(rect);
}

CGRect UIView::convertRectFromView(const CGRect& rect, const UIView* view) const {
  if (view != nullptr) return view->convertRectToView(rect, this);
  const UIView* root = nullptr;
  return transformToRoot(&root).inverted().applyToRect(rect);
}

// Gesture recognisers.

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
  if (!recognizer) return;
  if (auto old = recognizer->view()) {
    if (old.get() == this) return;
    old->removeGestureRecognizer(recognizer.get());
  }
  gestureRecognizers_.push_back(recognizer);
  recognizer->attachToView(std::static_pointer_cast<UIView>(shared_from_this()));
}

void UIView::removeGestureRecognizer(const UIGestureRecognizer* recognizer) {
  auto it = std::find_if(gestureRecognizers_.begin(), gestureRecognizers_.end(),
                         [recognizer](const auto& r) { return r.get() == recognizer; });
  if (it == gestureRecognizers_.end()) return;
  const std::shared_ptr<UIGestureRecognizer> removed = *it;
  gestureRecognizers_.erase(it);
  removed->attachToView(nullptr);
}

// Hit testing.

bool UIView::pointInside(const CGPoint& point, Object*) const {
  return bounds().containsPoint(point);
}

std::shared_ptr<UIView> UIView::hitTest(const CGPoint& point, Object* event) {
  if (isHidden() || !userInteractionEnabled_ || alpha() < 0.01 ||
      layer_->hasAnimationBlockingInteraction() || !pointInside(point, event)) {
    return nullptr;
  }
  const auto subviews = subviews_;
  for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
    const CGAffineTransform t = (*it)->layer_->transformToSuperlayer();
    if (!t.isInvertible()) continue;  // collapsed to a line or a point: nothing to hit
    if (auto hit = (*it)->hitTest(t.inverted().applyToPoint(point), event)) return hit;
  }
  return std::static_pointer_cast<UIView>(shared_from_this());
}

// Animations.

void UIView::animateWithDuration(double duration, const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
  UIViewAnimation::animate(duration, 0, 0, animations, std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                 const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
  UIViewAnimation::animate(duration, delay, options, animations, std::move(completion));
}

void UIView::transitionWithView(const std::shared_ptr<UIView>& view, double duration,
                                UIViewAnimationOptions options,
                                const std::function<void()>& animations,
                                std::function<void(bool)> completion) {
  if (!view) {
    UIViewAnimation::animate(0, 0, options, animations, std::move(completion));
    return;
  }
  UIViewAnimation::transition(*view, duration, options, animations, std::move(completion));
}

void UIView::performWithoutAnimation(const std::function<void()>& actions) {
  UIViewAnimation::performWithoutAnimation(actions);
}

CGRect UIView::presentationFrame() const {
  return layer_->presentationFrame();
}
CGRect UIView::presentationBounds() const {
  return layer_->presentationBounds();
}
CGPoint UIView::presentationCenter() const {
  return layer_->presentationPosition();
}
CGAffineTransform UIView::presentationTransform() const {
  return layer_->presentationTransform();
}
double UIView::presentationAlpha() const {
  return layer_->presentationOpacity();
}
std::shared_ptr<UIColor> UIView::presentationBackgroundColor() const {
  return layer_->presentationBackgroundColor();
}
bool UIView::hasRunningAnimations() const {
  return layer_->hasRunningAnimations();
}

bool UIView::isUserInteractionBlockedByAnimation() const {
  if (layer_->hasAnimationBlockingInteraction()) return true;
  for (auto parent = superview_.lock(); parent; parent = parent->superview_.lock()) {
    if (parent->layer_->hasAnimationBlockingInteraction()) return true;
  }
  return false;
}

}  // namespace host
