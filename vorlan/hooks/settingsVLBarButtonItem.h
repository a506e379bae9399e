#pragma once

#include <functional>
#include <memory>

#include "uikit/UIBarButtonItem.h"

namespace host {
class UIGestureRecognizer;
class UIImageView;
class UIView;
}  // namespace host

namespace vorlan {

// The gear at the right of the main list's navigation bar. Its custom view is a 30-point
// container holding the gear picture; a tap dims the button and runs the action. The container
// carries the accessibility label "Vorlan", as the gear shows no text.
class settingsVLBarButtonItem : public host::UIBarButtonItem {
 public:
  static constexpr const char* kIconPath =
      "/Library/Application Support/Vorlan3/main_images/settings_icon.png";
  static constexpr const char* kAccessibilityLabel = "Vorlan";
  static constexpr double kSize = 30;

  static host::Class* objcClass();
  explicit settingsVLBarButtonItem(host::Class* cls = objcClass());

  // The button with what a tap runs. The action is held strongly.
  static std::shared_ptr<settingsVLBarButtonItem> make(std::function<void()> action);

  // Turns the gear to `radians` (absolute, not added to the current turn), at once when
  // `duration` is 0 or less, else animated over `duration` seconds.
  void rotateToDegree(float radians, float duration);
  // The turn last asked for, in radians.
  float angle() const { return angle_; }

  const std::shared_ptr<host::UIView>& container() const { return container_; }
  const std::shared_ptr<host::UIImageView>& imageView() const { return imageView_; }

 private:
  void tapped(const host::UIGestureRecognizer& recognizer);

  std::shared_ptr<host::UIView> container_;
  std::shared_ptr<host::UIImageView> imageView_;
  std::function<void()> action_;
  float angle_ = 0;
};

}  // namespace vorlan
