#include "runtime/Class.h"

#include <atomic>

#include "runtime/RuntimeError.h"

namespace host {

namespace {
// Bumped by every change to any method table; caches older than it are stale.
std::atomic<std::uint64_t> methodTablesEpoch{1};
}  // namespace

Class::Class(std::string name, Class* superclass, Factory factory)
    : name_(std::move(name)), superclass_(superclass), factory_(std::move(factory)) {}

bool Class::isSubclassOf(const Class* other) const {
  for (const Class* c = this; c != nullptr; c = c->superclass_) {
    if (c == other) return true;
  }
  return false;
}

std::shared_ptr<const Implementation> Class::ownMethod(std::string_view selector) const {
  auto it = methods_.find(selector);
  return it == methods_.end() ? nullptr : it->second;
}

std::shared_ptr<const Implementation> Class::lookup(std::string_view selector) const {
  const std::uint64_t epoch = methodTablesEpoch.load(std::memory_order_relaxed);
  if (cacheEpoch_ != epoch) {
    cache_.clear();
    cacheEpoch_ = epoch;
  }
  if (auto hit = cache_.find(selector); hit != cache_.end()) return hit->second;
  std::shared_ptr<const Implementation> found;
  for (const Class* c = this; c != nullptr && !found; c = c->superclass_) {
    found = c->ownMethod(selector);
  }
  cache_.emplace(std::string(selector), found);
  return found;
}

void Class::setMethod(std::string selector, std::shared_ptr<const Implementation> impl) {
  methods_[std::move(selector)] = std::move(impl);
  methodTablesEpoch.fetch_add(1, std::memory_order_relaxed);
}

void Class::removeMethod(std::string_view selector) {
  if (auto it = methods_.find(selector); it != methods_.end()) methods_.erase(it);
  methodTablesEpoch.fetch_add(1, std::memory_order_relaxed);
}

std::shared_ptr<Object> Class::createInstance() {
  for (Class* c = this; c != nullptr; c = c->superclass_) {
    if (c->factory_) return c->factory_(this);
  }
  throw RuntimeError("+[" + name_ + " alloc]: the class has no constructible ancestor");
}

void Class::addIvar(std::string name, Ivar ivar) {
  ivars_.insert_or_assign(std::move(name), ivar);
}

const Class::Ivar* Class::findIvar(std::string_view name) const {
  for (const Class* c = this; c != nullptr; c = c->superclass_) {
    if (auto it = c->ivars_.find(name); it != c->ivars_.end()) return &it->second;
  }
  return nullptr;
}

}  // namespace host
