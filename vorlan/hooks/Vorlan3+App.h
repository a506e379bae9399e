#pragma once

#include "hooks/HookInstaller.h"

// The Settings app's delegate.
namespace vorlan::hooks::app {

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::app
