#pragma once

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"

namespace host {
class PSListController;
}  // namespace host

// Peek preview and split view.
namespace vorlan::hooks::peek {

// Addition: whether the main list counts as having pressure-sensitive touch.
using IsForceTouchAvailable = host::Method<"isForceTouchAvailable", bool()>;

// Registers the main list for peeks once, on a device with pressure-sensitive touch.
void registerForPreviewing(host::PSListController& main);

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::peek
