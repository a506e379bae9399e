#include "uikit/UITableViewCellDeleteConfirmationButton.h"

#include "runtime/HostClass.h"

namespace host {

HOST_CLASS(UITableViewCellDeleteConfirmationButton, UIControl)

UITableViewCellDeleteConfirmationButton::UITableViewCellDeleteConfirmationButton(Class* cls)
    : UIControl(cls) {}

}  // namespace host
