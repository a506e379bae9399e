#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "uikit/CGGeometry.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace host {

class UIBezierPath;
class UIColor;
class UIImage;

// A Core-Graphics-like drawing context over a Cairo image surface. User space is in points with
// the origin at the top left and y growing downwards (UIKit's view of a context); `scale` pixels
// make a point. As in Core Graphics the graphics state (transform, colours, line width, shadow,
// clip) is saved and restored as a whole, and the current path is not part of it.
//
// Shadows: while a shadow is set, every drawing operation first draws its coverage into a
// scratch mask, blurs it (three box passes approximating a Gaussian of half the blur radius),
// paints it in the shadow colour at the offset, and then draws itself. Offset and blur are in
// points of the unscaled context (base space): they ignore the transform, as on the device.
class CGContext {
 public:
  CGContext(cairo_surface_t* surface, CGFloat scale);
  ~CGContext();
  CGContext(const CGContext&) = delete;
  CGContext& operator=(const CGContext&) = delete;

  cairo_t* cairo() const { return cr_; }
  cairo_surface_t* surface() const;
  CGFloat scale() const { return scale_; }

  void saveGState();
  // An unbalanced restore is ignored.
  void restoreGState();

  void translateCTM(CGFloat tx, CGFloat ty);
  void rotateCTM(CGFloat radians);
  void scaleCTM(CGFloat sx, CGFloat sy);
  void concatCTM(const CGAffineTransform& transform);

  // A nil or fully transparent colour, or a zero offset with zero blur, turns the shadow off.
  void setShadowWithColor(CGSize offset, CGFloat blur, const std::shared_ptr<UIColor>& color);
  void setFillColor(const UIColor& color);
  void setStrokeColor(const UIColor& color);
  void setLineWidth(CGFloat width);
  // Multiplies everything drawn (fills, strokes, images, shadows).
  void setAlpha(CGFloat alpha);

  void beginPath();
  void addPath(const UIBezierPath& path);
  void addRect(CGRect rect);
  // These consume the current path, as in Core Graphics.
  void fillPath();
  void eoFillPath();
  void strokePath();
  void clip();
  void fillRect(CGRect rect);
  void strokeRect(CGRect rect);
  // Draws an image scaled into a rectangle, upright (as UIImage's drawInRect:). A template image
  // is drawn as a mask in the fill colour.
  void drawImage(CGRect rect, const UIImage& image);

  // Runs a drawing operation with the shadow: `paint` is called for the scratch mask (when a
  // shadow is set) and then for this context, each time with the current path, transform and
  // line settings in place. For drawing that the operations above do not cover (text).
  void drawWithShadow(const std::function<void(cairo_t*)>& paint);

 private:
  struct Rgba {
    double red = 0, green = 0, blue = 0, alpha = 1;
  };
  struct GState {
    Rgba fill;
    Rgba stroke;
    double alpha = 1;
    bool shadow = false;
    CGSize shadowOffset;
    CGFloat shadowBlur = 0;
    Rgba shadowColor;
  };

  void setSource(cairo_t* cr, const Rgba& color) const;
  void paintShadow(const std::function<void(cairo_t*)>& paint);

  cairo_t* cr_;
  CGFloat scale_;
  GState state_;
  std::vector<GState> saved_;
};

}  // namespace host
