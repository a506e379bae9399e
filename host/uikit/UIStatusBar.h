#pragma once

#include <memory>

#include "uikit/UIView.h"

namespace host {

class UILabel;

// The status bar across the top of the screen: the carrier and signal on the left, the time in
// the middle, the battery on the right, in black on the page beneath. It belongs to the
// application (`UIApplication::statusBar`), not to a window: screenshots draw it over the key
// window, and its alpha hides it as on a device.
class UIStatusBar : public UIView {
 public:
  static constexpr const char* kTime = "9:41 AM";
  static constexpr const char* kCarrier = "Carrier";

  static Class* objcClass();
  explicit UIStatusBar(Class* cls = objcClass());

  // Black content for light pages (the default); white over a dark picture (the home screen).
  bool isLightContent() const { return lightContent_; }
  void setLightContent(bool light);

 protected:
  void layoutSubviewsImpl() override;

 private:
  void build();
  void applyColour();

  std::shared_ptr<UIView> signal_;
  std::shared_ptr<UILabel> carrier_;
  std::shared_ptr<UILabel> time_;
  std::shared_ptr<UIView> battery_;
  std::shared_ptr<UIView> batteryFill_;
  std::shared_ptr<UIView> batteryTip_;
  bool lightContent_ = false;
};

}  // namespace host
