#pragma once

#include <functional>
#include <memory>
#include <string>

#include "runtime/Object.h"

namespace host {

enum UIAlertActionStyle {
  UIAlertActionStyleDefault = 0,
  UIAlertActionStyleCancel = 1,
  UIAlertActionStyleDestructive = 2,
};

// One button of an alert controller and what pressing it runs. The handler is a callable:
// capture what it acts on weakly when that object owns the alert.
class UIAlertAction : public Object {
 public:
  using Handler = std::function<void(const std::shared_ptr<UIAlertAction>&)>;

  static Class* objcClass();
  explicit UIAlertAction(Class* cls = objcClass());

  static std::shared_ptr<UIAlertAction> actionWithTitle(std::string title, UIAlertActionStyle style,
                                                        Handler handler = {});

  const std::string& title() const { return title_; }
  UIAlertActionStyle style() const { return style_; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  // Runs the handler, if any.
  void runHandler();

 private:
  std::string title_;
  UIAlertActionStyle style_ = UIAlertActionStyleDefault;
  bool enabled_ = true;
  Handler handler_;
};

}  // namespace host
