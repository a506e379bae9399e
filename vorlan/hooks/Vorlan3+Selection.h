#pragma once

#include <memory>

#include "hooks/HookInstaller.h"
#include "menu/VLSpecifierScrollViewMethods.h"
#include "runtime/Method.h"
#include "runtime/Selector.h"
#include "uikit/CGGeometry.h"
#include "uikit/NSIndexPath.h"
#include "uikit/UITableView.h"
#include "uikit/UIView.h"

// Row selection guards.
namespace vorlan::hooks::selection {

// Additions: the passcode gate before a protected change of the cell action menu (a view, where
// it shows, the action to run once the passcode is right), and a row selection after the guards.
using PasscodeRequiredToChangeSettings =
    host::MethodsOf<VLSpecifierScrollView>::PasscodeRequiredToChangeSettings;
using SelectedRowAtIndexPath =
    host::Method<"selectedRowAtIndexPath:table:",
                 void(host::NSIndexPath, std::shared_ptr<host::UITableView>)>;

void install(HookInstaller& installer);

}  // namespace vorlan::hooks::selection
