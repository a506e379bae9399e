#pragma once

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"

namespace host {
class PSListController;
}  // namespace host

// Gear button and main-list stage.
namespace vorlan::hooks::stage {

// Additions: the gear button's action, which opens or closes the configuration page; a hook for
// the main list's first appearance, called half a second after it.
using SettingsButtonTapped = host::Method<"settingsButtonTapped", void()>;
using ChangeOffset = host::Method<"changeOffset", void()>;

// The main list comes on screen: builds the stage around the app once (the navigation-bar
// handler, the gear, the gestures, the wallpaper, the side pages and the dimming) and refreshes
// what changes between appearances (the wallpaper image, the root view's shadow, the title).
void mainListWillAppear(host::PSListController& page);
// On a fresh device's first appearance of the main list: the welcome screen, over the app.
void offerTutorial();

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::stage
