#include "folders/folderController.h"

#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace vorlan {

HOST_CLASS(folderController, host::PSListController)

folderController::folderController(host::Class* cls) : host::PSListController(cls) {}

}  // namespace vorlan
