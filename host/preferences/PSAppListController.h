#pragma once

#include <memory>

#include "preferences/PSListController.h"

namespace host {

class PSSystemPolicyForApp;

// An app's settings page: the system policy's cells, then the cells of the app's settings bundle
// (Root.plist's "PreferenceSpecifiers"). Opened from the main list, it takes both from the cell
// that opened it ("AppBundleID", "AppSettingsBundle"); its "bundle" is the settings bundle.
class PSAppListController : public PSListController {
 public:
  static Class* objcClass();
  explicit PSAppListController(Class* cls = objcClass());

  std::shared_ptr<PSSystemPolicyForApp> systemPolicy() const { return systemPolicy_; }
  void setSystemPolicy(std::shared_ptr<PSSystemPolicyForApp> policy) {
    systemPolicy_ = std::move(policy);
  }

 protected:
  Specifiers loadSpecifiers() override;
  std::shared_ptr<NSBundle> bundleImpl() override;

 private:
  std::shared_ptr<PSSystemPolicyForApp> systemPolicy_;
};

}  // namespace host
