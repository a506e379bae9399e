#pragma once

#include <memory>

#include "uikit/UIControl.h"

namespace host {

// A horizontal slider as UIKit's: a thin track across the bounds, blue up to the value and grey
// after it, and a round white thumb at the value. Dragging the thumb moves the value along the
// track between the minimum and the maximum and sends value-changed as it moves; a touch that
// does not start on the thumb does nothing. While enabled it keeps its touches from the
// recognisers of the views around it (a table's scrolling, a cell's swipe). Setting the value in
// code sends nothing.
class UISlider : public UIControl {
 public:
  static constexpr double kHeight = 31;
  static constexpr double kThumbSize = 28;

  static Class* objcClass();
  explicit UISlider(Class* cls = objcClass());

  float value() const { return value_; }
  void setValue(float value);  // clamped to the range
  float minimumValue() const { return minimum_; }
  float maximumValue() const { return maximum_; }
  // A range whose maximum is below its minimum is taken as empty at the minimum.
  void setRange(float minimum, float maximum);

  const std::shared_ptr<UIView>& thumbView() const { return thumb_; }
  // Where the thumb's centre is for a value, in the slider's coordinates.
  CGPoint thumbCenterForValue(float value) const;

  CGSize sizeThatFits(const CGSize& size) const override;
  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override;
  bool beginTrackingWithTouch(UITouch& touch, UIEvent* event) override;
  bool continueTrackingWithTouch(UITouch& touch, UIEvent* event) override;
  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void installSubviews();
  void place();
  float valueAtX(double x) const;

  float value_ = 0;
  float minimum_ = 0;
  float maximum_ = 1;
  double grabOffset_ = 0;  // where on the thumb the touch took it
  std::shared_ptr<UIView> minimumTrack_;
  std::shared_ptr<UIView> maximumTrack_;
  std::shared_ptr<UIView> thumb_;
};

}  // namespace host
