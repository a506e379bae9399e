#pragma once

#include <memory>
#include <string>

#include "runtime/Object.h"

namespace host {

class Class;

// A bundle on the device: a directory of code and resources, named by its path.
class NSBundle : public Object {
 public:
  static Class* objcClass();
  explicit NSBundle(Class* cls = objcClass());

  static std::shared_ptr<NSBundle> bundleWithPath(std::string path);
  const std::string& bundlePath() const { return path_; }

 private:
  std::string path_;
};

}  // namespace host
