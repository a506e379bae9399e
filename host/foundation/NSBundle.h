#pragma once

#include <functional>
#include <memory>
#include <string>

#include "foundation/Plist.h"
#include "runtime/Object.h"

namespace host {

class Class;

// A bundle on the device: a directory of code and resources, named by its device path.
//
// A bundle's code is stood in for by loadable classes: the device's content registers, per bundle
// path, the classes that the bundle's code defines (registerLoadableClass); `load` defines them in
// the runtime, so that before it they cannot be found by name. A bundle loads once; loading fails
// (false) when no directory exists at the path on the current device.
class NSBundle : public Object {
 public:
  // Defines one class in the runtime and answers it.
  using ClassDefiner = std::function<Class*()>;

  static Class* objcClass();
  explicit NSBundle(Class* cls = objcClass());

  static std::shared_ptr<NSBundle> bundleWithPath(std::string path);
  // The running app's own bundle; a bundle without a path until the app sets it at launch.
  static std::shared_ptr<NSBundle> mainBundle();
  static void setMainBundle(std::shared_ptr<NSBundle> bundle);
  const std::string& bundlePath() const { return path_; }

  bool load();
  bool isLoaded() const { return loaded_; }
  // Info.plist of the bundle (None when missing or unreadable), read on first use.
  const Plist& infoDictionary();
  std::string bundleIdentifier();  // CFBundleIdentifier; empty when none
  // NSPrincipalClass of Info.plist, else the first class registered for the bundle; loads the
  // bundle first. nullptr when there is none or the bundle cannot load.
  Class* principalClass();
  // The device path of a resource in the bundle ("Root" + "plist" -> "<bundle>/Root.plist").
  std::string pathForResource(const std::string& name, const std::string& type) const;

  static void registerLoadableClass(std::string bundlePath, std::string className,
                                    ClassDefiner definer);
  // Forgets every registration (the simulator's device content is per process).
  static void removeAllLoadableClasses();

 private:
  std::string path_;
  bool loaded_ = false;
  bool infoRead_ = false;
  Plist info_;
};

}  // namespace host
