#include "preferences/PSPlistSpecifiers.h"

#include "foundation/DeviceFileSystem.h"
#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "foundation/PropertyListSerialization.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSListItemsController.h"
#include "preferences/PSPlistListController.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSTableCell.h"
#include "runtime/Runtime.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"

namespace host {

namespace {

constexpr std::size_t kMaxListBytes = std::size_t{8} << 20;

struct SettingsEntryType {
  std::string_view type;
  int cellType;
};

constexpr SettingsEntryType kSettingsEntryTypes[] = {
    {"PSGroupSpecifier", PSSpecifier::PSGroupCell},
    {"PSToggleSwitchSpecifier", PSSpecifier::PSSwitchCell},
    {"PSChildPaneSpecifier", PSSpecifier::PSLinkCell},
    {"PSMultiValueSpecifier", PSSpecifier::PSLinkListCell},
    {"PSTitleValueSpecifier", PSSpecifier::PSTitleValueCell},
    {"PSTextFieldSpecifier", PSSpecifier::PSEditTextCell},
    {"PSSliderSpecifier", PSSpecifier::PSSliderCell},
};

std::string stringOf(const Plist& item, std::string_view key) {
  const std::string* value = item.get(key).asString();
  return value ? *value : std::string();
}

// The page class an item opens; nullptr when it names none or it cannot be found.
Class* pageClassOf(const Plist& item) {
  const std::string detail = stringOf(item, "detail");
  const std::string bundlePath = stringOf(item, "bundle");
  if (!bundlePath.empty()) {
    PSPlistListController::registerBundleClasses(bundlePath);
    const auto bundle = NSBundle::bundleWithPath(bundlePath);
    if (!bundle->load()) return detail.empty() ? nullptr : NSClassFromString(detail);
    return detail.empty() ? bundle->principalClass() : NSClassFromString(detail);
  }
  return detail.empty() ? nullptr : NSClassFromString(detail);
}

std::shared_ptr<PSSpecifier> specifierFor(const Plist& item, const std::string& bundlePath,
                                          const std::shared_ptr<Object>& target) {
  const std::string cellName = stringOf(item, "cell");
  const int type =
      cellName.empty() ? PSSpecifier::PSLinkCell : PSTableCell::cellTypeFromString(cellName);
  auto specifier = PSSpecifier::specifier(stringOf(item, "id"), stringOf(item, "label"), type);
  for (const auto& [key, value] : item.entries())
    specifier->setProperty(value, key);
  if (type == PSSpecifier::PSGroupCell) return specifier;

  specifier->setDetailControllerClass(pageClassOf(item));
  if (const std::string lazy = stringOf(item, "bundle"); !lazy.empty()) {
    specifier->setProperty(Plist::string(lazy), "lazy-bundle");
  }
  if (const std::string icon = stringOf(item, "icon"); !icon.empty()) {
    const std::string path = icon.front() == '/' ? icon : bundlePath + "/" + icon;
    if (auto image = PSPlistSpecifiers::iconAt(path)) specifier->setObject(image, "iconImage");
  }
  specifier->setTarget(target);
  specifier->setSetterSelector("setPreferenceValue:specifier:");
  specifier->setGetterSelector("readPreferenceValue:");
  return specifier;
}

}  // namespace

std::vector<std::shared_ptr<PSSpecifier>> PSPlistSpecifiers::fromList(
    const Plist& list, const std::string& bundlePath, const std::shared_ptr<Object>& target) {
  std::vector<std::shared_ptr<PSSpecifier>> out;
  const Plist items = list.get(kItemsKey);
  if (items.size() == 0) return out;
  if (!bundlePath.empty()) {
    // The list's own pages are the code of the bundle it belongs to.
    PSPlistListController::registerBundleClasses(bundlePath);
    NSBundle::bundleWithPath(bundlePath)->load();
  }
  out.reserve(items.size());
  for (const Plist& item : items.items()) {
    if (item.isDictionary()) out.push_back(specifierFor(item, bundlePath, target));
  }
  return out;
}

Plist PSPlistSpecifiers::readList(const std::string& devicePath) {
  const auto device = DeviceFileSystem::current();
  if (!device) return {};
  std::string error;
  const auto bytes = device->readFile(devicePath, kMaxListBytes, &error);
  if (!bytes) {
    NSLog("Could not load " + devicePath + ": " + (error.empty() ? "cannot read it" : error));
    return {};
  }
  auto read = PropertyListSerialization::read(*bytes);
  if (!read.ok()) {
    NSLog("Could not load " + devicePath + ": " + read.error);
    return {};
  }
  if (!read.value.isDictionary()) {
    NSLog("Could not load " + devicePath + ": it is not a dictionary");
    return {};
  }
  return read.value;
}

std::shared_ptr<UIImage> PSPlistSpecifiers::iconAt(const std::string& devicePath) {
  if (UIScreen::mainScreen()->scale() >= 2 && devicePath.ends_with(".png") &&
      devicePath.find("@2x.") == std::string::npos) {
    const std::string retina = devicePath.substr(0, devicePath.size() - 4) + "@2x.png";
    if (auto image = UIImage::imageWithContentsOfFile(retina)) return image;
  }
  return UIImage::imageWithContentsOfFile(devicePath);
}

std::vector<std::shared_ptr<PSSpecifier>> PSPlistSpecifiers::fromSettingsEntry(
    const Plist& entry, const std::shared_ptr<PSSpecifier>& parent,
    const std::shared_ptr<Object>& target) {
  const std::string* type = entry.get("Type").asString();
  if (!entry.isDictionary() || !type) return {};
  const SettingsEntryType* known = nullptr;
  for (const auto& candidate : kSettingsEntryTypes) {
    if (candidate.type == *type) known = &candidate;
  }
  if (known == nullptr) return {};
  const std::string* title = entry.get("Title").asString();
  const std::string* key = entry.get("Key").asString();
  auto item = PSSpecifier::specifier(key ? *key : (title ? *title : std::string()),
                                     title ? *title : std::string(), known->cellType);
  for (const auto& [name, value] : entry.entries())
    item->setProperty(value, name);
  if (known->cellType == PSSpecifier::PSGroupCell) {
    if (const Plist footer = entry.get("FooterText"); !footer.isNone()) {
      item->setProperty(footer, "footerText");
    }
    return {item};
  }
  if (key) item->setProperty(Plist::string(*key), "key");
  if (const Plist fallback = entry.get("DefaultValue"); !fallback.isNone()) {
    item->setProperty(fallback, "default");
  }
  if (entry.get("defaults").isNone() && parent) {
    // An app's own page names its domain by the app; a child pane's rows keep the pane's.
    Plist app = parent->propertyForKey("AppBundleID");
    if (!app.isString()) app = parent->propertyForKey("defaults");
    if (app.isString()) item->setProperty(app, "defaults");
  }
  if (known->cellType == PSSpecifier::PSLinkCell) {
    // A child pane is another page of the same settings bundle, read from its "File".
    item->setDetailControllerClass(PSAppListController::objcClass());
    if (parent) item->setObject(parent->objectForKey("AppSettingsBundle"), "AppSettingsBundle");
  } else if (known->cellType == PSSpecifier::PSLinkListCell) {
    item->setDetailControllerClass(PSListItemsController::objcClass());
  }
  item->setTarget(target);
  item->setSetterSelector("setPreferenceValue:specifier:");
  item->setGetterSelector("readPreferenceValue:");
  return {item};
}

}  // namespace host
