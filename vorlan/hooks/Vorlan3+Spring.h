#pragma once

#include "hooks/HookInstaller.h"

// SpringBoard's wallpaper capture.
namespace vorlan::hooks::spring {

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::spring
