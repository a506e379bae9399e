#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "DeviceOptions.h"

namespace vorlan {

// The built-in device: an iPhone running iOS 10 (375 × 667 points at scale 2) with the Settings
// app's content, system pages, a few installed apps and a wallpaper, but without the product.
//
// The content is a tree of files mirroring device paths, kept in the source tree (sim/device),
// carried by the program (ProgramData's "device" folder) and copied as it is; the pictures are
// drawn by DeviceArtwork. Where content lives:
//   /Applications/Preferences.app/Settings.plist     the main list (see PSPlistListController)
//   /Applications/Preferences.app/<Class>.plist      the system pages, one per controller class
//   /System/Library/PreferenceBundles/*.bundle       system pages that come from bundles
//   /Library/PreferenceBundles/Chroma.bundle         an extension-style preference bundle
//   /Applications/<Name>.app                         apps: Info.plist, Settings.bundle/Root.plist
//   /var/mobile/Library/SpringBoard/HomeBackground.png  the wallpaper
//   DeviceOptions::kPath                             the device's model and capabilities
class DefaultDevice {
 public:
  // True when `root` does not exist or is an empty directory.
  static bool isEmpty(const std::filesystem::path& root);
  // Whether `root` holds a device: the two folders every laid-out device has, the Settings app
  // (what the simulator runs) and the preferences folder (where the settings file lives). A
  // folder without them is someone else's folder, and is neither used nor laid out over. Nothing
  // when it does; otherwise the reason, naming what is missing.
  static std::optional<std::string> whyNotADevice(const std::filesystem::path& root);
  // Lays the device out under `root`, creating the folder. Files already there are kept, so
  // nothing on a used device is lost; the options are stored (as `writes` says). False with the
  // reason on failure.
  static bool layOut(const std::filesystem::path& root, const DeviceOptions& options,
                     std::string* error, DeviceWrites writes = DeviceWrites::Atomic);
};

}  // namespace vorlan
