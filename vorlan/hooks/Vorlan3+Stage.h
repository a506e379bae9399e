#pragma once

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"

// Gear button and main-list stage.
namespace vorlan::hooks::stage {

// Additions: the gear button's action; the main list's first-appearance navigation-bar set-up.
using SettingsButtonTapped = host::Method<"settingsButtonTapped", void()>;
using ChangeOffset = host::Method<"changeOffset", void()>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::stage
