#include "hooks/OffscreenPage.h"

#include "foundation/Log.h"
#include "foundation/NSBundle.h"
#include "preferences/PSAppListController.h"
#include "preferences/PSListController.h"
#include "preferences/PSPlistSpecifiers.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSSystemPolicyForApp.h"
#include "runtime/Class.h"
#include "runtime/Runtime.h"

namespace vorlan {

std::string OffscreenPage::stringOf(const host::Plist& record, const char* key) {
  const std::string* text = record.get(key).asString();
  return text ? *text : std::string();
}

std::shared_ptr<host::PSListController> OffscreenPage::forSettingsBundle(
    const std::string& controllerKey, const host::Plist& record) {
  const std::string path = stringOf(record, "path");
  const auto bundle = host::NSBundle::bundleWithPath(path);
  if (!bundle || !bundle->load()) {
    host::NSLog("Couldn't load bundle at path " + path);
    return nullptr;
  }
  host::Class* cls = host::NSClassFromString(controllerKey);
  if (!cls) return nullptr;
  auto page = std::dynamic_pointer_cast<host::PSListController>(cls->createInstance());
  if (!page) return nullptr;
  const std::string dataSource = stringOf(record, "dataSourceClass");
  if (!dataSource.empty()) {
    if (host::Class* source = host::NSClassFromString(dataSource))
      page->setDataSource(source->createInstance());
  }
  return page;
}

std::shared_ptr<host::PSListController> OffscreenPage::forApp(const host::Plist& record) {
  auto policy = std::make_shared<host::PSSystemPolicyForApp>();
  policy->initWithBundleIdentifier(stringOf(record, "identifier"));
  auto page = std::make_shared<host::PSAppListController>();
  page->setSystemPolicy(policy);
  host::PSListController::Specifiers cells = policy->specifiers();
  page->setSpecifiers(cells);

  const host::Plist root =
      host::PSPlistSpecifiers::readList(stringOf(record, "path") + "/Root.plist");
  const auto parent = page->specifierForID(stringOf(record, "specifier"));
  const auto target = std::static_pointer_cast<host::Object>(page);
  for (const host::Plist& entry : root.get("PreferenceSpecifiers").items()) {
    for (auto& cell : page->specifiersFromDictionary(entry, "Root", parent, target))
      cells.push_back(std::move(cell));
  }
  // One replacement instead of a table update per cell.
  page->setSpecifiers(std::move(cells));
  return page;
}

}  // namespace vorlan
