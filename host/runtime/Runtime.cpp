#include "runtime/Runtime.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>

namespace host {

namespace {

std::string demangle(const char* name) {
  int status = 0;
  char* text = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  std::string out = status == 0 && text != nullptr ? text : name;
  std::free(text);  // NOLINT: memory from __cxa_demangle
  return out;
}

std::string methodName(const Class* cls, std::string_view selector) {
  return "-[" + (cls ? cls->name() : std::string("nil")) + " " + std::string(selector) + "]";
}

}  // namespace

Runtime& Runtime::shared() {
  static Runtime runtime;
  return runtime;
}

Class* Runtime::defineClass(const std::string& name, Class* superclass, Class::Factory factory) {
  if (Class* existing = findClass(name)) {
    if (existing->superclass() != superclass) {
      throw RuntimeError("class " + name + " is already defined with another superclass");
    }
    return existing;
  }
  classes_.push_back(std::make_unique<Class>(name, superclass, std::move(factory)));
  return classes_.back().get();
}

Class* Runtime::findClass(std::string_view name) const {
  auto it = std::find_if(classes_.begin(), classes_.end(),
                         [name](const std::unique_ptr<Class>& c) { return c->name() == name; });
  return it == classes_.end() ? nullptr : it->get();
}

std::vector<std::string> Runtime::classNames() const {
  std::vector<std::string> names;
  names.reserve(classes_.size());
  for (const auto& c : classes_)
    names.push_back(c->name());
  std::sort(names.begin(), names.end());
  return names;
}

Class* NSClassFromString(std::string_view name) {
  return Runtime::shared().findClass(name);
}

Class* objc_getClass(std::string_view name) {
  return Runtime::shared().findClass(name);
}

bool sameMethodEncoding(std::string_view a, std::string_view b) {
  auto strip = [](std::string_view s) {
    std::string out;
    for (char c : s) {
      if (c < '0' || c > '9') out += c;
    }
    return out;
  };
  return strip(a) == strip(b);
}

namespace detail {

void failUnrecognized(const Object* self, std::string_view selector) {
  throw RuntimeError(methodName(self ? self->getClass() : nullptr, selector) +
                     ": unrecognized selector sent to instance");
}

void failSignature(const Class* cls, std::string_view selector, const Implementation& found,
                   std::type_index sentSignature, const std::string& sentTypes) {
  throw RuntimeError(methodName(cls, selector) + ": used with signature " + sentTypes + " (" +
                     demangle(sentSignature.name()) + ") but implemented as " + found.types() +
                     " (" + demangle(found.signature().name()) + ")");
}

void failIvar(const Object* self, std::string_view name, const char* problem) {
  throw RuntimeError("instance variable " + std::string(name) + " of " +
                     (self ? self->className() : std::string("nil")) + ": " + problem);
}

void failHook(const Class* cls, std::string_view selector, const char* problem) {
  throw RuntimeError("cannot install " + methodName(cls, selector) + ": " + problem);
}

}  // namespace detail
}  // namespace host
