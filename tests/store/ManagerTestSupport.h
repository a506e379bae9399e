#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/NSBundle.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Runtime.h"
#include "store/VLPreferencesManager.h"
#include "support/PageListing.h"
#include "support/TempDevice.h"

// Records the reload messages that the manager sends to list pages.
struct ReloadLog {
  static std::vector<std::string>& calls() {
    static std::vector<std::string> log;
    return log;
  }
};

// A list page of the given controller class, answering `reloadSpecifiers`, `setNeedsReload:` and
// `bundle` and logging the first two as "<class> reload" and "<class> needsReload=<0|1>".
inline host::Id pageController(const std::string& className, const std::string& bundlePath = "") {
  using namespace host;
  Class* cls = NSClassFromString(className);
  if (cls == nullptr) {
    cls = Runtime::shared().defineClass(className, Object::objcClass());
  }
  if (!cls->instancesRespondToSelector("reloadSpecifiers")) {
    class_addMethod<void()>(
        cls, "reloadSpecifiers",
        [](Object* self) { ReloadLog::calls().push_back(self->className() + " reload"); }, "v@:");
  }
  if (!cls->instancesRespondToSelector("setNeedsReload:")) {
    class_addMethod<void(bool)>(
        cls, "setNeedsReload:",
        [](Object* self, bool value) {
          ReloadLog::calls().push_back(self->className() + " needsReload=" + (value ? "1" : "0"));
        },
        "v@:B");
  }
  static std::map<std::string, std::shared_ptr<NSBundle>> bundles;
  bundles[className] = NSBundle::bundleWithPath(bundlePath);
  if (!cls->instancesRespondToSelector("bundle")) {
    class_addMethod<std::shared_ptr<NSBundle>()>(
        cls, "bundle", [](Object* self) { return bundles[self->className()]; }, "@@:");
  }
  return cls->createInstance();
}

using vorlan::test::cell;
