// SpringBoard: the wallpaper is copied into the wallpaper file whenever SpringBoard renders it,
// so that the Settings app can show it.
#include "hooks/HostMethods.h"
#include "hooks/Vorlan3Hooks.h"
#include "springboard/SBFWallpaperView.h"
#include "store/VLPreferencesManager.h"

namespace vorlan::hooks {

void springBoardDidFinishLaunching(Object* self, Id application) {
  HostMethods::shared().springBoardDidFinishLaunching(self, application);
}

void wallpaperUpdateGeneratingBlurs(Object* self) {
  HostMethods::shared().wallpaperUpdateGeneratingBlurs(self);
  if (const auto* view = dynamic_cast<host::SBFWallpaperView*>(self)) {
    VLPreferencesManager::sharedInstance()->saveWallpaperImage(view->wallpaperImage());
  }
}

}  // namespace vorlan::hooks
