#include "uikit/UIGlyphView.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"
#include "uikit/CALayer.h"
#include "uikit/CGContext.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIColor.h"
#include "uikit/UIGraphics.h"

namespace host {

HOST_CLASS(UIGlyphView, UIView)

UIGlyphView::UIGlyphView(Class* cls) : UIView(cls) {}

std::shared_ptr<UIGlyphView> UIGlyphView::make(Shape shape, const std::string& name,
                                               const CGRect& frame) {
  auto glyph = std::make_shared<UIGlyphView>();
  glyph->shape_ = shape;
  glyph->layer()->setName(name);
  glyph->setFrame(frame);
  return glyph;
}

void UIGlyphView::draw(CGContext& context, const CGRect& rect) {
  UIGraphicsDrawAsLayerContents(context, rect, [&] { drawGlyph(rect); });
}

void UIGlyphView::drawGlyph(const CGRect& rect) {
  const auto context = UIGraphicsGetCurrentContext();
  if (!context) return;
  const CGFloat w = rect.size.width;
  const CGFloat h = rect.size.height;
  auto path = UIBezierPath::bezierPath();
  if (shape_ == Shape::Chevron) {
    // iOS's chevron: two strokes meeting at the right, light grey.
    path->moveToPoint(CGPointMake(rect.origin.x + 1.5, rect.origin.y + 1.5));
    path->addLineToPoint(CGPointMake(rect.origin.x + w - 1.5, rect.origin.y + h / 2));
    path->addLineToPoint(CGPointMake(rect.origin.x + 1.5, rect.origin.y + h - 1.5));
    context->setStrokeColor(*UIColor::colorWithRed(199 / 255.0, 199 / 255.0, 204 / 255.0, 1));
  } else if (shape_ == Shape::BackChevron) {
    path->moveToPoint(CGPointMake(rect.origin.x + w - 1.5, rect.origin.y + 1.5));
    path->addLineToPoint(CGPointMake(rect.origin.x + 1.5, rect.origin.y + h / 2));
    path->addLineToPoint(CGPointMake(rect.origin.x + w - 1.5, rect.origin.y + h - 1.5));
    context->setStrokeColor(*tintColor());
    path->setLineWidth(3);
    path->stroke();
    return;
  } else {
    path->moveToPoint(CGPointMake(rect.origin.x + 1, rect.origin.y + h * 0.55));
    path->addLineToPoint(CGPointMake(rect.origin.x + w * 0.38, rect.origin.y + h - 1));
    path->addLineToPoint(CGPointMake(rect.origin.x + w - 1, rect.origin.y + 1));
    context->setStrokeColor(*tintColor());
  }
  path->setLineWidth(2);
  path->stroke();
}

}  // namespace host
