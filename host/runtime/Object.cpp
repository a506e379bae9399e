#include "runtime/Object.h"

#include "runtime/Runtime.h"

namespace host {

Class* Object::objcClass() {
  static Class* const cls =
      Runtime::shared().defineClass("NSObject", nullptr, factoryFor<Object>());
  return cls;
}

Object::Object(Class* cls) : isa_(cls) {}

Object::~Object() = default;

const std::string& Object::className() const {
  return isa_->name();
}

bool Object::isKindOfClass(const Class* cls) const {
  return isa_->isSubclassOf(cls);
}

bool Object::respondsToSelector(std::string_view selector) const {
  return isa_->instancesRespondToSelector(selector);
}

}  // namespace host
