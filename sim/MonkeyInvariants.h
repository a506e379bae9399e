#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "MonkeyScreen.h"

namespace vorlan {

// What must hold after every step of a monkey run on a device that started as MonkeyStart lays
// it out, while the passcode is never typed:
// - "crash": no app process died, was killed or ended with a failing status (a sanitizer's
//   report); a step that merely fails ("no such text") is fine;
// - "settings": the settings file is there, readable, and SettingsChecker finds nothing (dense
//   tag and folder keys, unique names, right types); the passcode, the protected rows and the
//   disabled rows are as at the start, since changing them takes the passcode;
// - "bypass": no page of a protected or disabled row is open in the Settings app (pushed or
//   presented, from any list, folder page or tag filter), and no protected switch changed.
// Every check runs after every step; `checks()` counts them. On an iPad the extension leaves the
// Settings app alone by design, so there the rows are not guarded and "bypass" is not checked.
class MonkeyInvariants {
 public:
  struct Failure {
    std::string kind;  // "crash", "settings" or "bypass"
    std::string what;
  };

  // `guarded`: the Settings app runs the extension's guards (not on an iPad).
  explicit MonkeyInvariants(std::filesystem::path root, bool guarded = true)
      : root_(std::move(root)), guarded_(guarded) {}

  // `stepError` is the failed step's reason, empty when it succeeded.
  std::optional<Failure> afterStep(const std::string& stepError);
  // The open pages, from the `pages` query.
  std::optional<Failure> pages(const std::vector<MonkeyScreen::Page>& pages);
  // An app's death as a step error describes it; nothing for a step that merely failed.
  static bool isDeath(const std::string& stepError);

  const std::map<std::string, std::size_t>& checks() const { return checks_; }

 private:
  std::optional<Failure> settings();
  std::optional<Failure> switches();

  std::filesystem::path root_;
  bool guarded_;
  std::map<std::string, std::size_t> checks_;
};

}  // namespace vorlan
