#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uikit/UIAlertAction.h"
#include "uikit/UIViewController.h"

namespace host {

class UILabel;
class UINavigationButton;
class UITextField;

enum UIAlertControllerStyle {
  UIAlertControllerStyleActionSheet = 0,
  UIAlertControllerStyleAlert = 1,
};

// An alert or action sheet, shown with presentViewController. It covers the window with a dimming
// view and fades in over its presenter, which stays on screen (no appearance calls for it). The
// box shows the title, the message, the text fields (alert style only) and one button per action:
// in an alert with two actions side by side, the cancel one on the left; otherwise stacked, the
// cancel one last.
//
// A tap on a button (or pressButton, for the simulator and the tests) dismisses the alert and
// runs the action's handler once the dismissal has finished. As the alert appears its first text
// field becomes the first responder, so the keyboard comes up with it; the fields give it up as
// the alert leaves.
class UIAlertController : public UIViewController {
 public:
  using TextFieldConfiguration = std::function<void(const std::shared_ptr<UITextField>&)>;

  static constexpr double kAlertWidth = 270;
  static constexpr double kButtonHeight = 44;

  static Class* objcClass();
  explicit UIAlertController(Class* cls = objcClass());

  static std::shared_ptr<UIAlertController> alertControllerWithTitle(std::string title,
                                                                     std::string message,
                                                                     UIAlertControllerStyle style);

  const std::string& message() const { return message_; }
  void setMessage(std::string message);
  UIAlertControllerStyle preferredStyle() const { return style_; }

  // A second cancel action is refused with a logged warning (UIKit refuses it too).
  void addAction(std::shared_ptr<UIAlertAction> action);
  const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return actions_; }
  // Alert style only: an action sheet refuses text fields with a logged warning.
  void addTextFieldWithConfigurationHandler(const TextFieldConfiguration& configuration = {});
  const std::vector<std::shared_ptr<UITextField>>& textFields() const { return textFields_; }

  // Presses the first enabled action titled `title`. False when the alert is not fully on screen
  // (not presented, or still appearing or leaving), has no such action, or a press is under way.
  bool pressButton(const std::string& title);
  // The button showing `action`, once the view is loaded.
  std::shared_ptr<UINavigationButton> buttonForAction(const UIAlertAction& action) const;

  // The alert controllers on screen, in the order presented.
  static std::vector<std::shared_ptr<UIAlertController>> presented();

  void viewWillLayoutSubviews() override;

 protected:
  void loadViewImpl() override;
  void viewWillAppearImpl(bool animated) override;
  void viewWillDisappearImpl(bool animated) override;

 private:
  bool press(const std::shared_ptr<UIAlertAction>& action);
  void rebuildContent();
  std::vector<std::shared_ptr<UIAlertAction>> displayOrder() const;

  std::string message_;
  UIAlertControllerStyle style_ = UIAlertControllerStyleAlert;
  std::vector<std::shared_ptr<UIAlertAction>> actions_;
  std::vector<std::shared_ptr<UITextField>> textFields_;
  bool pressing_ = false;
  std::shared_ptr<UIView> box_;
  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UILabel> messageLabel_;
  std::vector<std::shared_ptr<UINavigationButton>> buttons_;  // in displayOrder()
};

}  // namespace host
