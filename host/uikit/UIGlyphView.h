#pragma once

#include <string>

#include "uikit/UIView.h"

namespace host {

// A small drawn glyph filling the view's bounds: the grey chevron of a cell's disclosure
// indicator, the tinted tick of a checkmark, the tinted back chevron of a navigation bar's back
// button. Its layer carries the name of what it stands for ("UITableViewCellDisclosureIndicator",
// "UITableViewCellCheckmark", "UINavigationBarBackIndicatorView") so that dumps and tests can
// find it.
class UIGlyphView : public UIView {
 public:
  enum class Shape { Chevron, Checkmark, BackChevron };

  static Class* objcClass();
  explicit UIGlyphView(Class* cls = objcClass());

  static std::shared_ptr<UIGlyphView> make(Shape shape, const std::string& name,
                                           const CGRect& frame);
  Shape shape() const { return shape_; }

  // The glyph, drawn as the layer's contents.
  void draw(CGContext& context, const CGRect& rect) override;

 private:
  void drawGlyph(const CGRect& rect);

  Shape shape_ = Shape::Chevron;
};

}  // namespace host
