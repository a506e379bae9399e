#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Plist.h"

namespace vorlan {

// The device a monkey run starts from: the default device, and settings with a passcode that the
// monkey never types, rows protected by it (pages and switches, on the main list, in an app's
// page and inside a folder), disabled rows, tagged rows, a folder of its own and a moved row.
class MonkeyStart {
 public:
  static constexpr std::string_view kPasscode = "7391";
  // The monkey never presses or types this digit, so the passcode is never completed.
  static constexpr char kNeverTyped = '1';

  struct Row {
    std::string page;  // controller key
    std::string identifier;
    std::string title;
  };
  // A switch row's value as the app stores it: a key in a preferences domain of the device.
  struct Switch {
    std::string identifier;
    std::string domain;
    std::string key;
    bool fallback = false;  // the value while nothing is stored
  };

  static const std::vector<Row>& protectedRows();
  static const std::vector<Row>& disabledRows();
  static const std::vector<Switch>& protectedSwitches();

  // The settings file's content.
  static host::Plist settings();
  // Writes the settings into the device at `root` through the store, as `vorlan prefs import`
  // does.
  static bool prepare(const std::filesystem::path& root, std::string& error);
};

}  // namespace vorlan
