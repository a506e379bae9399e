#include "MonkeyInvariants.h"

#include "MonkeyStart.h"
#include "SettingsChecker.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/SettingsValues.h"
#include "store/VLPreferencesManager.h"

using host::Plist;

namespace vorlan {

namespace {

Plist readPlist(const std::filesystem::path& root, const std::string& path, bool& present,
                std::string& error) {
  const host::DeviceFileSystem device(root);
  present = device.fileExists(path);
  if (!present) return Plist();
  const auto bytes =
      device.readRegularFile(path, host::PropertyListSerialization::kMaxInputBytes, &error);
  if (!bytes) return Plist();
  auto parsed = host::PropertyListSerialization::read(*bytes);
  if (!parsed.ok()) error = parsed.error;
  return parsed.value;
}

}  // namespace

bool MonkeyInvariants::isDeath(const std::string& stepError) {
  static constexpr const char* kEndings[] = {" app stopped answering",
                                             " app ended with status",
                                             " app was killed by signal",
                                             " app ended abnormally",
                                             " app was lost",
                                             " app did not answer within",
                                             "cannot start the ",
                                             "cannot connect to a new app process"};
  for (const char* ending : kEndings) {
    if (stepError.find(ending) != std::string::npos) return true;
  }
  return false;
}

std::optional<MonkeyInvariants::Failure> MonkeyInvariants::afterStep(const std::string& stepError) {
  ++checks_["crash"];
  if (isDeath(stepError)) return Failure{"crash", stepError};
  if (auto failure = settings()) return failure;
  return guarded_ ? switches() : std::nullopt;
}

std::optional<MonkeyInvariants::Failure> MonkeyInvariants::settings() {
  ++checks_["settings"];
  bool present = false;
  std::string error;
  const Plist root = readPlist(root_, VLPreferencesManager::kSettingsPath, present, error);
  if (!present) return Failure{"settings", "the settings file is gone"};
  if (!error.empty() || !root.isDictionary()) {
    return Failure{"settings", "the settings file cannot be read: " +
                                   (error.empty() ? "its root is not a dictionary" : error)};
  }
  if (const auto problems = SettingsChecker::check(root); !problems.empty()) {
    std::string what = "the settings file has problems:";
    for (const auto& problem : problems)
      what += "\n  " + problem;
    return Failure{"settings", what};
  }
  const std::string* password = root.get("password").asString();
  if (!password || *password != MonkeyStart::kPasscode) {
    return Failure{"settings", "the passcode changed without being typed"};
  }
  for (const auto& row : MonkeyStart::protectedRows()) {
    if (!SettingsValues::flag(root.getPath({"passcode", row.page, row.identifier})).value_or(false))
      return Failure{"settings",
                     "the protection of " + row.identifier + " went without the passcode"};
  }
  for (const auto& row : MonkeyStart::disabledRows()) {
    if (SettingsValues::flag(root.getPath({"enabled", row.page, row.identifier})).value_or(true))
      return Failure{"settings", row.identifier + " was enabled without the passcode"};
  }
  return std::nullopt;
}

std::optional<MonkeyInvariants::Failure> MonkeyInvariants::switches() {
  ++checks_["switches"];
  for (const auto& watched : MonkeyStart::protectedSwitches()) {
    bool present = false;
    std::string error;
    const Plist domain = readPlist(
        root_, "/var/mobile/Library/Preferences/" + watched.domain + ".plist", present, error);
    const bool value = SettingsValues::flag(domain.get(watched.key)).value_or(watched.fallback);
    if (value != watched.fallback) {
      return Failure{"bypass", "the protected switch " + watched.identifier + " changed to " +
                                   (value ? "on" : "off") + " without the passcode"};
    }
  }
  return std::nullopt;
}

std::optional<MonkeyInvariants::Failure> MonkeyInvariants::pages(
    const std::vector<MonkeyScreen::Page>& pages) {
  if (!guarded_) return std::nullopt;
  ++checks_["pages"];
  for (const auto& page : pages) {
    if (page.index == "0") continue;  // the main list
    for (const auto* rows : {&MonkeyStart::protectedRows(), &MonkeyStart::disabledRows()}) {
      for (const auto& row : *rows) {
        if (page.identifier == row.identifier || page.title == row.title) {
          return Failure{"bypass", "the page of " + row.identifier + " (" + page.className + " \"" +
                                       page.title + "\") is open without the passcode"};
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace vorlan
