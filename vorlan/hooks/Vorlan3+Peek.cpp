// Peek preview and split view. Not built yet: the hooks run the host's behaviour, the main list
// offers no preview and does not count as having pressure-sensitive touch.
#include "hooks/Vorlan3+Peek.h"

#include "preferences/PSUIPrefsListController.h"
#include "preferences/PreferencesAppController.h"
#include "preferences/PreferencesAppControllerMethods.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"
#include "uikit/UIViewControllerPreviewingMethods.h"

namespace vorlan::hooks::peek {

namespace {

using host::Id;
using host::Object;
using Delegate = host::MethodsOf<host::PreferencesAppController>;
using Previewing = host::MethodsOf<host::UIViewControllerPreviewing>;
using Page = std::shared_ptr<host::UIViewController>;

struct Originals {
  host::Original<Delegate::CollapseSecondary> appCollapseSecondary;
  host::Original<Delegate::SeparateSecondary> appSeparateSecondary;
};
constinit Originals original;

bool splitViewControllerCollapseSecondary(Object* self, Id splitViewController, Page secondary,
                                          Page primary) {
  return original.appCollapseSecondary(self, std::move(splitViewController), std::move(secondary),
                                       std::move(primary));
}

Page splitViewControllerSeparateSecondary(Object* self, Id splitViewController, Page primary) {
  return original.appSeparateSecondary(self, std::move(splitViewController), std::move(primary));
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

}  // namespace

void install(HookInstaller& installer) {
  host::Class* app = host::PreferencesAppController::objcClass();
  host::Class* main = host::PSUIPrefsListController::objcClass();
  installer.hook<Delegate::CollapseSecondary>(app, splitViewControllerCollapseSecondary,
                                              original.appCollapseSecondary);
  installer.hook<Delegate::SeparateSecondary>(app, splitViewControllerSeparateSecondary,
                                              original.appSeparateSecondary);
  installer.add<IsForceTouchAvailable>(main, isForceTouchAvailable);
  installer.add<Previewing::ViewControllerForLocation>(main,
                                                       previewingContextViewControllerForLocation);
  installer.add<Previewing::CommitViewController>(main, previewingContextCommitViewController);
}

}  // namespace vorlan::hooks::peek
