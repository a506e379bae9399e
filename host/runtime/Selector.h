#pragma once

#include <string>
#include <utility>

namespace host {

// A method name, passed as a value where the platform passes a SEL (target/action pairs,
// "a selector" arguments). Compared by name.
struct Selector {
  std::string name;

  Selector() = default;
  Selector(std::string n) : name(std::move(n)) {}  // NOLINT: implicit, as @selector(...) reads
  Selector(const char* n) : name(n) {}             // NOLINT
  bool empty() const { return name.empty(); }
  friend bool operator==(const Selector&, const Selector&) = default;
};

}  // namespace host
