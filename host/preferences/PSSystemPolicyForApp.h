#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/Object.h"

namespace host {

class PSSpecifier;

// The system's part of an app's settings page (what the app may use), above the app's own cells.
class PSSystemPolicyForApp : public Object {
 public:
  static Class* objcClass();
  explicit PSSystemPolicyForApp(Class* cls = objcClass());

  // initWithBundleIdentifier:
  void initWithBundleIdentifier(std::string bundleIdentifier);
  const std::string& bundleIdentifier() const { return bundleIdentifier_; }

  // A group and the app's notification settings cell; none without a bundle identifier.
  std::vector<std::shared_ptr<PSSpecifier>> specifiers() const;

 private:
  std::string bundleIdentifier_;
};

}  // namespace host
