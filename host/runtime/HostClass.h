#pragma once

#include <type_traits>

#include "runtime/Runtime.h"

// Defines `T::objcClass()`, the runtime class of a C++ class: named T, below `Super`, with
// instances made as T (see factoryFor). The class is defined on first use, once per process.
//
//   HOST_CLASS(UILabel, UIView)
//
// A class that registers methods or instance variables passes a setup that runs once, right
// after the class is defined. It is written inside T's objcClass, so it may name T's private
// members:
//
//   HOST_CLASS_WITH(UIView, UIResponder, [](Class* c) {
//     define<MethodsOf<UIView>::LayoutSubviews>(c, ...);
//   })
#define HOST_CLASS(T, Super) HOST_CLASS_WITH(T, Super, nullptr)

#define HOST_CLASS_WITH(T, Super, ...)                                           \
  ::host::Class* T::objcClass() {                                                \
    static ::host::Class* const cls =                                            \
        ::host::detail::defineHostClass<T>(#T, Super::objcClass(), __VA_ARGS__); \
    return cls;                                                                  \
  }

namespace host::detail {

template <class T, class Setup>
Class* defineHostClass(const char* name, Class* superclass, Setup&& setup) {
  Class* cls = Runtime::shared().defineClass(name, superclass, factoryFor<T>());
  if constexpr (!std::is_null_pointer_v<std::remove_cvref_t<Setup>>) setup(cls);
  return cls;
}

}  // namespace host::detail
