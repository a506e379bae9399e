#pragma once

#include <memory>

#include "menu/VLScrollView.h"

namespace host {
class UILabel;
}  // namespace host

namespace vorlan {

// The extension's own configuration page, behind the Settings app's root view at the right of
// the key window. It shows the title "Vorlan"; like every side page it starts transparent and
// fades in when shown.
class vorlanConfiguarationScrollView : public VLScrollView {
 public:
  static constexpr const char* kTitle = "Vorlan";

  static host::Class* objcClass();
  explicit vorlanConfiguarationScrollView(host::Class* cls = objcClass());

  static std::shared_ptr<vorlanConfiguarationScrollView> make(const host::CGRect& frame);

  const std::shared_ptr<host::UILabel>& title() const { return title_; }

 protected:
  void initWithFrame(const host::CGRect& frame);

 private:
  std::shared_ptr<host::UILabel> title_;
};

}  // namespace vorlan
