#pragma once

#include <memory>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"

namespace host {

// The device's screen: an iPhone 7 (375 × 667 points at scale 2) unless the simulator sets
// another.
class UIScreen : public Object {
 public:
  static Class* objcClass();
  explicit UIScreen(Class* cls = objcClass());

  static const std::shared_ptr<UIScreen>& mainScreen();

  CGRect bounds() const { return bounds_; }
  void setBounds(const CGRect& bounds) { bounds_ = bounds; }
  double scale() const { return scale_; }
  void setScale(double scale) { scale_ = scale > 0 ? scale : 1; }

 private:
  CGRect bounds_ = CGRectMake(0, 0, 375, 667);
  double scale_ = 2;
};

}  // namespace host
