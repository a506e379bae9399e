#include "uikit/UIAlertAction.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(UIAlertAction, Object)

UIAlertAction::UIAlertAction(Class* cls) : Object(cls) {}

std::shared_ptr<UIAlertAction> UIAlertAction::actionWithTitle(std::string title,
                                                              UIAlertActionStyle style,
                                                              Handler handler) {
  auto action = std::make_shared<UIAlertAction>();
  action->title_ = std::move(title);
  action->style_ = style;
  action->handler_ = std::move(handler);
  return action;
}

void UIAlertAction::runHandler() {
  if (!handler_) return;
  auto handler = handler_;
  handler(std::static_pointer_cast<UIAlertAction>(shared_from_this()));
}

}  // namespace host
