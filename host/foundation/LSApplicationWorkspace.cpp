#include "foundation/LSApplicationWorkspace.h"

#include <cctype>

#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"

namespace host {

namespace {

constexpr std::size_t kMaxInfoBytes = std::size_t{4} << 20;

std::string lowercase(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::set<std::string> LSApplicationWorkspace::installedURLSchemes(const DeviceFileSystem& device) {
  std::set<std::string> schemes;
  const std::string directory = kApplicationsDirectory;
  for (const std::string& entry : device.contentsOfDirectory(directory)) {
    if (!entry.ends_with(".app")) continue;
    const auto bytes = device.readFile(directory + "/" + entry + "/Info.plist", kMaxInfoBytes);
    if (!bytes) continue;
    const Plist info = PropertyListSerialization::read(*bytes).value;
    for (const Plist& type : info.get("CFBundleURLTypes").items()) {
      for (const Plist& scheme : type.get("CFBundleURLSchemes").items()) {
        if (const std::string* name = scheme.asString(); name && !name->empty()) {
          schemes.insert(lowercase(*name));
        }
      }
    }
  }
  return schemes;
}

}  // namespace host
