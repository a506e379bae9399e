#pragma once

#include <memory>
#include <string>

#include "uikit/UIView.h"

namespace host {

class UILabel;

// The title view a navigation item shows when it has no custom one: a label with the item's title
// in the bar's bold font. The label is the instance variable "_label" (std::shared_ptr<UILabel>).
class UINavigationItemView : public UIView {
 public:
  static Class* objcClass();
  explicit UINavigationItemView(Class* cls = objcClass());

  const std::shared_ptr<UILabel>& label() const { return label_; }
  void setTitle(const std::string& title);

  // The label's size.
  CGSize sizeThatFits(const CGSize& size) const override;
  void didMoveToSuperview() override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void installLabel();

  std::shared_ptr<UILabel> label_;
};

}  // namespace host
