#pragma once

#include <memory>
#include <string>

#include "hooks/HookSignatures.h"

namespace host {
class Object;
}  // namespace host

// The replacement and added methods that Vorlan3 installs on the host's classes, by area. Each
// takes the receiver first, as the runtime calls it; the installation table is in Vorlan3.cpp.
namespace vorlan::hooks {

using host::Object;
using sig::Id;
using sig::Page;

// --- The app delegate (Vorlan3+App.cpp)
// ------------------------------------------------------------
void applicationDidBecomeActive(Object* self, Id application);

// --- Page rewriting on every list page (Vorlan3+Pages.cpp) ---------------------------------------
void listReloadSpecifiers(Object* self);
void listLoadView(Object* self);
void listViewWillAppear(Object* self, bool animated);
void listSpecifiersLoaded(Object* self);
void specifiersLoadedButDontLoadPositions(Object* self);
std::shared_ptr<host::UITableViewCell> listCellForRow(Object* self,
                                                      std::shared_ptr<host::UITableView> table,
                                                      host::NSIndexPath indexPath);
bool hasGesture(Object* self, Id cell);

// --- The main list's rewriting and reload cycle (Vorlan3+MainList.cpp) ---------------------------
void setNeedsReload(Object* self, bool value);
void mainReloadSpecifiers(Object* self);
void mainLoadView(Object* self);
void showAlert(Object* self);
std::shared_ptr<host::PSSpecifier> getOriginalSpecifierByIdentifier(Object* self,
                                                                    std::string identifier);
void mainSpecifiersLoaded(Object* self);
void mainViewWillAppear(Object* self, bool animated);

// --- Cell swipe and side-page gestures (Vorlan3+Gestures.cpp) ------------------------------------
void handlePanOnCell(Object* self, std::shared_ptr<host::UIGestureRecognizer> recognizer);
void cellLayoutSubviews(Object* self);
void fadeOutButtons(Object* self);
void fadeInButtons(Object* self);
void offset(Object* self);
void addGestures(Object* self);
void handlePan(Object* self, std::shared_ptr<host::UIGestureRecognizer> recognizer);
void mainViewWillDisappear(Object* self, bool animated);

// --- Row selection guards (Vorlan3+Selection.cpp) ------------------------------------------------
void switchReloadWithSpecifier(Object* self, std::shared_ptr<host::PSSpecifier> specifier,
                               bool animated);
void switchControlChanged(Object* self, Id sender);
void passcodeRequiredToChangeSettings(Object* self, std::shared_ptr<host::UIView> view,
                                      host::CGRect offset, host::Selector selector);
void selectedRowAtIndexPath(Object* self, host::NSIndexPath indexPath,
                            std::shared_ptr<host::UITableView> table);
void listDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath);
void mainDidSelectRow(Object* self, std::shared_ptr<host::UITableView> table,
                      host::NSIndexPath indexPath);
void bluetoothPowerChanged(Object* self, Id notification);

// --- Gear button and main-list stage (Vorlan3+Stage.cpp) -----------------------------------------
void settingsButtonTapped(Object* self);
void changeOffset(Object* self);
void presentViewController(Object* self, Page controller, bool animated,
                           std::function<void()> completion);

// --- Tag filter list (Vorlan3+TagView.cpp) -------------------------------------------------------
void setInTagView(Object* self, bool value);
void tapped(Object* self, std::shared_ptr<host::UIGestureRecognizer> recognizer);

// --- Peek preview and split view (Vorlan3+Peek.cpp) ----------------------------------------------
bool splitViewControllerCollapseSecondary(Object* self, Id splitViewController, Page secondary,
                                          Page primary);
Page splitViewControllerSeparateSecondary(Object* self, Id splitViewController, Page primary);
bool isForceTouchAvailable(Object* self);
Page previewingContextViewControllerForLocation(
    Object* self, std::shared_ptr<host::UIViewControllerPreviewing> context, host::CGPoint point);
void previewingContextCommitViewController(
    Object* self, std::shared_ptr<host::UIViewControllerPreviewing> context, Page page);

// --- SpringBoard (Vorlan3+Spring.cpp) ------------------------------------------------------------
void springBoardDidFinishLaunching(Object* self, Id application);
void wallpaperUpdateGeneratingBlurs(Object* self);

}  // namespace vorlan::hooks
