#pragma once

#include <memory>
#include <vector>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"

typedef struct _cairo cairo_t;

namespace host {

class Class;

// A path of lines and cubic Bézier curves in points (quadratic curves and arcs are kept as cubic
// curves). Angles are in radians measured from the x axis towards y, which points down, so
// "clockwise" is clockwise on screen. Adding a segment with no current point is ignored, as the
// device ignores it after logging. Filled with the non-zero winding rule unless told otherwise.
class UIBezierPath : public Object {
 public:
  struct Element {
    enum class Type { MoveTo, LineTo, CurveTo, Close };
    Type type;
    CGPoint points[3];  // the end point last: MoveTo/LineTo use [0], CurveTo cp1, cp2, end
  };

  static Class* objcClass();
  explicit UIBezierPath(Class* cls = objcClass());

  static std::shared_ptr<UIBezierPath> bezierPath();
  static std::shared_ptr<UIBezierPath> bezierPathWithRect(CGRect rect);
  // The radius is limited to half the shorter side.
  static std::shared_ptr<UIBezierPath> bezierPathWithRoundedRect(CGRect rect, CGFloat cornerRadius);
  static std::shared_ptr<UIBezierPath> bezierPathWithOvalInRect(CGRect rect);
  static std::shared_ptr<UIBezierPath> bezierPathWithArcCenter(CGPoint center, CGFloat radius,
                                                               CGFloat startAngle, CGFloat endAngle,
                                                               bool clockwise);

  void moveToPoint(CGPoint point);
  void addLineToPoint(CGPoint point);
  void addCurveToPoint(CGPoint end, CGPoint controlPoint1, CGPoint controlPoint2);
  void addQuadCurveToPoint(CGPoint end, CGPoint controlPoint);
  // Lines from the current point to the arc's start (or moves there when there is none). A
  // sweep of a full turn or more draws the whole circle.
  void addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                        bool clockwise);
  void closePath();
  void removeAllPoints();
  void appendPath(const UIBezierPath& other);
  void applyTransform(const CGAffineTransform& transform);

  const std::vector<Element>& elements() const { return elements_; }
  bool isEmpty() const { return elements_.empty(); }
  CGPoint currentPoint() const { return current_; }
  // The box around every point of the path, control points included, as on the device;
  // CGRectNull for an empty path.
  CGRect bounds() const;
  // Whether the point lies in the area the path fills (an open path counts as closed).
  bool containsPoint(CGPoint point) const;

  CGFloat lineWidth() const { return lineWidth_; }
  void setLineWidth(CGFloat width) { lineWidth_ = width; }
  bool usesEvenOddFillRule() const { return evenOdd_; }
  void setUsesEvenOddFillRule(bool evenOdd) { evenOdd_ = evenOdd; }

  // Fill and stroke into the current context (UIGraphicsGetCurrentContext) with its colours and
  // shadow; the stroke with this path's line width. Nothing without a current context.
  void fill() const;
  void stroke() const;

  // Adds the path to a Cairo context's current path (in its user space).
  void appendTo(cairo_t* cr) const;

 private:
  std::vector<Element> elements_;
  CGPoint current_;
  CGPoint subpathStart_;
  bool hasCurrentPoint_ = false;
  CGFloat lineWidth_ = 1;
  bool evenOdd_ = false;
};

}  // namespace host
