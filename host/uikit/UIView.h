#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uikit/CGGeometry.h"
#include "uikit/UIResponder.h"
#include "uikit/UIViewAnimation.h"

namespace host {

class CALayer;
class CGContext;
class UIColor;
class UIGestureRecognizer;
class UIViewController;
class UIWindow;

enum UIViewContentMode {
  UIViewContentModeScaleToFill,
  UIViewContentModeScaleAspectFit,
  UIViewContentModeScaleAspectFill,
  UIViewContentModeRedraw,
  UIViewContentModeCenter,
  UIViewContentModeTop,
  UIViewContentModeBottom,
  UIViewContentModeLeft,
  UIViewContentModeRight,
  UIViewContentModeTopLeft,
  UIViewContentModeTopRight,
  UIViewContentModeBottomLeft,
  UIViewContentModeBottomRight,
};

// A rectangle on screen and the root of every control. It owns its subviews (back to front) and
// its layer, which holds its geometry, opacity and background colour; the superview is weak.
//
// Layout: "layoutSubviews" is dispatched through the runtime, so hooks on it (on any class) see
// every layout pass. A view needs layout when created, when its bounds change size, when it
// gains a subview and after setNeedsLayout. layoutIfNeeded lays the view out, then its subviews,
// recursively. setNeedsLayout on a view in a window also queues one layout pass of the pending
// windows on the main queue, as the device's run loop does before drawing; the simulator may
// call layoutAllPending() itself before each frame.
class UIView : public UIResponder {
 public:
  static Class* objcClass();
  explicit UIView(Class* cls = objcClass());
  ~UIView() override;

  std::shared_ptr<UIResponder> nextResponder() const override;

  // Geometry (model values). The frame is the bounding box of the bounds transformed about the
  // centre, in the superview's coordinates.
  CGRect frame() const;
  void setFrame(const CGRect& frame);
  CGRect bounds() const;
  void setBounds(const CGRect& bounds);  // its origin is the top left of what the view shows
  CGPoint center() const;
  void setCenter(const CGPoint& center);
  CGAffineTransform transform() const;
  void setTransform(const CGAffineTransform& transform);

  // Appearance.
  double alpha() const;
  void setAlpha(double alpha);
  bool isHidden() const;
  void setHidden(bool hidden);
  std::shared_ptr<UIColor> backgroundColor() const;
  void setBackgroundColor(std::shared_ptr<UIColor> color);
  // The view's own tint colour, else its superview's, else the system blue.
  std::shared_ptr<UIColor> tintColor() const;
  void setTintColor(std::shared_ptr<UIColor> color) { tintColor_ = std::move(color); }
  bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
  void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
  bool clipsToBounds() const;  // the layer's masksToBounds
  void setClipsToBounds(bool clips);
  UIViewContentMode contentMode() const { return contentMode_; }
  void setContentMode(UIViewContentMode mode) { contentMode_ = mode; }
  long tag() const { return tag_; }
  void setTag(long tag) { tag_ = tag; }
  // What VoiceOver reads for the view; controls that show no text carry one. The simulator's
  // scripts find views by it as they find them by their text.
  const std::string& accessibilityLabel() const { return accessibilityLabel_; }
  void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }
  const std::shared_ptr<CALayer>& layer() const { return layer_; }

  // The hierarchy.
  std::shared_ptr<UIView> superview() const { return superview_.lock(); }
  const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
  // The window at the top of the view's tree; nothing when the tree has none.
  std::shared_ptr<UIWindow> window() const;
  // Adding a view takes it from its old superview; adding a subview again brings it to the
  // front. A view cannot be added to itself or to one of its own subviews (nothing happens).
  void addSubview(const std::shared_ptr<UIView>& view);
  void insertSubview(const std::shared_ptr<UIView>& view, std::size_t index);
  void insertSubviewAboveSubview(const std::shared_ptr<UIView>& view,
                                 const std::shared_ptr<UIView>& sibling);
  void insertSubviewBelowSubview(const std::shared_ptr<UIView>& view,
                                 const std::shared_ptr<UIView>& sibling);
  void removeFromSuperview();
  void bringSubviewToFront(const std::shared_ptr<UIView>& view);
  void sendSubviewToBack(const std::shared_ptr<UIView>& view);
  void exchangeSubviewAtIndex(std::size_t index1, std::size_t index2);
  // This view if it has the tag, else the first match depth first.
  std::shared_ptr<UIView> viewWithTag(long tag);
  bool isDescendantOfView(const UIView* view) const;  // true for the view itself

  // The view controller whose view this is (weak; set by the controller): next in the responder
  // chain, and told before and after each layout pass of the view.
  std::shared_ptr<UIViewController> viewDelegate() const { return viewDelegate_.lock(); }
  void setViewDelegate(const std::shared_ptr<UIViewController>& controller) {
    viewDelegate_ = controller;
  }

  // Gesture recognisers, held by the view (each knows its view weakly). Adding one that is on
  // another view moves it here.
  const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
    return gestureRecognizers_;
  }
  void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
  void removeGestureRecognizer(const UIGestureRecognizer* recognizer);

  // Hierarchy notifications for subclasses.
  virtual void willMoveToSuperview(UIView* newSuperview);
  virtual void didMoveToSuperview() {}
  virtual void willMoveToWindow(UIWindow* newWindow);
  virtual void didMoveToWindow();
  virtual void didAddSubview(UIView* subview);
  virtual void willRemoveSubview(UIView* subview);

  // Layout.
  void layoutSubviews();  // sends "layoutSubviews"
  void setNeedsLayout();
  bool needsLayout() const { return needsLayout_; }
  void layoutIfNeeded();
  static void layoutAllPending();
  virtual CGSize sizeThatFits(const CGSize& size) const;  // the current size unless overridden
  void sizeToFit();                                       // keeps the frame's origin

  // Drawing, by the renderer (drawRect: on the device): a view draws its own content into
  // `context`, in its bounds' coordinates, with `rect` its bounds; the background is drawn before
  // and the subviews after. A plain view draws nothing. The renderer clears needsDisplay once it
  // has drawn.
  virtual void draw(CGContext& context, const CGRect& rect);
  void setNeedsDisplay() { needsDisplay_ = true; }
  bool needsDisplay() const { return needsDisplay_; }
  void clearNeedsDisplay() { needsDisplay_ = false; }

  // Coordinates. `view` nullptr stands for the window (or the top of the tree without one).
  // Views of different trees are taken as having their tops at the same place.
  CGPoint convertPointToView(const CGPoint& point, const UIView* view) const;
  CGPoint convertPointFromView(const CGPoint& point, const UIView* view) const;
  CGRect convertRectToView(const CGRect& rect, const UIView* view) const;  // bounding box
  CGRect convertRectFromView(const CGRect& rect, const UIView* view) const;

  // Hit testing, in this view's coordinates, on model values. Hidden views, views with alpha
  // below 0.01, views without user interaction and views running an animation that does not
  // allow user interaction are not hit, nor are their subviews.
  virtual std::shared_ptr<UIView> hitTest(const CGPoint& point, Object* event = nullptr);
  virtual bool pointInside(const CGPoint& point, Object* event = nullptr) const;

  // Animations (see UIViewAnimation).
  static void animateWithDuration(double duration, const std::function<void()>& animations,
                                  std::function<void(bool)> completion = {});
  static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                  const std::function<void()>& animations,
                                  std::function<void(bool)> completion = {});
  static void transitionWithView(const std::shared_ptr<UIView>& view, double duration,
                                 UIViewAnimationOptions options,
                                 const std::function<void()>& animations,
                                 std::function<void(bool)> completion = {});
  static void performWithoutAnimation(const std::function<void()>& actions);

  // What the screen shows now, at the main run loop's time.
  CGRect presentationFrame() const;
  CGRect presentationBounds() const;
  CGPoint presentationCenter() const;
  CGAffineTransform presentationTransform() const;
  double presentationAlpha() const;
  std::shared_ptr<UIColor> presentationBackgroundColor() const;
  bool hasRunningAnimations() const;
  // Touches to a view are ignored while it or an ancestor runs an animation started without
  // UIViewAnimationOptionAllowUserInteraction.
  bool isUserInteractionBlockedByAnimation() const;

 protected:
  // The implementation behind "layoutSubviews"; subclasses override this.
  virtual void layoutSubviewsImpl() {}

 private:
  void insertSubviewAt(const std::shared_ptr<UIView>& view, std::size_t index);
  std::optional<std::size_t> indexOfSubview(const UIView* view) const;
  void removeSubviewEntry(const UIView* view);
  // Maps this view's coordinates to those of the top of its tree, which it names.
  CGAffineTransform transformToRoot(const UIView** root) const;
  void scheduleLayoutPass();
  static void notifyWillMoveToWindow(UIView& view, UIWindow* window);
  static void notifyDidMoveToWindow(UIView& view);

  std::shared_ptr<CALayer> layer_;
  std::weak_ptr<UIView> superview_;
  std::weak_ptr<UIViewController> viewDelegate_;
  std::vector<std::shared_ptr<UIView>> subviews_;
  std::vector<std::shared_ptr<UIGestureRecognizer>> gestureRecognizers_;
  std::shared_ptr<UIColor> tintColor_;
  bool userInteractionEnabled_ = true;
  UIViewContentMode contentMode_ = UIViewContentModeScaleToFill;
  long tag_ = 0;
  std::string accessibilityLabel_;
  bool needsLayout_ = true;
  bool needsDisplay_ = true;
};

}  // namespace host
