#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "runtime/Object.h"
#include "uikit/CGGeometry.h"

namespace host {

class UIView;
class UIViewController;

// A registration for peeking: a source view whose firm presses ask the delegate for a preview
// page. The delegate is any object answering, by name, the two methods of
// MethodsOf<UIViewControllerPreviewing> (UIViewControllerPreviewingMethods.h), with the location
// in the source view's coordinates.
//
// The registering controller owns the context; the context holds its source view and holds the
// delegate and the controller weakly. There is no pressure-sensitive touch here: the simulator
// and the tests press through peek() and commit().
class UIViewControllerPreviewing : public Object {
 public:
  static Class* objcClass();
  explicit UIViewControllerPreviewing(Class* cls = objcClass());

  std::shared_ptr<Object> delegate() const { return delegate_.lock(); }
  const std::shared_ptr<UIView>& sourceView() const { return sourceView_; }
  std::shared_ptr<UIViewController> viewController() const { return controller_.lock(); }
  // The area the preview grows from, in the source view; its bounds until the delegate sets it.
  CGRect sourceRect() const;
  void setSourceRect(const CGRect& rect) { sourceRect_ = rect; }

  // A firm press at `location`: asks the delegate for a preview and keeps it. Nothing when the
  // device lacks pressure-sensitive touch, the delegate or its controller is gone, or the
  // delegate does not answer the selector.
  std::shared_ptr<UIViewController> peek(const CGPoint& location);
  // Pressing on into the preview: hands it to the delegate's commit. False without a preview.
  bool commit();
  // Lifting the finger without committing.
  void cancelPreview() { preview_.reset(); }
  const std::shared_ptr<UIViewController>& previewedViewController() const { return preview_; }

  // The contexts of the process still registered, oldest first.
  static std::vector<std::shared_ptr<UIViewControllerPreviewing>> registeredContexts();

 private:
  friend class UIViewController;
  void attach(const std::shared_ptr<UIViewController>& controller,
              const std::shared_ptr<Object>& delegate, std::shared_ptr<UIView> sourceView);
  void detach();

  std::weak_ptr<Object> delegate_;
  std::weak_ptr<UIViewController> controller_;
  std::shared_ptr<UIView> sourceView_;
  std::optional<CGRect> sourceRect_;
  std::shared_ptr<UIViewController> preview_;
};

}  // namespace host
