#include "uikit/CAGradientLayer.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(CAGradientLayer, CALayer)

CAGradientLayer::CAGradientLayer(Class* cls) : CALayer(cls) {}

std::vector<double> CAGradientLayer::effectiveLocations() const {
  if (locations_.size() == colors_.size()) return locations_;
  std::vector<double> out;
  const std::size_t n = colors_.size();
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(n == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(n - 1));
  }
  return out;
}

}  // namespace host
