#include "hooks/BundleRecord.h"

#include <memory>
#include <string>

#include "foundation/NSBundle.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Class.h"
#include "uikit/UIImage.h"

namespace vorlan {

namespace {

std::string stringProperty(const host::PSSpecifier& cell, std::string_view key) {
  const host::Plist value = cell.propertyForKey(key);
  const std::string* text = value.asString();
  return text ? *text : std::string();
}

std::string pathOfBundleObject(const host::PSSpecifier& cell, std::string_view key) {
  const auto bundle = std::dynamic_pointer_cast<host::NSBundle>(cell.objectForKey(key));
  return bundle ? bundle->bundlePath() : std::string();
}

}  // namespace

host::Plist BundleRecord::forCell(const host::PSSpecifier& cell) {
  std::string path;
  std::string identifier;
  const host::Class* detail = cell.detailControllerClass();
  if (detail && detail->name() == "PSAppListController") {
    // An app's settings page: its settings bundle, and the app it belongs to.
    path = pathOfBundleObject(cell, "AppSettingsBundle");
    identifier = stringProperty(cell, "AppBundleID");
  } else {
    // A system page: the bundle the cell loads lazily, else the one it was loaded from.
    path = stringProperty(cell, "lazy-bundle");
    if (path.empty()) path = pathOfBundleObject(cell, "pl_bundle");
  }

  host::Plist record =
      host::Plist::dictionary({{"specifier", host::Plist::string(cell.identifier())},
                               {"name", host::Plist::string(cell.name())}});
  const auto setIfAny = [&record](const char* key, std::string value) {
    if (!value.empty()) record = record.with(key, host::Plist::string(std::move(value)));
  };
  setIfAny("path", std::move(path));
  setIfAny("identifier", std::move(identifier));
  setIfAny("dataSourceClass", stringProperty(cell, "dataSourceClass"));
  if (const auto icon = std::dynamic_pointer_cast<host::UIImage>(cell.objectForKey("iconImage"))) {
    record = record.with("icon", host::Plist::data(host::UIImagePNGRepresentation(icon)));
  }
  return record;
}

}  // namespace vorlan
