#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/Runtime.h"

namespace host {

// A selector written at compile time, so that a method descriptor can check its shape.
template <std::size_t N>
struct SelectorLiteral {
  char text[N]{};
  constexpr SelectorLiteral(const char (&name)[N]) {  // NOLINT: implicit, to read as a literal
    std::copy_n(name, N, text);
  }
  constexpr std::string_view view() const { return {text, N - 1}; }
  constexpr std::size_t colons() const {
    return static_cast<std::size_t>(std::count(text, text + N, ':'));
  }
};

template <class Sig>
struct ArgumentCount;
template <class R, class... A>
struct ArgumentCount<R(A...)> {
  static constexpr std::size_t value = sizeof...(A);
};

// One method of the runtime as one type: its selector and its C++ signature (the receiver left
// out). Definitions, sends, hooks and additions that name the descriptor cannot disagree on
// either, and its runtime type encoding follows from the signature. Descriptors of a class's
// methods are grouped in MethodsOf<Class>, next to the class.
template <SelectorLiteral Name, class Sig>
struct Method {
  using Signature = Sig;
  static constexpr std::string_view selector = Name.view();
  static_assert(Name.colons() == ArgumentCount<Sig>::value,
                "a selector has one colon per argument of its signature");

  // The runtime type encoding, as an addition registers it ("v@:B" for void(bool)).
  static std::string types() { return MethodEncoding<Sig>::value(); }
};

// The descriptors of a class's methods, declared in a small header next to the class
// (<Class>Methods.h). A subclass's set derives from its superclass's, as the methods do.
template <class C>
struct MethodsOf;

template <class M>
using ImpOf = Imp<typename M::Signature>;

// Sends M to an object: send<MethodsOf<UIView>::LayoutSubviews>(view).
template <class M, class... Args>
auto send(Object* self, Args&&... args) {
  return msgSend<typename M::Signature>(self, M::selector, std::forward<Args>(args)...);
}
template <class M, class T, class... Args>
auto send(const std::shared_ptr<T>& self, Args&&... args) {
  return send<M>(static_cast<Object*>(self.get()), std::forward<Args>(args)...);
}

// Registers the host's own implementation of M in a class's table.
template <class M>
void define(Class* cls, ImpOf<M> impl) {
  defineMethod<typename M::Signature>(cls, std::string(M::selector), std::move(impl));
}

// Adds M to a class that does not implement it itself, under M's type encoding (see
// class_addMethod). Answers false, changing nothing, when the class has its own.
template <class M>
bool add(Class* cls, ImpOf<M> impl) {
  return class_addMethod<typename M::Signature>(cls, M::selector, std::move(impl), M::types());
}

}  // namespace host
