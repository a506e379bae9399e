#pragma once

#include <memory>
#include <string>

#include "hooks/HookInstaller.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Method.h"

// The main list's rewriting and reload cycle.
namespace vorlan::hooks::mainlist {

// Additions: the main list rebuilds itself when it next comes on screen; the per-frame check
// for the app cells; a main-list cell as first loaded, by identifier.
using SetNeedsReload = host::Method<"setNeedsReload:", void(bool)>;
using ShowAlert = host::Method<"showAlert", void()>;
using GetOriginalSpecifierByIdentifier =
    host::Method<"getOriginalSpecifierByIdentifier:",
                 std::shared_ptr<host::PSSpecifier>(std::string)>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::mainlist
