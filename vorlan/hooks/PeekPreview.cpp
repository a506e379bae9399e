#include "hooks/PeekPreview.h"

#include <string>

#include "foundation/DeviceFileSystem.h"
#include "foundation/NSBundle.h"
#include "foundation/NSString.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSListController.h"
#include "preferences/PSPlistSpecifiers.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSystemPolicyForApp.h"
#include "runtime/Class.h"
#include "runtime/Runtime.h"
#include "uikit/UIViewController.h"

namespace vorlan {

namespace {

// Pages that are never previewed: the display page, and the account page, which signs in.
constexpr const char* kDisplayPage = "PSUIDisplayController";
constexpr const char* kAccountBundle =
    "/System/Library/PreferenceBundles/AccountSettings/AppleAccountSettings.bundle";
constexpr const char* kLittleBrother = "littlebrother";

std::string stringProperty(const host::PSSpecifier& cell, std::string_view key) {
  const std::string* value = cell.propertyForKey(key).asString();
  return value ? *value : std::string();
}

std::shared_ptr<host::Object> newInstance(const std::string& className) {
  host::Class* cls = className.empty() ? nullptr : host::NSClassFromString(className);
  return cls ? cls->createInstance() : nullptr;
}

// The bundle a cell's page comes from: its lazily loaded bundle, else the bundle object it
// carries; empty when it names none.
std::string bundlePathOf(const host::PSSpecifier& cell) {
  std::string path = stringProperty(cell, "lazy-bundle");
  if (path.empty()) {
    if (const auto bundle =
            std::dynamic_pointer_cast<host::NSBundle>(cell.objectForKey("pl_bundle")))
      path = bundle->bundlePath();
  }
  return path;
}

bool bundleExists(const std::string& path) {
  const auto device = host::DeviceFileSystem::current();
  return !path.empty() && device &&
         device->entryType(path) == host::DeviceFileSystem::EntryType::Directory;
}

}  // namespace

std::string PeekPreview::detailClassName(const host::PSSpecifier& cell) {
  const host::Class* detail = cell.detailControllerClass();
  return detail ? detail->name() : std::string();
}

std::shared_ptr<host::UIViewController> PeekPreview::pageFor(
    const std::shared_ptr<host::PSSpecifier>& cell) {
  if (!cell) return nullptr;
  std::string pageClass = detailClassName(*cell);
  if (pageClass == kAppPage) return appPage(cell);
  return bundlePage(cell, std::move(pageClass));
}

std::shared_ptr<host::UIViewController> PeekPreview::appPage(
    const std::shared_ptr<host::PSSpecifier>& cell) {
  auto policy = std::make_shared<host::PSSystemPolicyForApp>();
  policy->initWithBundleIdentifier(stringProperty(*cell, "AppBundleID"));
  auto page = std::make_shared<host::PSAppListController>();
  page->setSystemPolicy(policy);
  page->setSpecifiers(policy->specifiers());
  if (const auto settings =
          std::dynamic_pointer_cast<host::NSBundle>(cell->objectForKey("AppSettingsBundle"))) {
    const host::Plist root =
        host::PSPlistSpecifiers::readList(settings->bundlePath() + "/Root.plist");
    for (const host::Plist& entry : root.get("PreferenceSpecifiers").items()) {
      for (const auto& item : page->specifiersFromDictionary(entry, "Root", cell, page))
        page->addSpecifier(item);
    }
  }
  page->setTitle(cell->name());
  return page;
}

std::shared_ptr<host::UIViewController> PeekPreview::bundlePage(
    const std::shared_ptr<host::PSSpecifier>& cell, std::string pageClass) {
  if (pageClass.empty()) pageClass = stringProperty(*cell, "detail");
  if (pageClass == kDisplayPage) return nullptr;
  const std::string path = bundlePathOf(*cell);
  if (host::NSString::lowercaseString(cell->name()) == kLittleBrother || !bundleExists(path))
    return nullptr;

  const auto bundle = host::NSBundle::bundleWithPath(path);
  const host::Class* principalClass = bundle->principalClass();
  const std::string principal = principalClass ? principalClass->name() : std::string();
  if (pageClass == "PSListController") {
    if (path == kAccountBundle) return nullptr;
    pageClass = principal;
  }
  bundle->load();

  auto page = newInstance(pageClass);
  if (!page) page = newInstance(principal);
  // A page may stand for another class that shows the settings.
  if (page && host::respondsToSelector(page.get(), SettingsClassName::selector))
    page = newInstance(host::send<SettingsClassName>(page));
  auto controller = std::dynamic_pointer_cast<host::UIViewController>(page);
  if (!controller) return nullptr;

  const std::string dataSource = stringProperty(*cell, "dataSourceClass");
  if (const auto list = std::dynamic_pointer_cast<host::PSListController>(controller);
      list && !dataSource.empty()) {
    list->setDataSource(newInstance(dataSource));
  }
  if (controller->title().empty()) controller->setTitle(cell->name());
  return controller;
}

}  // namespace vorlan
