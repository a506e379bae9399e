#include "substrate/SubstrateLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

namespace {

// Filters are small; anything larger is not one.
constexpr std::size_t kMaxFilterBytes = std::size_t{1} << 20;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Handles of the opened libraries, never closed: their code may be running until exit.
std::vector<void*>& openHandles() {
  static auto* const handles = new std::vector<void*>();
  return *handles;
}

// Whether the filter at `path` names `bundleIdentifier`; logs why a filter cannot be used.
bool filterMatches(const DeviceFileSystem& device, const std::string& path,
                   const std::string& bundleIdentifier) {
  std::string error;
  const auto bytes = device.readFile(path, kMaxFilterBytes, &error);
  if (!bytes) {
    NSLog("SubstrateLoader: cannot read filter " + path + ": " + error);
    return false;
  }
  const auto parsed = PropertyListSerialization::read(*bytes);
  if (!parsed.ok() || !parsed.value.isDictionary()) {
    NSLog("SubstrateLoader: filter " + path + " is not a dictionary property list" +
          (parsed.ok() ? std::string() : ": " + parsed.error));
    return false;
  }
  const Plist bundles = parsed.value.getPath({"Filter", "Bundles"});
  for (const Plist& item : bundles.items()) {
    const std::string* name = item.asString();
    if (name && equalsIgnoringCase(*name, bundleIdentifier)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> SubstrateLoader::loadExtensions() {
  std::vector<std::string> loaded;
  const auto device = DeviceFileSystem::current();
  if (!device) return loaded;
  const std::string identifier = NSBundle::mainBundle()->bundleIdentifier();
  if (identifier.empty()) return loaded;
  const std::string directory = kDirectory;
  for (const std::string& entry : device->contentsOfDirectory(directory)) {
    if (entry.size() <= 6 || !entry.ends_with(".plist")) continue;
    const std::string filter = directory + "/" + entry;
    if (!filterMatches(*device, filter, identifier)) continue;
    const std::string library = directory + "/" + entry.substr(0, entry.size() - 6) + ".dylib";
    const auto hostPath = device->hostPath(library);
    bool isDirectory = false;
    if (!hostPath || !device->fileExists(library, &isDirectory) || isDirectory) {
      NSLog("SubstrateLoader: cannot load " + library + ": no such library");
      continue;
    }
    dlerror();
    void* handle = dlopen(hostPath->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* reason = dlerror();
      NSLog("SubstrateLoader: cannot load " + library + ": " + (reason ? reason : "unknown error"));
      continue;
    }
    openHandles().push_back(handle);
    loaded.push_back(library);
  }
  return loaded;
}

}  // namespace host
