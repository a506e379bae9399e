#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/Object.h"

namespace host {

class Class;

// A modal alert with a title, a message and a cancel button. Shown alerts are listed for the
// simulator and the tests, which choose the button that dismisses them.
class UIAlertView : public Object {
 public:
  static Class* objcClass();
  explicit UIAlertView(Class* cls = objcClass());

  static std::shared_ptr<UIAlertView> alert(std::string title, std::string message,
                                            std::string cancelButtonTitle);

  const std::string& title() const { return title_; }
  const std::string& message() const { return message_; }
  const std::string& cancelButtonTitle() const { return cancelButtonTitle_; }
  bool isVisible() const;

  void show();
  void dismissWithClickedButtonIndex(int index);

  // The alerts on screen, oldest first.
  static const std::vector<std::shared_ptr<UIAlertView>>& visibleAlerts();

 private:
  std::string title_;
  std::string message_;
  std::string cancelButtonTitle_;
};

}  // namespace host
