#pragma once

#include <utility>

#include "runtime/Method.h"

namespace host {

// The implementation a hook replaced, kept callable from the hook. Meant to be a namespace-scope
// variable next to the hook: it needs no construction and is never destroyed, so a hook that
// runs while the process ends still reaches the host's behaviour.
template <class M>
class Original {
 public:
  constexpr Original() = default;
  Original(const Original&) = delete;
  Original& operator=(const Original&) = delete;

  bool installed() const { return fn_ != nullptr; }

  template <class... Args>
  decltype(auto) operator()(Object* self, Args&&... args) const {
    if (fn_ == nullptr) detail::failHook(nullptr, M::selector, "its original was never kept");
    return (*fn_)(self, std::forward<Args>(args)...);
  }

 private:
  template <class N>
  friend void hook(Class* cls, ImpOf<N> replacement, Original<N>& original);

  // Owned for the life of the process (see above); a second hook through the same slot keeps
  // the first one alive, as a hook that is still running may use it.
  const ImpOf<M>* fn_ = nullptr;
};

// Replaces M in a class, keeping the replaced implementation in `original` (see MSHookMessageEx
// for a method the class only inherits). Raises RuntimeError, changing nothing, when the class
// does not answer M or answers it with another signature.
template <class M>
void hook(Class* cls, ImpOf<M> replacement, Original<M>& original) {
  ImpOf<M> kept;
  MSHookMessageEx<typename M::Signature>(cls, M::selector, std::move(replacement), &kept);
  original.fn_ = new ImpOf<M>(std::move(kept));  // NOLINT: lives as long as the process
}

}  // namespace host
