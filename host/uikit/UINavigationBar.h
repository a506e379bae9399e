#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "uikit/UIView.h"

namespace host {

class UINavigationButton;
class UINavigationItem;

// The bar across the top of a navigation controller's view. It shows its top item: the back
// button (or the item's left bar button item) at the left, the title view centred, the right bar
// button item at the right, each centred vertically in whatever height the bar has. The back
// button shows the previous item's title ("Back" when it has none) and runs the back action, by
// default popping the bar's own top item. The bar holds its items; they know it weakly.
class UINavigationBar : public UIView {
 public:
  static constexpr double kHeight = 44;
  static constexpr double kCompactHeight = 32;  // an iPhone in landscape
  static constexpr double kMargin = 8;

  static Class* objcClass();
  explicit UINavigationBar(Class* cls = objcClass());

  const std::vector<std::shared_ptr<UINavigationItem>>& items() const { return items_; }
  void setItems(std::vector<std::shared_ptr<UINavigationItem>> items, bool animated = false);
  std::shared_ptr<UINavigationItem> topItem() const;
  std::shared_ptr<UINavigationItem> backItem() const;
  void pushNavigationItem(const std::shared_ptr<UINavigationItem>& item, bool animated = false);
  std::shared_ptr<UINavigationItem> popNavigationItemAnimated(bool animated = false);

  // The back button while the bar shows one, else nothing.
  std::shared_ptr<UINavigationButton> backButton() const;
  // What the back button does instead of popping the bar's top item (a navigation controller
  // pops its top page).
  void setBackAction(std::function<void()> action) { backAction_ = std::move(action); }

  // Called by the items when what the bar should show changed.
  void itemsDidChange();

  CGSize sizeThatFits(const CGSize& size) const override;

 protected:
  void layoutSubviewsImpl() override;

 private:
  void goBack();
  void detach(const std::shared_ptr<UINavigationItem>& item);
  void attach(const std::shared_ptr<UINavigationItem>& item);

  std::vector<std::shared_ptr<UINavigationItem>> items_;
  std::shared_ptr<UINavigationButton> backButton_;
  // The bar's translucent backdrop, reaching up behind the status bar above the bar, with the
  // hairline along its bottom edge.
  std::shared_ptr<UIView> background_;
  std::shared_ptr<UIView> hairline_;
  bool showsBackButton_ = false;
  // The item views the bar shows now, left, title, right (each may be empty).
  std::shared_ptr<UIView> leftView_, titleView_, rightView_;
  std::function<void()> backAction_;
};

}  // namespace host
