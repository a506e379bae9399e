#include "preferences/PSSpecifier.h"

#include "runtime/Runtime.h"

namespace host {

Class* PSSpecifier::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("PSSpecifier", Object::objcClass(), factoryFor<PSSpecifier>());
  return cls;
}

PSSpecifier::PSSpecifier(Class* cls) : Object(cls) {}

std::shared_ptr<PSSpecifier> PSSpecifier::specifier(std::string identifier, std::string name,
                                                    int cellType) {
  auto spec = std::make_shared<PSSpecifier>();
  spec->identifier_ = std::move(identifier);
  spec->name_ = std::move(name);
  spec->cellType_ = cellType;
  return spec;
}

void PSSpecifier::setProperty(Plist value, const std::string& key) {
  properties_ = properties_.with(key, std::move(value));
}

Id PSSpecifier::objectForKey(std::string_view key) const {
  auto it = objects_.find(key);
  return it == objects_.end() ? nullptr : it->second;
}

void PSSpecifier::setObject(Id value, const std::string& key) {
  if (value) {
    objects_.insert_or_assign(key, std::move(value));
  } else if (auto it = objects_.find(key); it != objects_.end()) {
    objects_.erase(it);
  }
}

}  // namespace host
