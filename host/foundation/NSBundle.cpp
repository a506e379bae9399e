#include "foundation/NSBundle.h"

#include "runtime/Runtime.h"

namespace host {

Class* NSBundle::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("NSBundle", Object::objcClass(), factoryFor<NSBundle>());
  return cls;
}

NSBundle::NSBundle(Class* cls) : Object(cls) {}

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(std::string path) {
  auto bundle = std::make_shared<NSBundle>();
  bundle->path_ = std::move(path);
  return bundle;
}

}  // namespace host
