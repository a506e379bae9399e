#pragma once

#include <functional>
#include <memory>
#include <string>

#include "uikit/UIControl.h"

namespace host {

class UIImage;
class UILabel;

// The button a navigation bar shows for a bar button item made from a title, an image or a
// system item, and for the back button: a label in the tint colour (or an image), a control whose
// touch-up-inside runs its tap action.
class UINavigationButton : public UIControl {
 public:
  static constexpr double kPadding = 8;

  static Class* objcClass();
  explicit UINavigationButton(Class* cls = objcClass());

  const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
  std::string title() const;
  void setTitle(const std::string& title);
  const std::shared_ptr<UIImage>& image() const { return image_; }
  void setImage(std::shared_ptr<UIImage> image);
  void setBold(bool bold);
  // The back button's chevron before the title, in the tint colour.
  void setShowsBackIndicator(bool shows);
  bool showsBackIndicator() const { return backIndicator_ != nullptr; }

  void setTapAction(std::function<void()> action) { tapAction_ = std::move(action); }
  // What a tap does (the simulator's touches end up here too).
  void tap();

  CGSize sizeThatFits(const CGSize& size) const override;
  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void installLabel();

  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UIView> backIndicator_;
  std::shared_ptr<UIImage> image_;
  std::function<void()> tapAction_;
};

}  // namespace host
