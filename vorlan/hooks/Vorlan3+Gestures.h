#pragma once

#include <memory>

#include "hooks/HookInstaller.h"
#include "runtime/Method.h"
#include "uikit/UIGestureRecognizer.h"

// Cell swipe and side-page gestures.
namespace vorlan::hooks::gestures {

// Additions. Gesture actions take the recogniser: the swipe on a list cell, the root-view pan.
using HandlePanOnCell =
    host::Method<"handlePanOnCell:", void(std::shared_ptr<host::UIGestureRecognizer>)>;
using HandlePan = host::Method<"handlePan:", void(std::shared_ptr<host::UIGestureRecognizer>)>;
// The main list's buttons fade out while a side page opens and back in as it closes; the
// navigation-bar handler; the root-view pan's set-up.
using FadeOutButtons = host::Method<"fadeOutButtons", void()>;
using FadeInButtons = host::Method<"fadeInButtons", void()>;
using Offset = host::Method<"offset", void()>;
using AddGestures = host::Method<"addGestures", void()>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::gestures
