#pragma once

#include <string>

#include "uikit/UIView.h"

namespace host {

// The drawn glyph of a cell's standard accessory: the grey chevron of a disclosure indicator or
// the tinted tick of a checkmark, drawn in the view's bounds. Its layer is named after the
// accessory ("UITableViewCellDisclosureIndicator", "UITableViewCellCheckmark") so that dumps and
// tests can find it.
class UITableViewCellAccessoryGlyph : public UIView {
 public:
  enum class Shape { Chevron, Checkmark };

  static Class* objcClass();
  explicit UITableViewCellAccessoryGlyph(Class* cls = objcClass());

  static std::shared_ptr<UITableViewCellAccessoryGlyph> make(Shape shape, const std::string& name,
                                                             const CGRect& frame);
  Shape shape() const { return shape_; }

  bool hasCustomDrawing() const override { return true; }
  void drawRect(const CGRect& rect) override;

 private:
  Shape shape_ = Shape::Chevron;
};

}  // namespace host
