#pragma once

#include <string_view>

namespace vorlan {

// The extension's entry into a host process. The loader runs processEntry() once when it loads
// the library into an app: it makes the working directory, picks the hook group by the app's
// bundle identifier and installs that group's hooks and added methods on the host's classes.
// Everything else the extension does is reached from those hooks. A hook or addition that the
// host cannot take is logged and left out; the rest still go in.
class Vorlan3 {
 public:
  enum class HookGroup { None, Preference, Spring };

  static constexpr const char* kWorkingDirectory = "/var/mobile/Documents/Vorlan";
  static constexpr const char* kSettingsBundleIdentifier = "com.apple.preferences";
  static constexpr const char* kSpringBoardBundleIdentifier = "com.apple.springboard";

  // Runs once per process; later calls change nothing. Answers the group installed.
  static HookGroup processEntry();
  // The group installed by processEntry() (None before it ran).
  static HookGroup installedGroup();

  // Settings (any letter case) on anything but an iPad: Preference; SpringBoard: Spring.
  static HookGroup hookGroupFor(std::string_view bundleIdentifier, std::string_view deviceModel);

 private:
  static void makeWorkingDirectory();
  static void installPreferenceGroup();
  static void installSpringGroup();
  // The widths of the side pages, from the screen, and the empty `originals`.
  static void initialiseSizes();
};

}  // namespace vorlan
