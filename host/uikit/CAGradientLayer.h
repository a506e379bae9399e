#pragma once

#include <memory>
#include <vector>

#include "uikit/CALayer.h"

namespace host {

class UIColor;

// A layer filled with a linear gradient: colours at locations (0...1) along the line from
// startPoint to endPoint, in unit coordinates of the bounds (top centre to bottom centre at
// first). Without locations the colours are spread evenly.
class CAGradientLayer : public CALayer {
 public:
  static Class* objcClass();
  explicit CAGradientLayer(Class* cls = objcClass());

  static std::shared_ptr<CAGradientLayer> layer() { return std::make_shared<CAGradientLayer>(); }

  const std::vector<std::shared_ptr<UIColor>>& colors() const { return colors_; }
  void setColors(std::vector<std::shared_ptr<UIColor>> colors) { colors_ = std::move(colors); }
  const std::vector<double>& locations() const { return locations_; }
  void setLocations(std::vector<double> locations) { locations_ = std::move(locations); }
  CGPoint startPoint() const { return startPoint_; }
  void setStartPoint(const CGPoint& point) { startPoint_ = point; }
  CGPoint endPoint() const { return endPoint_; }
  void setEndPoint(const CGPoint& point) { endPoint_ = point; }

  // The location of each colour: the given locations when there is one per colour, otherwise
  // evenly spread from 0 to 1 (as Core Animation does with missing or mismatched locations).
  std::vector<double> effectiveLocations() const;

 private:
  std::vector<std::shared_ptr<UIColor>> colors_;
  std::vector<double> locations_;
  CGPoint startPoint_{0.5, 0};
  CGPoint endPoint_{0.5, 1};
};

}  // namespace host
