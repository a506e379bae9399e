// SpringBoard: the wallpaper is copied into the wallpaper file whenever SpringBoard renders it,
// so that the Settings app can show it.
#include "hooks/Vorlan3+Spring.h"

#include "springboard/SBFWallpaperView.h"
#include "springboard/SBFWallpaperViewMethods.h"
#include "springboard/SpringBoard.h"
#include "springboard/SpringBoardMethods.h"
#include "store/VLPreferencesManager.h"

namespace vorlan::hooks::spring {

namespace {

using host::Id;
using host::Object;
using Board = host::MethodsOf<host::SpringBoard>;
using Wallpaper = host::MethodsOf<host::SBFWallpaperView>;

struct Originals {
  host::Original<Board::ApplicationDidFinishLaunching> springBoardDidFinishLaunching;
  host::Original<Wallpaper::UpdateGeneratingBlurs> wallpaperUpdateGeneratingBlurs;
};
constinit Originals original;

void springBoardDidFinishLaunching(Object* self, Id application) {
  original.springBoardDidFinishLaunching(self, application);
}

void wallpaperUpdateGeneratingBlurs(Object* self) {
  original.wallpaperUpdateGeneratingBlurs(self);
  if (const auto* view = dynamic_cast<host::SBFWallpaperView*>(self)) {
    VLPreferencesManager::sharedInstance()->saveWallpaperImage(view->wallpaperImage());
  }
}

}  // namespace

void install(HookInstaller& installer) {
  installer.hook<Board::ApplicationDidFinishLaunching>(host::SpringBoard::objcClass(),
                                                       springBoardDidFinishLaunching,
                                                       original.springBoardDidFinishLaunching);
  installer.hook<Wallpaper::UpdateGeneratingBlurs>(host::SBFWallpaperView::objcClass(),
                                                   wallpaperUpdateGeneratingBlurs,
                                                   original.wallpaperUpdateGeneratingBlurs);
}

}  // namespace vorlan::hooks::spring
