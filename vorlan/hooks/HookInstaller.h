#pragma once

#include <functional>
#include <string_view>

#include "runtime/Original.h"

namespace vorlan {

// Installs the extension's hooks and additions on the host's classes, one at a time, so that
// one that cannot be installed (a method a new system version lacks or changed) costs only
// itself: it is logged as one "<Vorlan3> ..." line and every other one still goes in.
class HookInstaller {
 public:
  // Replaces M in `cls`; the replaced implementation stays callable through `original`.
  template <class M>
  void hook(host::Class* cls, host::ImpOf<M> replacement, host::Original<M>& original) {
    attempt(cls, M::selector, [&] {
      host::hook<M>(cls, std::move(replacement), original);
      return true;
    });
  }

  // Adds M, under its descriptor's type encoding, to a class that does not implement it.
  template <class M>
  void add(host::Class* cls, host::ImpOf<M> impl) {
    attempt(cls, M::selector, [&] { return host::add<M>(cls, std::move(impl)); });
  }

  // How many could not be installed.
  int failures() const { return failures_; }

 private:
  void attempt(const host::Class* cls, std::string_view selector,
               const std::function<bool()>& install);

  int failures_ = 0;
};

}  // namespace vorlan
