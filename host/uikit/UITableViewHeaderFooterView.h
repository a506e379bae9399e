#pragma once

#include <memory>
#include <string>

#include "uikit/UIView.h"

namespace host {

class UILabel;

// The view a table shows for a section's header or footer title. In the grouped style the title
// is small grey text near the bottom of a header or the top of a footer; in the plain style a
// header is a grey band with the title centred vertically.
class UITableViewHeaderFooterView : public UIView {
 public:
  static constexpr CGFloat kTextInset = 15;

  static Class* objcClass();
  explicit UITableViewHeaderFooterView(Class* cls = objcClass());
  static std::shared_ptr<UITableViewHeaderFooterView> viewWithTitle(const std::string& title,
                                                                    bool grouped, bool footer);

  const std::shared_ptr<UILabel>& textLabel() const { return textLabel_; }

 protected:
  void layoutSubviewsImpl() override;

 private:
  std::shared_ptr<UILabel> textLabel_;
  bool grouped_ = false;
  bool footer_ = false;
};

}  // namespace host
