#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "runtime/Class.h"
#include "runtime/Implementation.h"
#include "runtime/Object.h"
#include "runtime/RuntimeError.h"
#include "runtime/Selector.h"
#include "runtime/TypeEncoding.h"

namespace host {

// The process's object runtime: every class by name. One per process.
class Runtime {
 public:
  static Runtime& shared();

  // Defines a class, or answers the one already defined under that name (with the same
  // superclass; another superclass is a programming error).
  Class* defineClass(const std::string& name, Class* superclass, Class::Factory factory = {});
  Class* findClass(std::string_view name) const;
  std::vector<std::string> classNames() const;

 private:
  Runtime() = default;
  std::vector<std::unique_ptr<Class>> classes_;
};

// A factory that makes a T for a class (T's own or one defined below it at run time).
template <class T>
Class::Factory factoryFor() {
  return [](Class* cls) -> std::shared_ptr<Object> { return std::make_shared<T>(cls); };
}

Class* NSClassFromString(std::string_view name);
Class* objc_getClass(std::string_view name);

namespace detail {
[[noreturn]] void failUnrecognized(const Object* self, std::string_view selector);
[[noreturn]] void failSignature(const Class* cls, std::string_view selector,
                                const Implementation& found, std::type_index sentSignature,
                                const std::string& sentTypes);
[[noreturn]] void failIvar(const Object* self, std::string_view name, const char* problem);
[[noreturn]] void failHook(const Class* cls, std::string_view selector, const char* problem);

template <class Sig>
struct Dispatch;

template <class R, class... A>
struct Dispatch<R(A...)> {
  using Sig = R(A...);

  static const Imp<Sig>& resolve(const Object* self, const Class* start, std::string_view sel,
                                 std::shared_ptr<const Implementation>& keepAlive) {
    keepAlive = start ? start->lookup(sel) : nullptr;
    if (!keepAlive) failUnrecognized(self, sel);
    const Imp<Sig>* fn = keepAlive->template as<Sig>();
    if (!fn)
      failSignature(self->getClass(), sel, *keepAlive, typeid(Sig), MethodEncoding<Sig>::value());
    return *fn;
  }

  template <class... Args>
  static R send(Object* self, const Class* start, std::string_view sel, Args&&... args) {
    static_assert(sizeof...(Args) == sizeof...(A), "argument count differs from the signature");
    // A message to nil does nothing and answers zero.
    if (self == nullptr) {
      if constexpr (std::is_void_v<R>) {
        return;
      } else {
        return R{};
      }
    }
    std::shared_ptr<const Implementation> keepAlive;
    const Imp<Sig>& fn = resolve(self, start, sel, keepAlive);
    return fn(self, A(std::forward<Args>(args))...);
  }

  // The original of a hook on a method the class only inherits: a send to the superclass,
  // looked up at call time so that later hooks up the chain are honoured.
  static Imp<Sig> superCaller(const Class* cls, std::string sel) {
    return [super = cls->superclass(), sel = std::move(sel)](Object* self, A... args) -> R {
      std::shared_ptr<const Implementation> keepAlive;
      const Imp<Sig>& fn = resolve(self, super, sel, keepAlive);
      return fn(self, std::forward<A>(args)...);
    };
  }
};
}  // namespace detail

// Sends a message by selector with an explicit signature, e.g.
// msgSend<void(bool)>(controller, "viewWillAppear:", true). A send with another signature than
// the implementation's, or an unknown selector, raises RuntimeError naming the selector.
template <class Sig, class... Args>
auto msgSend(Object* self, std::string_view selector, Args&&... args) {
  return detail::Dispatch<Sig>::send(self, self ? self->getClass() : nullptr, selector,
                                     std::forward<Args>(args)...);
}
template <class Sig, class T, class... Args>
auto msgSend(const std::shared_ptr<T>& self, std::string_view selector, Args&&... args) {
  return msgSend<Sig>(static_cast<Object*>(self.get()), selector, std::forward<Args>(args)...);
}

// Sends to the implementation above `cls` (a [super ...] send from a method of `cls`).
template <class Sig, class... Args>
auto msgSendSuper(const Class* cls, Object* self, std::string_view selector, Args&&... args) {
  return detail::Dispatch<Sig>::send(self, cls->superclass(), selector,
                                     std::forward<Args>(args)...);
}

inline bool respondsToSelector(const Object* object, std::string_view selector) {
  return object != nullptr && object->respondsToSelector(selector);
}

// Registers a method in a class's own table (how the host defines its classes' methods).
template <class Sig>
void defineMethod(Class* cls, std::string selector, Imp<Sig> impl) {
  cls->setMethod(std::move(selector), Implementation::make<Sig>(std::move(impl)));
}

// Replaces the implementation of `selector` in `cls`, keeping the replaced one callable through
// *original. When `cls` only inherits the method, the replacement goes into `cls` alone and the
// original sends to the superclass, which is left untouched.
template <class Sig>
void MSHookMessageEx(Class* cls, std::string_view selector, Imp<Sig> replacement,
                     Imp<Sig>* original) {
  if (cls == nullptr) detail::failHook(cls, selector, "no class");
  std::shared_ptr<const Implementation> current = cls->lookup(selector);
  if (!current) detail::failHook(cls, selector, "the class has no such method");
  const Imp<Sig>* fn = current->template as<Sig>();
  if (!fn) {
    detail::failSignature(cls, selector, *current, typeid(Sig), MethodEncoding<Sig>::value());
  }
  if (original != nullptr) {
    *original = cls->ownMethod(selector)
                    ? *fn
                    : detail::Dispatch<Sig>::superCaller(cls, std::string(selector));
  }
  cls->setMethod(std::string(selector),
                 Implementation::make<Sig>(std::move(replacement), current->types()));
}

// Adds a method that the class does not implement itself (it may override an inherited one).
// Answers false, changing nothing, when the class already has its own implementation. The type
// encoding must describe Sig; a mismatch is a programming error.
template <class Sig>
bool class_addMethod(Class* cls, std::string_view selector, Imp<Sig> impl, std::string_view types) {
  if (cls == nullptr) detail::failHook(cls, selector, "no class");
  if (!sameMethodEncoding(types, MethodEncoding<Sig>::value())) {
    detail::failHook(cls, selector, "the type encoding does not match the implementation");
  }
  if (cls->ownMethod(selector)) return false;
  cls->setMethod(std::string(selector),
                 Implementation::make<Sig>(std::move(impl), std::string(types)));
  return true;
}

// Makes a C++ member readable by name as an instance variable of objects of `cls`.
template <class C, class T>
void registerIvar(Class* cls, std::string name, T C::*member) {
  static_assert(std::is_base_of_v<Object, C>);
  cls->addIvar(std::move(name), Class::Ivar{typeid(T), [member](Object* object) -> void* {
                                              auto* self = dynamic_cast<C*>(object);
                                              return self ? &(self->*member) : nullptr;
                                            }});
}

// The instance variable `name` of `object`, as a reference of type T.
template <class T>
T& MSHookIvar(Object* object, std::string_view name) {
  if (object == nullptr) detail::failIvar(object, name, "read from nil");
  const Class::Ivar* ivar = object->getClass()->findIvar(name);
  if (ivar == nullptr) detail::failIvar(object, name, "no such instance variable");
  if (ivar->type != std::type_index(typeid(T))) {
    detail::failIvar(object, name, "read with the wrong type");
  }
  void* address = ivar->address(object);
  if (address == nullptr) detail::failIvar(object, name, "the object is not of the declaring type");
  return *static_cast<T*>(address);
}
template <class T, class O>
T& MSHookIvar(const std::shared_ptr<O>& object, std::string_view name) {
  return MSHookIvar<T>(static_cast<Object*>(object.get()), name);
}

}  // namespace host
