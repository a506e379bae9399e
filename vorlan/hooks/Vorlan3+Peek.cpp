// Peek preview and split view. Not built yet: the hooks run the host's behaviour, the main list
// offers no preview and does not count as having pressure-sensitive touch.
#include "hooks/HostMethods.h"
#include "hooks/Vorlan3Hooks.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"

namespace vorlan::hooks {

bool splitViewControllerCollapseSecondary(Object* self, Id splitViewController, Page secondary,
                                          Page primary) {
  return HostMethods::shared().appCollapseSecondary(self, std::move(splitViewController),
                                                    std::move(secondary), std::move(primary));
}

Page splitViewControllerSeparateSecondary(Object* self, Id splitViewController, Page primary) {
  return HostMethods::shared().appSeparateSecondary(self, std::move(splitViewController),
                                                    std::move(primary));
}

bool isForceTouchAvailable(Object*) {
  return false;
}

Page previewingContextViewControllerForLocation(Object*,
                                                std::shared_ptr<host::UIViewControllerPreviewing>,
                                                host::CGPoint) {
  return nullptr;
}

void previewingContextCommitViewController(Object*,
                                           std::shared_ptr<host::UIViewControllerPreviewing>,
                                           Page) {}

}  // namespace vorlan::hooks
