#pragma once

#include <functional>
#include <memory>

#include "uikit/CGGeometry.h"

namespace host {

class CGContext;
class UIImage;

// The process-wide stack of current drawing contexts (main thread only). Drawing as a layer's
// contents pushes its own context, and image contexts are pushed by
// UIGraphicsBeginImageContextWithOptions.

// The context on top of the stack; nullptr when there is none.
std::shared_ptr<CGContext> UIGraphicsGetCurrentContext();
void UIGraphicsPushContext(std::shared_ptr<CGContext> context);
// Pops the top context; nothing happens when the stack is empty.
void UIGraphicsPopContext();

// Pushes a new image context of `size` points at `scale` pixels a point (0: the main screen's,
// see UIGraphicsSetMainScreenScale), transparent unless opaque (then black, without alpha).
// Pushes nothing when the size has no pixels or is too large to allocate.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
void UIGraphicsBeginImageContext(CGSize size);
// A snapshot of the image context on top of the stack; nullptr when the top is not one.
std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
// Pops the top context if it is an image context.
void UIGraphicsEndImageContext();

// Draws as a layer's contents, for a view that draws UIKit's way (drawRect: with the current
// context): runs `draw` with a new context current over a transparent image of `rect` at
// `context`'s scale, in the same coordinates as `rect`, then draws that image in place into
// `context`. What `draw` draws outside `rect` is cut off. Nothing is drawn for a rectangle
// without pixels or too large for an image.
void UIGraphicsDrawAsLayerContents(CGContext& context, const CGRect& rect,
                                   const std::function<void()>& draw);

// The scale that image contexts made with scale 0 use (2 until the screen sets it).
CGFloat UIGraphicsMainScreenScale();
void UIGraphicsSetMainScreenScale(CGFloat scale);

}  // namespace host
