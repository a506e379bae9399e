#pragma once

#include <memory>

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"
#include "uikit/UIGestureRecognizer.h"

// Tag filter list.
namespace vorlan::hooks::tagview {

// Additions: a list page enters or leaves the tag filter; the main list's title was tapped.
using SetInTagView = host::Method<"setInTagView:", void(bool)>;
using Tapped = host::Method<"tapped:", void(std::shared_ptr<host::UIGestureRecognizer>)>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::tagview
