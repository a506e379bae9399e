#pragma once

#include <stdexcept>
#include <string>

namespace host {

// Raised for what ends the app on a device: an unrecognised selector, a message sent with the
// wrong signature, a hook on a method that does not exist, an unknown instance variable. It is a
// programming error, never a user error, so it is meant to fail the process loudly.
class RuntimeError : public std::logic_error {
 public:
  explicit RuntimeError(const std::string& what) : std::logic_error(what) {}
};

}  // namespace host
