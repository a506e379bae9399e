#pragma once

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"

// Peek preview and split view.
namespace vorlan::hooks::peek {

// Addition: whether the main list counts as having pressure-sensitive touch.
using IsForceTouchAvailable = host::Method<"isForceTouchAvailable", bool()>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::peek
