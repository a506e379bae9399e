#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>

#include "runtime/TypeEncoding.h"

namespace host {

class Object;

// The C++ form of a method implementation: the receiver first, then the arguments.
template <class Sig>
struct ImpTraits;
template <class R, class... A>
struct ImpTraits<R(A...)> {
  using Function = std::function<R(Object*, A...)>;
};
template <class Sig>
using Imp = typename ImpTraits<Sig>::Function;

// One method implementation held by a class's method table: a typed callable, erased, with the
// signature it was registered under so that a send or hook with another signature is caught.
class Implementation {
 public:
  template <class Sig>
  static std::shared_ptr<const Implementation> make(Imp<Sig> fn, std::string types = {}) {
    auto impl = std::make_shared<Implementation>(Private{}, typeid(Sig));
    impl->fn_ = std::make_shared<Imp<Sig>>(std::move(fn));
    impl->types_ = types.empty() ? MethodEncoding<Sig>::value() : std::move(types);
    return impl;
  }

  struct Private {};
  Implementation(Private, std::type_index signature) : signature_(signature) {}

  // The callable, or nullptr when Sig is not the signature the method was registered with.
  template <class Sig>
  const Imp<Sig>* as() const {
    if (signature_ != std::type_index(typeid(Sig))) return nullptr;
    return static_cast<const Imp<Sig>*>(fn_.get());
  }

  std::type_index signature() const { return signature_; }
  const std::string& types() const { return types_; }

 private:
  std::type_index signature_;
  std::shared_ptr<const void> fn_;
  std::string types_;
};

}  // namespace host
