#pragma once

#include <memory>
#include <string>

#include "runtime/Object.h"

namespace host {

// The device the process runs on; its model is "iPhone" unless the simulator sets another
// ("iPad", "iPod touch").
class UIDevice : public Object {
 public:
  static Class* objcClass();
  explicit UIDevice(Class* cls = objcClass());

  static const std::shared_ptr<UIDevice>& currentDevice();

  const std::string& model() const { return model_; }
  void setModel(std::string model) { model_ = std::move(model); }

 private:
  std::string model_ = "iPhone";
};

}  // namespace host
