#pragma once

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"
#include "runtime/Object.h"

// Page rewriting on every list page.
namespace vorlan::hooks::pages {

// Additions: a page's rewriting pass, the pass without moved cells, and whether a cell already
// carries the swipe recogniser.
using SpecifiersLoaded = host::Method<"specifiersLoaded", void()>;
using SpecifiersLoadedButDontLoadPositions =
    host::Method<"specifiersLoadedButDontLoadPositions", void()>;
using HasGesture = host::Method<"hasGesture:", bool(host::Id)>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::pages
