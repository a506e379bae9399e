#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>

#include "runtime/Implementation.h"

namespace host {

class Object;

// A class of the object runtime: its name, its superclass and its own method table. Lookups walk
// the superclass chain; a per-class cache keeps sends cheap and is dropped whenever any method
// table of the process changes.
class Class {
 public:
  using Factory = std::function<std::shared_ptr<Object>(Class*)>;

  Class(std::string name, Class* superclass, Factory factory);
  Class(const Class&) = delete;
  Class& operator=(const Class&) = delete;

  const std::string& name() const { return name_; }
  Class* superclass() const { return superclass_; }
  bool isSubclassOf(const Class* other) const;  // true for the class itself

  // The implementation this class answers for a selector, its own or inherited; nullptr if none.
  std::shared_ptr<const Implementation> lookup(std::string_view selector) const;
  // Only this class's own table.
  std::shared_ptr<const Implementation> ownMethod(std::string_view selector) const;
  bool instancesRespondToSelector(std::string_view selector) const {
    return lookup(selector) != nullptr;
  }

  // Puts an implementation into this class's own table, replacing any it had.
  void setMethod(std::string selector, std::shared_ptr<const Implementation> impl);
  // Takes a method out of this class's own table (inherited ones stay reachable): a stand-in
  // for a host of another system version that lacks the method.
  void removeMethod(std::string_view selector);

  // Creates an instance of this class through the nearest factory up the chain, so that a class
  // defined at run time (a subclass made by name) gets an object of its C++ ancestor.
  std::shared_ptr<Object> createInstance();

  // Instance variables readable by name: an accessor that yields the address of the variable in
  // an object of this class, with the variable's C++ type.
  struct Ivar {
    std::type_index type;
    std::function<void*(Object*)> address;
  };
  void addIvar(std::string name, Ivar ivar);
  const Ivar* findIvar(std::string_view name) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Table =
      std::unordered_map<std::string, std::shared_ptr<const Implementation>, Hash, std::equal_to<>>;

  std::string name_;
  Class* superclass_;
  Factory factory_;
  Table methods_;
  mutable Table cache_;
  mutable std::uint64_t cacheEpoch_ = 0;
  std::map<std::string, Ivar, std::less<>> ivars_;
};

}  // namespace host
