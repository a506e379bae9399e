#include "preferences/PSSystemPolicyForApp.h"

#include <utility>

#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

HOST_CLASS(PSSystemPolicyForApp, Object)

PSSystemPolicyForApp::PSSystemPolicyForApp(Class* cls) : Object(cls) {}

void PSSystemPolicyForApp::initWithBundleIdentifier(std::string bundleIdentifier) {
  bundleIdentifier_ = std::move(bundleIdentifier);
}

std::vector<std::shared_ptr<PSSpecifier>> PSSystemPolicyForApp::specifiers() const {
  if (bundleIdentifier_.empty()) return {};
  auto notifications = PSSpecifier::specifier("NOTIFICATIONS", "Notifications");
  notifications->setProperty(Plist::string(bundleIdentifier_), "AppBundleID");
  return {PSSpecifier::emptyGroupSpecifier(), std::move(notifications)};
}

}  // namespace host
