#pragma once

#include <functional>
#include <memory>
#include <string>

#include "preferences/PSSpecifier.h"
#include "runtime/Object.h"
#include "runtime/Selector.h"
#include "uikit/CGGeometry.h"
#include "uikit/NSIndexPath.h"
#include "uikit/UIGestureRecognizer.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIView.h"
#include "uikit/UIViewController.h"
#include "uikit/UIViewControllerPreviewing.h"

// The C++ signatures of the host methods that the extension hooks and of the methods it adds.
// The runtime checks them exactly: every send of one of these selectors uses the alias here.
namespace vorlan::sig {

using Id = host::Id;
using Page = std::shared_ptr<host::UIViewController>;

// --- Host methods (hooked) -----------------------------------------------------------------------
using Void = void();
using WithBool = void(bool);
using WithObject = void(Id);
using CellForRow = std::shared_ptr<host::UITableViewCell>(std::shared_ptr<host::UITableView>,
                                                          host::NSIndexPath);
using DidSelectRow = void(std::shared_ptr<host::UITableView>, host::NSIndexPath);
using SwitchReload = void(std::shared_ptr<host::PSSpecifier>, bool);
using SplitCollapse = bool(Id, Page, Page);
using SplitSeparate = Page(Id, Page);
using Present = void(Page, bool, std::function<void()>);

// --- Additions -----------------------------------------------------------------------------------
// passcodeRequiredToChangeSettings:offset:selector: (a view, a rectangle, a selector).
using PasscodeRequired = void(std::shared_ptr<host::UIView>, host::CGRect, host::Selector);
// hasGesture: (a cell).
using HasGesture = bool(Id);
// selectedRowAtIndexPath:table:
using SelectedRow = void(host::NSIndexPath, std::shared_ptr<host::UITableView>);
// Gesture actions: handlePanOnCell:, handlePan:, tapped: (the recogniser).
using GestureAction = void(std::shared_ptr<host::UIGestureRecognizer>);
// getOriginalSpecifierByIdentifier: (an identifier).
using OriginalSpecifier = std::shared_ptr<host::PSSpecifier>(std::string);
using BoolResult = bool();
using PreviewForLocation = Page(std::shared_ptr<host::UIViewControllerPreviewing>, host::CGPoint);
using CommitPreview = void(std::shared_ptr<host::UIViewControllerPreviewing>, Page);

}  // namespace vorlan::sig
