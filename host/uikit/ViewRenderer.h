#pragma once

#include <memory>
#include <string>
#include <vector>

#include "uikit/CGGeometry.h"

typedef struct _cairo_surface cairo_surface_t;

namespace host {

class CGContext;
class UIImage;
class UIView;

// Draws a view tree as the screen shows it now: the presentation values (frame, bounds,
// transform, alpha, background colour) at the main run loop's current time. Pending layout is
// done first, as the device lays out before it draws a frame.
//
// Each view: hidden views and views with alpha below 0.01 are skipped with their subviews. A
// view is placed by its centre, transform (about the anchor point) and bounds; its bounds' origin
// moves its content (a scroll view's offset). Then, back to front: the layer's shadow (from its
// shadow path, else from what the view draws; none when it clips to its bounds), the blurred
// backdrop of a visual effect view, the background colour filling the bounds rounded by the
// corner radius, the view's own content (what UIView::draw draws: a label's text, an image
// view's image, a glyph), the subviews in order (those with a higher layer zPosition later),
// clipped to the rounded bounds when the view clips, and the border on top, inside the bounds. A
// view with alpha below 1 is drawn as a group at that opacity, and a mask layer (a plain layer's
// background, or a gradient layer's colours) masks it by its alpha.
//
// A visual effect view blurs what was drawn before it; under an ancestor drawn as a group (one
// with alpha below 1, a shadow or a mask) that is only what the ancestor drew so far.
class ViewRenderer {
 public:
  // `scale` pixels a point; anything not positive takes the main screen's.
  explicit ViewRenderer(CGFloat scale = 0);

  CGFloat scale() const { return scale_; }

  // The view (a window or any view) and its subviews in an image of its bounds' size, at the
  // scale, with the bounds' origin at the top left; its own position and transform are left out.
  // Nothing for no view, or a view with no pixels.
  // `overlays` (views outside the tree, such as the status bar) are drawn over it, each at its
  // frame's origin in the view's coordinates.
  std::shared_ptr<UIImage> renderToImage(
      const std::shared_ptr<UIView>& view,
      const std::vector<std::shared_ptr<UIView>>& overlays = {}) const;
  // Writes that image as a PNG file at a path of this machine. False when there is nothing to
  // write or the file cannot be written.
  bool writePng(const std::shared_ptr<UIView>& view, const std::string& hostPath,
                const std::vector<std::shared_ptr<UIView>>& overlays = {}) const;
  // Draws the view as the top of a tree into the context's current user space (no layout).
  void drawTree(CGContext& context, UIView& view) const;

 private:
  // The drawing renderToImage shows, in a surface of its own; nothing where it would answer nil.
  std::shared_ptr<cairo_surface_t> renderToSurface(
      const std::shared_ptr<UIView>& view,
      const std::vector<std::shared_ptr<UIView>>& overlays) const;
  void drawView(CGContext& context, UIView& view, bool root) const;
  void drawLayerContents(CGContext& context, UIView& view, const CGRect& bounds) const;

  CGFloat scale_;
};

}  // namespace host
