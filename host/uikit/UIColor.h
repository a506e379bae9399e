#pragma once

#include <memory>

#include "runtime/Object.h"

namespace host {

class Class;

// A colour as RGBA components in the extended sRGB space. Components are kept as given, so
// values outside 0...1 (wide-gamut colours) survive. Colours are immutable; the class operations
// make a new one.
class UIColor : public Object {
 public:
  // The runtime class "UIColor".
  static Class* objcClass();

  // A transparent black colour (all components 0), as an object made by name starts out.
  explicit UIColor(Class* cls = objcClass());

  static std::shared_ptr<UIColor> colorWithRed(double red, double green, double blue, double alpha);
  static std::shared_ptr<UIColor> colorWithWhite(double white, double alpha);
  static std::shared_ptr<UIColor> clearColor();
  static std::shared_ptr<UIColor> whiteColor();
  static std::shared_ptr<UIColor> blackColor();

  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  double alpha() const { return alpha_; }

  // Same components, exactly.
  bool isEqual(const UIColor& other) const;

 private:
  double red_ = 0;
  double green_ = 0;
  double blue_ = 0;
  double alpha_ = 0;
};

}  // namespace host
