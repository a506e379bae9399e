#pragma once

#include <functional>
#include <memory>
#include <string>

#include "uikit/UIControl.h"

namespace host {

class UIImage;
class UIImageView;
class UILabel;

// One app on the home screen: its rounded icon with its name in white below. A tap asks
// SpringBoard to open the app (the open action, given the app's bundle identifier).
class SBIconView : public UIControl {
 public:
  static constexpr double kIconSize = 60;
  static constexpr double kWidth = 76;
  static constexpr double kHeight = 80;

  static Class* objcClass();
  explicit SBIconView(Class* cls = objcClass());

  static std::shared_ptr<SBIconView> make(std::string bundleIdentifier, std::string name,
                                          std::shared_ptr<UIImage> icon);
  const std::string& bundleIdentifier() const { return bundleIdentifier_; }
  const std::shared_ptr<UILabel>& label() const { return label_; }
  void setOpenAction(std::function<void(const std::string&)> action) {
    openAction_ = std::move(action);
  }

  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override {
    return !keepsSingleTapFrom(recognizer);
  }

 protected:
  void layoutSubviewsImpl() override;

 private:
  std::string bundleIdentifier_;
  std::shared_ptr<UIImageView> image_;
  std::shared_ptr<UILabel> label_;
  std::function<void(const std::string&)> openAction_;
};

}  // namespace host
