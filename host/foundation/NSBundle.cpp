#include "foundation/NSBundle.h"

#include <utility>
#include <vector>

#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "runtime/HostClass.h"
#include "runtime/Runtime.h"

namespace host {

namespace {

struct LoadableClass {
  std::string bundlePath;
  std::string className;
  NSBundle::ClassDefiner definer;
};

std::vector<LoadableClass>& loadableClasses() {
  static std::vector<LoadableClass> classes;
  return classes;
}

std::string normalized(std::string path) {
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

}  // namespace

HOST_CLASS(NSBundle, Object)

NSBundle::NSBundle(Class* cls) : Object(cls) {}

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(std::string path) {
  auto bundle = std::make_shared<NSBundle>();
  bundle->path_ = std::move(path);
  return bundle;
}

namespace {

std::shared_ptr<NSBundle>& mainBundleSlot() {
  static std::shared_ptr<NSBundle> bundle;
  return bundle;
}

}  // namespace

std::shared_ptr<NSBundle> NSBundle::mainBundle() {
  auto& bundle = mainBundleSlot();
  if (!bundle) bundle = std::make_shared<NSBundle>();
  return bundle;
}

void NSBundle::setMainBundle(std::shared_ptr<NSBundle> bundle) {
  mainBundleSlot() = std::move(bundle);
}

bool NSBundle::load() {
  if (loaded_) return true;
  const auto device = DeviceFileSystem::current();
  bool isDirectory = false;
  if (!device || !device->fileExists(path_, &isDirectory) || !isDirectory) return false;
  const std::string key = normalized(path_);
  // A definer may register further classes; walk by index.
  for (std::size_t i = 0; i < loadableClasses().size(); ++i) {
    if (loadableClasses()[i].bundlePath != key) continue;
    const ClassDefiner definer = loadableClasses()[i].definer;
    if (definer) definer();
  }
  loaded_ = true;
  return true;
}

const Plist& NSBundle::infoDictionary() {
  if (!infoRead_) {
    infoRead_ = true;
    if (const auto device = DeviceFileSystem::current()) {
      if (auto bytes = device->readFile(pathForResource("Info", "plist"))) {
        Plist value = PropertyListSerialization::read(*bytes).value;
        if (value.isDictionary()) info_ = std::move(value);
      }
    }
  }
  return info_;
}

std::string NSBundle::bundleIdentifier() {
  const std::string* identifier = infoDictionary().get("CFBundleIdentifier").asString();
  return identifier ? *identifier : std::string();
}

Class* NSBundle::principalClass() {
  if (!load()) return nullptr;
  if (const std::string* name = infoDictionary().get("NSPrincipalClass").asString()) {
    if (Class* cls = NSClassFromString(*name)) return cls;
  }
  const std::string key = normalized(path_);
  for (const LoadableClass& entry : loadableClasses()) {
    if (entry.bundlePath == key) return NSClassFromString(entry.className);
  }
  return nullptr;
}

std::string NSBundle::pathForResource(const std::string& name, const std::string& type) const {
  std::string path = normalized(path_) + "/" + name;
  if (!type.empty()) path += "." + type;
  return path;
}

void NSBundle::registerLoadableClass(std::string bundlePath, std::string className,
                                     ClassDefiner definer) {
  loadableClasses().push_back(
      {normalized(std::move(bundlePath)), std::move(className), std::move(definer)});
}

void NSBundle::removeAllLoadableClasses() {
  loadableClasses().clear();
}

}  // namespace host
