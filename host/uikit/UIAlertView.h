#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Object.h"

namespace host {

class Class;
class UITextField;

enum UIAlertViewStyle {
  UIAlertViewStyleDefault = 0,
  UIAlertViewStyleSecureTextInput = 1,
  UIAlertViewStylePlainTextInput = 2,
  UIAlertViewStyleLoginAndPasswordInput = 3,
};

// A modal alert with a title, a message, a cancel button and other buttons. Shown alerts are
// listed for the simulator and the tests, which choose the button that dismisses them.
//
// Button indexes follow UIKit: the cancel button (when it has a title) is 0, the other buttons
// follow in the order added. A button pressed by the user (pressButtonAtIndex, pressButton) is
// reported to the "alertView:clickedButtonAtIndex:" callback, and the alert is then dismissed; a
// dismissal, pressed or programmatic, is reported to "alertView:didDismissWithButtonIndex:".
// Callbacks are callables: capture the delegate weakly. A shown alert's first text field is the
// first responder until the alert is dismissed.
class UIAlertView : public Object {
 public:
  using ButtonCallback = std::function<void(const std::shared_ptr<UIAlertView>&, long index)>;

  static Class* objcClass();
  explicit UIAlertView(Class* cls = objcClass());

  static std::shared_ptr<UIAlertView> alert(std::string title, std::string message,
                                            std::string cancelButtonTitle,
                                            std::vector<std::string> otherButtonTitles = {});

  const std::string& title() const { return title_; }
  const std::string& message() const { return message_; }
  const std::string& cancelButtonTitle() const { return cancelButtonTitle_; }
  bool isVisible() const;

  // The index of the new button.
  long addButtonWithTitle(std::string title);
  long numberOfButtons() const { return static_cast<long>(buttonTitles_.size()); }
  // Empty for an index out of range.
  std::string buttonTitleAtIndex(long index) const;
  long cancelButtonIndex() const { return cancelButtonTitle_.empty() ? -1 : 0; }
  long firstOtherButtonIndex() const;

  UIAlertViewStyle alertViewStyle() const { return style_; }
  // Makes the text fields the style asks for (one, or login and password).
  void setAlertViewStyle(UIAlertViewStyle style);
  // Nothing for an index the style has no field for.
  std::shared_ptr<UITextField> textFieldAtIndex(long index) const;

  void setClickedButtonCallback(ButtonCallback callback) { clicked_ = std::move(callback); }
  void setDidDismissCallback(ButtonCallback callback) { didDismiss_ = std::move(callback); }

  void show();
  void dismissWithClickedButtonIndex(int index);
  // The user's tap on a button of a shown alert; false when it is not shown or has no such
  // button.
  bool pressButtonAtIndex(long index);
  bool pressButton(const std::string& title);

  // The alerts on screen, oldest first.
  static const std::vector<std::shared_ptr<UIAlertView>>& visibleAlerts();

 private:
  std::string title_;
  std::string message_;
  std::string cancelButtonTitle_;
  std::vector<std::string> buttonTitles_;
  UIAlertViewStyle style_ = UIAlertViewStyleDefault;
  std::vector<std::shared_ptr<UITextField>> textFields_;
  ButtonCallback clicked_;
  ButtonCallback didDismiss_;
};

}  // namespace host
