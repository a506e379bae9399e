#pragma once

#include <memory>
#include <string>

#include "runtime/Object.h"

namespace host {

class UIBarButtonItem;
class UINavigationBar;
class UIView;

// What a navigation bar shows for one page: the title (in a title view), the left and right bar
// button items, and whether the back button is hidden. The default title view is the instance
// variable "_defaultTitleView" (std::shared_ptr<UIView>, a UINavigationItemView whose "_label"
// shows the title); it exists from the start. A custom titleView replaces it on the bar.
class UINavigationItem : public Object {
 public:
  static Class* objcClass();
  explicit UINavigationItem(Class* cls = objcClass());

  static std::shared_ptr<UINavigationItem> withTitle(std::string title);

  const std::string& title() const { return title_; }
  void setTitle(std::string title);
  const std::shared_ptr<UIView>& titleView() const { return titleView_; }
  void setTitleView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIView>& defaultTitleView() const { return defaultTitleView_; }
  // The custom title view, else the default one.
  const std::shared_ptr<UIView>& displayedTitleView() const;

  const std::shared_ptr<UIBarButtonItem>& leftBarButtonItem() const { return left_; }
  void setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated = false);
  const std::shared_ptr<UIBarButtonItem>& rightBarButtonItem() const { return right_; }
  // Animated, the new item's view fades in over 0.25 s.
  void setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated = false);
  bool hidesBackButton() const { return hidesBackButton_; }
  void setHidesBackButton(bool hides, bool animated = false);

  // The bar the item is on, if any (weak; set by the bar).
  std::shared_ptr<UINavigationBar> navigationBar() const { return bar_.lock(); }
  void setNavigationBar(const std::shared_ptr<UINavigationBar>& bar);

 private:
  void changed(const std::shared_ptr<UIBarButtonItem>& appearing, bool animated);

  std::string title_;
  std::shared_ptr<UIView> titleView_;
  std::shared_ptr<UIView> defaultTitleView_;
  std::shared_ptr<UIBarButtonItem> left_;
  std::shared_ptr<UIBarButtonItem> right_;
  bool hidesBackButton_ = false;
  std::weak_ptr<UINavigationBar> bar_;
};

}  // namespace host
