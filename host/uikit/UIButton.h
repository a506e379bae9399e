#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "uikit/UIControl.h"

namespace host {

class UIColor;
class UIImage;
class UIImageView;
class UILabel;

enum UIButtonType {
  UIButtonTypeCustom = 0,
  UIButtonTypeSystem = 1,
};

// A control showing a title and an image (side by side, centred, the image first) over a
// background image. An image bigger than the content area is shrunk to fit, keeping its shape.
// Title, title colour, image and background image are set per control state; what the button shows
// follows its current state (highlighted, disabled, selected, and their combinations), falling back
// to the normal state's value when the state has none of its own.
//
// Default title colours: white for custom buttons; for system buttons the tint colour, and grey
// when disabled. A highlighted system button without a highlighted title colour fades its title
// and image to alpha 0.2 instead. The title font is the system font of 15 points.
class UIButton : public UIControl {
 public:
  static Class* objcClass();
  explicit UIButton(Class* cls = objcClass());
  ~UIButton() override;

  static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);
  UIButtonType buttonType() const { return type_; }
  void setButtonType(UIButtonType type);

  // Nothing (std::nullopt, nullptr) removes the state's own value.
  void setTitle(std::optional<std::string> title, UIControlState state);
  void setTitleColor(std::shared_ptr<UIColor> color, UIControlState state);
  void setImage(std::shared_ptr<UIImage> image, UIControlState state);
  void setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state);
  // The value for `state`, or the normal state's.
  std::optional<std::string> titleForState(UIControlState state) const;
  std::shared_ptr<UIColor> titleColorForState(UIControlState state) const;
  std::shared_ptr<UIImage> imageForState(UIControlState state) const;
  std::shared_ptr<UIImage> backgroundImageForState(UIControlState state) const;

  std::optional<std::string> currentTitle() const { return titleForState(state()); }
  std::shared_ptr<UIColor> currentTitleColor() const { return titleColorForState(state()); }
  std::shared_ptr<UIImage> currentImage() const { return imageForState(state()); }
  std::shared_ptr<UIImage> currentBackgroundImage() const {
    return backgroundImageForState(state());
  }

  const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }
  UIEdgeInsets contentEdgeInsets() const { return contentEdgeInsets_; }
  void setContentEdgeInsets(const UIEdgeInsets& insets);

  CGSize sizeThatFits(const CGSize& size) const override;
  bool gestureRecognizerShouldBegin(const UIGestureRecognizer& recognizer) const override {
    return !keepsSingleTapFrom(recognizer);
  }
  void didMoveToSuperview() override;

 protected:
  void controlStateDidChange() override;
  void layoutSubviewsImpl() override;

 private:
  template <class T>
  static T lookup(const std::map<UIControlState, T>& values, UIControlState state);
  void updateContent();
  void installSubviews();

  UIButtonType type_ = UIButtonTypeCustom;
  std::map<UIControlState, std::string> titles_;
  std::map<UIControlState, std::shared_ptr<UIColor>> titleColors_;
  std::map<UIControlState, std::shared_ptr<UIImage>> images_;
  std::map<UIControlState, std::shared_ptr<UIImage>> backgroundImages_;
  std::shared_ptr<UIImageView> backgroundView_;
  std::shared_ptr<UIImageView> imageView_;
  std::shared_ptr<UILabel> titleLabel_;
  UIEdgeInsets contentEdgeInsets_;
};

}  // namespace host
