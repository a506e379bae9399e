#pragma once

#include <memory>
#include <string>

#include "folders/folderControllerMethods.h"
#include "hooks/HookInstaller.h"
#include "preferences/PSSpecifier.h"
#include "runtime/Method.h"

// The main list's rewriting and reload cycle.
namespace vorlan::hooks::mainlist {

// Additions: the main list rebuilds itself when it next comes on screen; the per-frame check
// for the app cells; a main-list cell as first loaded, by identifier.
using SetNeedsReload = host::MethodsOf<folderController>::SetNeedsReload;
using ShowAlert = host::Method<"showAlert", void()>;
using GetOriginalSpecifierByIdentifier =
    host::MethodsOf<folderController>::GetOriginalSpecifierByIdentifier;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::mainlist
