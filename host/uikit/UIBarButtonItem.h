#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "runtime/Object.h"

namespace host {

class UIColor;
class UIImage;
class UINavigationBar;
class UIView;

enum UIBarButtonItemStyle {
  UIBarButtonItemStylePlain = 0,
  UIBarButtonItemStyleBordered = 1,
  UIBarButtonItemStyleDone = 2,
};

enum UIBarButtonSystemItem {
  UIBarButtonSystemItemDone = 0,
  UIBarButtonSystemItemCancel = 1,
  UIBarButtonSystemItemEdit = 2,
  UIBarButtonSystemItemSave = 3,
  UIBarButtonSystemItemAdd = 4,
  UIBarButtonSystemItemFlexibleSpace = 5,
  UIBarButtonSystemItemFixedSpace = 6,
  UIBarButtonSystemItemCompose = 7,
  UIBarButtonSystemItemReply = 8,
  UIBarButtonSystemItemAction = 9,
  UIBarButtonSystemItemOrganize = 10,
  UIBarButtonSystemItemBookmarks = 11,
  UIBarButtonSystemItemSearch = 12,
  UIBarButtonSystemItemRefresh = 13,
  UIBarButtonSystemItemStop = 14,
  UIBarButtonSystemItemCamera = 15,
  UIBarButtonSystemItemTrash = 16,
  UIBarButtonSystemItemPlay = 17,
  UIBarButtonSystemItemPause = 18,
  UIBarButtonSystemItemRewind = 19,
  UIBarButtonSystemItemFastForward = 20,
  UIBarButtonSystemItemUndo = 21,
  UIBarButtonSystemItemRedo = 22,
};

// A button of a navigation bar: a title, an image, a system item or a custom view, and an action
// run when it is tapped. The action's target, if any, is held weakly: once it is gone the action
// no longer runs. The item owns the view it is shown with; a view made by the item (for a title,
// image or system item) holds the item weakly.
class UIBarButtonItem : public Object {
 public:
  using Action = std::function<void(const std::shared_ptr<UIBarButtonItem>&)>;

  static Class* objcClass();
  explicit UIBarButtonItem(Class* cls = objcClass());

  static std::shared_ptr<UIBarButtonItem> withTitle(std::string title, UIBarButtonItemStyle style,
                                                    Action action = {});
  static std::shared_ptr<UIBarButtonItem> withImage(std::shared_ptr<UIImage> image,
                                                    UIBarButtonItemStyle style, Action action = {});
  static std::shared_ptr<UIBarButtonItem> withBarButtonSystemItem(UIBarButtonSystemItem item,
                                                                  Action action = {});
  static std::shared_ptr<UIBarButtonItem> withCustomView(std::shared_ptr<UIView> view);

  // The title shown: the one set, else the system item's.
  std::string title() const;
  void setTitle(std::string title);
  const std::shared_ptr<UIImage>& image() const { return image_; }
  void setImage(std::shared_ptr<UIImage> image);
  UIBarButtonItemStyle style() const { return style_; }
  void setStyle(UIBarButtonItemStyle style) { style_ = style; }
  std::optional<UIBarButtonSystemItem> systemItem() const { return systemItem_; }
  const std::shared_ptr<UIView>& customView() const { return customView_; }
  void setCustomView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIColor>& tintColor() const { return tintColor_; }
  void setTintColor(std::shared_ptr<UIColor> color);
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  void setAction(Action action);
  void setTarget(const std::shared_ptr<Object>& target, Action action);
  // What a tap does: runs the action with the item, unless disabled or the target is gone.
  void sendAction();

  // The view a bar shows: the custom view, else a button made for the item.
  std::shared_ptr<UIView> view();
  // The bar showing the item, if any (weak).
  std::shared_ptr<UINavigationBar> navigationBar() const { return bar_.lock(); }
  void setNavigationBar(const std::shared_ptr<UINavigationBar>& bar) { bar_ = bar; }

 private:
  void refreshButton();

  std::string title_;
  std::shared_ptr<UIImage> image_;
  UIBarButtonItemStyle style_ = UIBarButtonItemStylePlain;
  std::optional<UIBarButtonSystemItem> systemItem_;
  std::shared_ptr<UIView> customView_;
  std::shared_ptr<UIView> button_;
  std::shared_ptr<UIColor> tintColor_;
  bool enabled_ = true;
  Action action_;
  std::weak_ptr<Object> target_;
  bool hasTarget_ = false;
  std::weak_ptr<UINavigationBar> bar_;
};

}  // namespace host
