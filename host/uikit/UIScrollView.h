#pragma once

#include <memory>

#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"

namespace host {

class DisplayLink;
class UIPanGestureRecognizer;
class UIScrollViewDelegate;

// A view that shows a movable part of a larger content. The content offset is the bounds'
// origin: the point of the content shown at the view's top left.
//
// The user moves the content by dragging: the view's own pan recogniser (panGestureRecognizer,
// on the view once it has a superview) calls beginDrag, dragBy and endDrag, which tests may also
// call directly. Past the ends of the scrollable range a drag moves the content at half speed
// when the view bounces, and stops there otherwise. On release the content glides to its resting
// place on the main run loop's display frames, slowing down exponentially: with paging on, the
// page nearest to the offset carried on by the velocity (a flick turns at most one page from the
// one the drag began on); without, the offset carried on by the velocity. The resting place
// always lies within [-inset, content size - bounds size + inset].
class UIScrollView : public UIView {
 public:
  static Class* objcClass();
  explicit UIScrollView(Class* cls = objcClass());
  ~UIScrollView() override;

  CGSize contentSize() const { return contentSize_; }
  void setContentSize(const CGSize& size);
  CGPoint contentOffset() const { return bounds().origin; }
  // Moves at once (ending any glide or scrolling animation) and tells the delegate.
  void setContentOffset(const CGPoint& offset);
  // Animated: moves over 0.3 s, telling the delegate on every frame, then
  // scrollViewDidEndScrollingAnimation. The offset is taken as given, not clamped.
  void setContentOffset(const CGPoint& offset, bool animated);
  UIEdgeInsets contentInset() const { return contentInset_; }
  void setContentInset(const UIEdgeInsets& inset);

  bool isScrollEnabled() const { return scrollEnabled_; }
  void setScrollEnabled(bool enabled);
  bool isPagingEnabled() const { return pagingEnabled_; }
  void setPagingEnabled(bool enabled) { pagingEnabled_ = enabled; }
  bool bounces() const { return bounces_; }
  void setBounces(bool bounces) { bounces_ = bounces; }
  // An axis scrolls when the content is larger than the view along it, or always when set.
  bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
  void setAlwaysBounceVertical(bool always) { alwaysBounceVertical_ = always; }
  bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
  void setAlwaysBounceHorizontal(bool always) { alwaysBounceHorizontal_ = always; }
  bool showsHorizontalScrollIndicator() const { return showsHorizontalIndicator_; }
  void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontalIndicator_ = shows; }
  bool showsVerticalScrollIndicator() const { return showsVerticalIndicator_; }
  void setShowsVerticalScrollIndicator(bool shows) { showsVerticalIndicator_ = shows; }

  std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(const std::shared_ptr<UIScrollViewDelegate>& delegate) { delegate_ = delegate; }

  bool isDragging() const { return dragging_; }
  bool isDecelerating() const { return motion_ == Motion::Gliding; }
  bool isScrollingAnimated() const { return motion_ == Motion::Animating; }

  // The smallest and largest resting offsets.
  CGPoint minimumContentOffset() const;
  CGPoint maximumContentOffset() const;

  // Dragging. beginDrag answers false (and the drag is ignored) while scrolling is off. The
  // translation is the finger's movement since the drag began; the velocity is the finger's, in
  // points per second.
  bool beginDrag();
  void dragBy(const CGPoint& translation);
  void endDrag(const CGPoint& velocity);
  // Ends a glide or scrolling animation where it is.
  void stopScrolling();

  // The recogniser that drags the content; other code may add requirements or a delegate.
  const std::shared_ptr<UIPanGestureRecognizer>& panGestureRecognizer();

  void didMoveToSuperview() override;

 protected:
  // Called after every change of the content offset, before the delegate hears of it.
  virtual void contentOffsetDidChange() {}
  // Called when a pan of the content ends (before the glide), with the finger's movement and
  // where it lifted, in this view's coordinates.
  virtual void panDidEnd(const CGPoint& /*translation*/, const CGPoint& /*location*/) {}

 private:
  enum class Motion { None, Gliding, Animating };

  void attachPan();
  void handlePan(UIPanGestureRecognizer& pan);

  void applyOffset(const CGPoint& offset);
  bool scrollsHorizontally() const;
  bool scrollsVertically() const;
  CGPoint clampedOffset(const CGPoint& offset) const;
  CGPoint restingOffset(const CGPoint& velocity) const;
  CGPoint pagedOffset(const CGPoint& velocity) const;
  void startMotion(Motion motion, const CGPoint& target, double duration);
  void step();
  void endMotion();

  CGSize contentSize_;
  UIEdgeInsets contentInset_;
  bool scrollEnabled_ = true;
  bool pagingEnabled_ = false;
  bool bounces_ = true;
  bool alwaysBounceVertical_ = false;
  bool alwaysBounceHorizontal_ = false;
  bool showsHorizontalIndicator_ = true;
  bool showsVerticalIndicator_ = true;
  std::weak_ptr<UIScrollViewDelegate> delegate_;

  bool dragging_ = false;
  CGPoint dragStartOffset_;
  Motion motion_ = Motion::None;
  CGPoint motionFrom_;
  CGPoint motionTo_;
  double motionStart_ = 0;
  double motionDuration_ = 0;  // the animation's length, or the glide's time constant
  std::shared_ptr<DisplayLink> link_;
  std::shared_ptr<UIPanGestureRecognizer> pan_;
};

}  // namespace host
