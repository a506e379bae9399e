#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace host {

class Class;

// The root of every host object (NSObject on the device). Each object carries its runtime class,
// through which messages sent by name are dispatched. Objects are shared: strong references are
// std::shared_ptr, weak ones std::weak_ptr.
class Object : public std::enable_shared_from_this<Object> {
 public:
  // The runtime class "NSObject".
  static Class* objcClass();

  explicit Object(Class* cls = objcClass());
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object();

  Class* getClass() const { return isa_; }
  const std::string& className() const;
  bool isKindOfClass(const Class* cls) const;
  bool isMemberOfClass(const Class* cls) const { return isa_ == cls; }
  bool respondsToSelector(std::string_view selector) const;

 private:
  Class* isa_;
};

using Id = std::shared_ptr<Object>;
using NSObject = Object;

}  // namespace host
