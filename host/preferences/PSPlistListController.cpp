#include "preferences/PSPlistListController.h"

#include <set>

#include "foundation/NSBundle.h"
#include "preferences/PSPlistSpecifiers.h"
#include "preferences/PSSpecifier.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

namespace {

std::set<std::string>& registeredBundles() {
  static std::set<std::string> bundles;
  return bundles;
}

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

}  // namespace

HOST_CLASS(PSPlistListController, PSListController)

PSPlistListController::PSPlistListController(Class* cls) : PSListController(cls) {}

void PSPlistListController::registerBundleClasses(const std::string& path) {
  const std::string bundlePath = withoutTrailingSlash(path);
  if (!registeredBundles().insert(bundlePath).second) return;
  const Plist classes =
      NSBundle::bundleWithPath(bundlePath)->infoDictionary().get(kStandInClassesKey);
  for (const auto& [name, kind] : classes.entries()) {
    const std::string* base = kind.asString();
    if (name.empty() || !base) continue;
    if (*base == "PSListController") {
      NSBundle::registerLoadableClass(bundlePath, name, [name = name, bundlePath] {
        return Runtime::shared().defineClass(
            name, PSPlistListController::objcClass(),
            [bundlePath](Class* cls) -> std::shared_ptr<Object> {
              auto page = std::make_shared<PSPlistListController>(cls);
              page->setBundle(NSBundle::bundleWithPath(bundlePath));
              return page;
            });
      });
    } else if (*base == "NSObject") {
      NSBundle::registerLoadableClass(bundlePath, name, [name = name] {
        return Runtime::shared().defineClass(name, Object::objcClass(), factoryFor<Object>());
      });
    }
  }
}

PSListController::Specifiers PSPlistListController::loadSpecifiers() {
  const auto opener = specifier();
  auto source = bundle();
  if (!source && opener) {
    if (const std::string* lazy = opener->propertyForKey("lazy-bundle").asString()) {
      source = NSBundle::bundleWithPath(*lazy);
    }
  }
  if (opener && !dataSource()) {
    if (const std::string* name = opener->propertyForKey("dataSourceClass").asString()) {
      if (Class* cls = NSClassFromString(*name)) setDataSource(cls->createInstance());
    }
  }
  if (!source) return {};
  const Plist list =
      PSPlistSpecifiers::readList(source->pathForResource(getClass()->name(), "plist"));
  return PSPlistSpecifiers::fromList(list, source->bundlePath(), sharedController());
}

}  // namespace host
