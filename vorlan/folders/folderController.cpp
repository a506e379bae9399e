#include "folders/folderController.h"

#include "runtime/Runtime.h"

namespace vorlan {

host::Class* folderController::objcClass() {
  static host::Class* const cls =
      host::Runtime::shared().defineClass("folderController", host::PSListController::objcClass(),
                                          host::factoryFor<folderController>());
  return cls;
}

folderController::folderController(host::Class* cls) : host::PSListController(cls) {}

}  // namespace vorlan
