#include "preferences/PSAppListController.h"

#include "foundation/DeviceFileSystem.h"
#include "foundation/NSBundle.h"
#include "preferences/PSPlistSpecifiers.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSystemPolicyForApp.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(PSAppListController, PSListController)

PSAppListController::PSAppListController(Class* cls) : PSListController(cls) {}

std::shared_ptr<NSBundle> PSAppListController::bundleImpl() {
  if (auto own = PSListController::bundleImpl()) return own;
  const auto opener = specifier();
  return opener ? std::dynamic_pointer_cast<NSBundle>(opener->objectForKey("AppSettingsBundle"))
                : nullptr;
}

PSListController::Specifiers PSAppListController::loadSpecifiers() {
  const auto opener = specifier();
  if (!systemPolicy_ && opener) {
    if (const std::string* app = opener->propertyForKey("AppBundleID").asString()) {
      systemPolicy_ = std::make_shared<PSSystemPolicyForApp>();
      systemPolicy_->initWithBundleIdentifier(*app);
    }
  }
  Specifiers out = systemPolicy_ ? systemPolicy_->specifiers() : Specifiers{};
  const auto settings = bundleImpl();
  const auto device = DeviceFileSystem::current();
  if (!settings || !device) return out;
  // The app's page is the bundle's Root.plist; a child pane's is the file it names.
  const std::string* file = opener ? opener->propertyForKey("File").asString() : nullptr;
  const std::string name =
      file && !file->empty() && file->find('/') == std::string::npos ? *file : std::string("Root");
  const Plist root = PSPlistSpecifiers::readList(settings->pathForResource(name, "plist"));
  const auto self = std::static_pointer_cast<Object>(sharedController());
  const Plist entries = root.get("PreferenceSpecifiers");
  for (const Plist& entry : entries.items()) {
    for (auto& item : specifiersFromDictionary(entry, "Root", opener, self)) {
      out.push_back(std::move(item));
    }
  }
  return out;
}

}  // namespace host
