#pragma once

#include <memory>
#include <string>

#include "folders/folderView.h"

namespace vorlan {

// The strip's "Create" tile (editing mode only): makes a folder with a free name, "NEW", else
// "NEW-1", "NEW-2" ..., and hands its tile to the strip.
class addFolder : public folderView {
 public:
  static host::Class* objcClass();
  explicit addFolder(host::Class* cls = objcClass());

  static std::shared_ptr<addFolder> make(const host::CGRect& frame);

  // The first name of the sequence that no folder has, ignoring letter case.
  static std::string freeName();

  void setCanEdit(bool canEdit) override;
  void personalizeClicked() override;
};

}  // namespace vorlan
