#include "DeviceOptions.h"

#include "foundation/DeviceFileSystem.h"
#include "foundation/Plist.h"
#include "foundation/PropertyListSerialization.h"
#include "uikit/UIDevice.h"
#include "uikit/UIScreen.h"
#include "uikit/UITraitCollection.h"

namespace vorlan {

namespace {

constexpr const char* kDirectory = "/var/mobile/Library/Simulator";
constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

}  // namespace

DeviceOptions DeviceOptions::load(const host::DeviceFileSystem& device) {
  DeviceOptions options;
  const auto bytes = device.readFile(kPath, kMaxBytes);
  if (!bytes) return options;
  const host::Plist stored = host::PropertyListSerialization::read(*bytes).value;
  if (const std::string* model = stored.get("Model").asString(); model && !model->empty()) {
    options.model = *model;
  }
  options.forceTouch = stored.get("ForceTouch").asBoolean().value_or(options.forceTouch);
  options.landscape = stored.get("Landscape").asBoolean().value_or(options.landscape);
  return options;
}

bool DeviceOptions::save(const host::DeviceFileSystem& device, std::string* error,
                         DeviceWrites writes) const {
  const host::Plist stored = host::Plist::dictionary({
      {"Model", host::Plist::string(model)},
      {"ForceTouch", host::Plist::boolean(forceTouch)},
      {"Landscape", host::Plist::boolean(landscape)},
  });
  const auto xml = host::PropertyListSerialization::writeXml(stored, error);
  return xml && device.createDirectory(kDirectory, true, error) &&
         writeDeviceFile(device, writes, kPath, *xml, error);
}

void DeviceOptions::apply() const {
  host::UIDevice::currentDevice()->setModel(model);
  // An iPad (Air 2) has a 768 x 1024 point screen in portrait; an iPhone 7 keeps 375 x 667.
  if (model.starts_with("iPad")) {
    host::UIScreen::mainScreen()->setBounds(host::CGRectMake(0, 0, 768, 1024));
  }
  host::UITraitCollection::setDeviceForceTouchCapability(
      forceTouch ? host::UIForceTouchCapabilityAvailable : host::UIForceTouchCapabilityUnavailable);
}

}  // namespace vorlan
