#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"
#include "uikit/PropertyAnimation.h"

namespace host {

class AnimationTransaction;
class UIBezierPath;
class UIColor;
class UIView;

// The layer behind a view, or a free-standing one (a mask). A view's geometry, opacity and
// background colour live here, as in Core Animation: the layer's position is the view's centre,
// expressed in the superview's coordinates, and sits at the anchor point of the bounds.
//
// The model values are what the setters set. A layer of a view inside an animation block also
// keeps the running animations, through which the presentation values (what the screen shows at
// the run loop's current time) move towards the model values. Free-standing layers never animate.
class CALayer : public Object {
 public:
  static Class* objcClass();
  explicit CALayer(Class* cls = objcClass());
  ~CALayer() override;

  // Maps a layer's bounds coordinates into its superlayer's: the transform applied about the
  // anchor point, then moved to the position.
  static CGAffineTransform layerToSuperlayer(const CGRect& bounds, const CGPoint& position,
                                             const CGPoint& anchor,
                                             const CGAffineTransform& transform);

  static std::shared_ptr<CALayer> layer() { return std::make_shared<CALayer>(); }

  // The view this layer belongs to; nothing for a free-standing layer or once the view is gone.
  std::shared_ptr<UIView> delegate() const;

  // Geometry.
  CGRect bounds() const { return bounds_; }
  void setBounds(const CGRect& bounds);
  CGPoint position() const { return position_; }
  void setPosition(const CGPoint& position);
  CGPoint anchorPoint() const { return anchorPoint_; }  // unit coordinates, (0.5, 0.5) at first
  void setAnchorPoint(const CGPoint& anchorPoint);
  CGAffineTransform affineTransform() const { return transform_; }
  void setAffineTransform(const CGAffineTransform& transform);
  // The bounding box of the transformed bounds in the superlayer's coordinates. Setting it with a
  // transform that keeps the axes (scale, translation) sets the untransformed size that yields
  // the frame; with a rotation or shear only the position moves, the bounds keep their size.
  CGRect frame() const;
  void setFrame(const CGRect& frame);
  // Maps this layer's coordinates into its superlayer's.
  CGAffineTransform transformToSuperlayer() const;
  double zPosition() const { return zPosition_; }
  void setZPosition(double zPosition) { zPosition_ = zPosition; }

  // Appearance.
  double opacity() const { return opacity_; }
  void setOpacity(double opacity);
  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden) { hidden_ = hidden; }
  const std::shared_ptr<UIColor>& backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(std::shared_ptr<UIColor> color);
  double cornerRadius() const { return cornerRadius_; }
  void setCornerRadius(double radius) { cornerRadius_ = radius; }
  bool masksToBounds() const { return masksToBounds_; }
  void setMasksToBounds(bool masks) { masksToBounds_ = masks; }
  double borderWidth() const { return borderWidth_; }
  void setBorderWidth(double width) { borderWidth_ = width; }
  const std::shared_ptr<UIColor>& borderColor() const { return borderColor_; }
  void setBorderColor(std::shared_ptr<UIColor> color) { borderColor_ = std::move(color); }
  const std::shared_ptr<UIColor>& shadowColor() const { return shadowColor_; }
  void setShadowColor(std::shared_ptr<UIColor> color) { shadowColor_ = std::move(color); }
  CGSize shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(const CGSize& offset) { shadowOffset_ = offset; }
  double shadowOpacity() const { return shadowOpacity_; }
  void setShadowOpacity(double opacity) { shadowOpacity_ = opacity; }
  double shadowRadius() const { return shadowRadius_; }
  void setShadowRadius(double radius) { shadowRadius_ = radius; }
  const std::shared_ptr<UIBezierPath>& shadowPath() const { return shadowPath_; }
  void setShadowPath(std::shared_ptr<UIBezierPath> path) { shadowPath_ = std::move(path); }
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  // A layer whose alpha masks this one's contents, in this layer's coordinates.
  const std::shared_ptr<CALayer>& mask() const { return mask_; }
  void setMask(std::shared_ptr<CALayer> mask);
  bool shouldRasterize() const { return shouldRasterize_; }
  void setShouldRasterize(bool rasterize) { shouldRasterize_ = rasterize; }
  double rasterizationScale() const { return rasterizationScale_; }
  void setRasterizationScale(double scale) { rasterizationScale_ = scale; }

  // Presentation values at the run loop's current time.
  CGRect presentationBounds() const;
  CGPoint presentationPosition() const;
  CGAffineTransform presentationTransform() const;
  double presentationOpacity() const;
  std::shared_ptr<UIColor> presentationBackgroundColor() const;
  CGRect presentationFrame() const;

  // Animations.
  bool hasRunningAnimations() const;
  bool hasAnimation(AnimatedProperty property) const;
  // Whether a running animation (or one waiting for its delay) was started without
  // UIViewAnimationOptionAllowUserInteraction.
  bool hasAnimationBlockingInteraction() const;
  // The fraction of a running cross-dissolve shown now; nothing when none runs.
  std::shared_ptr<const PropertyAnimation> runningTransition() const;
  // Ends every animation at once: the presentation snaps to the model, and the blocks they
  // belonged to complete with finished = false.
  void removeAllAnimations();

  // Used by the animation machinery.
  void addAnimation(AnimatedProperty property, const AnimatedValue& from, const AnimatedValue& to);
  void forgetAnimationsOf(const AnimationTransaction& transaction);

 private:
  friend class UIView;
  AnimatedValue modelValue(AnimatedProperty property) const;
  AnimatedValue presentationValue(AnimatedProperty property) const;
  // After a model value changed from `before` (its presentation value then): animates the
  // change inside an animation block, otherwise ends a running animation of the property.
  void didChange(AnimatedProperty property, const AnimatedValue& before);
  void stopAnimation(AnimatedProperty property);

  UIView* view_ = nullptr;  // set and cleared by the owning view

  CGRect bounds_;
  CGPoint position_;
  CGPoint anchorPoint_{0.5, 0.5};
  CGAffineTransform transform_;
  double zPosition_ = 0;
  double opacity_ = 1;
  bool hidden_ = false;
  std::shared_ptr<UIColor> backgroundColor_;
  double cornerRadius_ = 0;
  bool masksToBounds_ = false;
  double borderWidth_ = 0;
  std::shared_ptr<UIColor> borderColor_;
  std::shared_ptr<UIColor> shadowColor_;
  CGSize shadowOffset_{0, -3};
  double shadowOpacity_ = 0;
  double shadowRadius_ = 3;
  std::shared_ptr<UIBezierPath> shadowPath_;
  std::string name_;
  std::shared_ptr<CALayer> mask_;
  bool shouldRasterize_ = false;
  double rasterizationScale_ = 1;

  std::map<AnimatedProperty, std::shared_ptr<const PropertyAnimation>> animations_;
};

}  // namespace host
