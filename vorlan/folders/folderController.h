#pragma once

#include "preferences/PSListController.h"

namespace vorlan {

// The page a folder row of the main list opens. Registered in the runtime under its own name,
// "folderController", so that the row-selection hooks can tell it apart by class name. For now
// it shows no cells.
class folderController : public host::PSListController {
 public:
  static host::Class* objcClass();
  explicit folderController(host::Class* cls = objcClass());
};

}  // namespace vorlan
