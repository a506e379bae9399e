#pragma once

#include <memory>

#include "uikit/UIControl.h"

namespace host {

class UIColor;

// An on/off switch, 51 x 31 points as UIKit's (its starting size and what sizeThatFits answers;
// the track and thumb keep that size at its top left): a rounded track, filled with the on-tint
// colour when on, and a white thumb at the end of its state. A tap (touch-up-inside) flips it,
// animated, and sends value-changed once; setting the state in code sends nothing.
class UISwitch : public UIControl {
 public:
  static constexpr CGSize kSize{51, 31};
  static constexpr double kAnimationDuration = 0.25;

  static Class* objcClass();
  explicit UISwitch(Class* cls = objcClass());
  ~UISwitch() override;

  bool isOn() const { return on_; }
  void setOn(bool on) { setOn(on, false); }
  void setOn(bool on, bool animated);

  // The track's colour when on: UIKit's green unless set.
  std::shared_ptr<UIColor> onTintColor() const;
  void setOnTintColor(std::shared_ptr<UIColor> color);
  std::shared_ptr<UIColor> thumbTintColor() const;  // white unless set
  void setThumbTintColor(std::shared_ptr<UIColor> color);

  const std::shared_ptr<UIView>& trackView() const { return track_; }
  const std::shared_ptr<UIView>& thumbView() const { return thumb_; }

  CGSize sizeThatFits(const CGSize& size) const override;
  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override {
    return !keepsSingleTapFrom(recognizer);
  }
  void didMoveToSuperview() override;
  void endTrackingWithTouch(UITouch* touch, UIEvent* event) override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void applyAppearance();
  void installSubviews();

  bool on_ = false;
  std::shared_ptr<UIColor> onTintColor_;
  std::shared_ptr<UIColor> thumbTintColor_;
  std::shared_ptr<UIView> track_;
  std::shared_ptr<UIView> thumb_;
};

}  // namespace host
