#pragma once

#include <memory>

#include "folders/folderView.h"

namespace vorlan {

// The strip's "Reset" tile (editing mode only): after a confirming alert, erases every folder
// (the six defaults come back) and restarts SpringBoard.
class resetFolder : public folderView {
 public:
  static constexpr const char* kMessage =
      "This will erase all folders, restore the defaults and perform a Respring. Do you want to "
      "continue?";

  static host::Class* objcClass();
  explicit resetFolder(host::Class* cls = objcClass());

  static std::shared_ptr<resetFolder> make(const host::CGRect& frame);

  void setCanEdit(bool canEdit) override;
  void personalizeClicked() override;
  // "Yes" (index 1) erases the folders; anything else leaves them.
  void alertViewDidDismissWithButtonIndex(long index);
};

}  // namespace vorlan
