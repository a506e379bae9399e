// The main list: its rewriting pass, the wait for its app cells, and the reload cycle that
// brings changes made on other pages to it when it comes back on screen.
#include "hooks/Vorlan3+MainList.h"

#include <string>

#include "foundation/RunLoop.h"
#include "hooks/AppCellWait.h"
#include "hooks/MainListStage.h"
#include "hooks/PageRecords.h"
#include "hooks/PageRewriter.h"
#include "hooks/Vorlan3+Pages.h"
#include "hooks/Vorlan3+Peek.h"
#include "hooks/Vorlan3+Stage.h"
#include "preferences/PSSpecifier.h"
#include "preferences/PSUIPrefsListController.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "store/VLPreferencesManager.h"
#include "uikit/CADisplayLink.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationItem.h"
#include "uikit/UIView.h"

namespace vorlan::hooks::mainlist {

namespace {

using host::Object;
using Specifiers = host::PSListController::Specifiers;
using Main = host::MethodsOf<host::PSUIPrefsListController>;

struct Originals {
  host::Original<Main::ReloadSpecifiers> mainReloadSpecifiers;
  host::Original<Main::LoadView> mainLoadView;
  host::Original<Main::ViewWillAppear> mainViewWillAppear;
};
constinit Originals original;

// The app cells normally arrive a few frames after the page; a main list that has none by then
// (no installed app has settings, or they are late) is rewritten after this many frames all the
// same. The poll then goes on, up to the second limit, and app cells that still come get one
// more pass; a main list with no app cells at all stops being polled there.
constexpr int kAppCellWaitFrames = 60;
constexpr int kAppCellWatchFrames = 600;

// The text of the page's title label (its navigation item's default title view).
std::string titleLabelText(host::UIViewController& page) {
  const auto& item = page.navigationItem();
  if (!item) return {};
  const auto& titleView =
      host::MSHookIvar<std::shared_ptr<host::UIView>>(item, "_defaultTitleView");
  if (!titleView) return {};
  const auto& label = host::MSHookIvar<std::shared_ptr<host::UILabel>>(titleView, "_label");
  return label ? label->text() : std::string();
}

void stopAppCellWait() {
  auto& state = AppCellWait::shared();
  if (state.appsSpec) state.appsSpec->invalidate();
  state.appsSpec.reset();
}

// Starts the per-frame poll for the app cells, unless a wait is running. A poll that only
// watches for late app cells (its pass has run) gives way to the new wait.
void startAppCellWait(Object* self) {
  auto& state = AppCellWait::shared();
  if (state.appsSpec && state.appsSpecFrames < kAppCellWaitFrames) return;
  stopAppCellWait();
  state.appsSpecFrames = 0;
  // The link holds the page until the wait ends, as a display link holds its target.
  state.appsSpec = host::CADisplayLink::displayLinkWithTarget(
      [page = self->shared_from_this()](host::CADisplayLink&) { host::send<ShowAlert>(page); });
  state.appsSpec->addToRunLoop();
}

void setNeedsReload(Object*, bool value) {
  PageRecords::shared().needsReload = value;
}

void mainLoadView(Object* self) {
  original.mainLoadView(self);
  startAppCellWait(self);
}

void mainReloadSpecifiers(Object* self) {
  original.mainReloadSpecifiers(self);
  MainListStage::shared().isInTagView = false;
  startAppCellWait(self);
}

void showAlert(Object* self) {
  auto& state = AppCellWait::shared();
  const auto& apps = host::MSHookIvar<Specifiers>(self, "_thirdPartySpecifiers");
  const int frames = ++state.appsSpecFrames;
  if (apps.empty()) {
    if (frames >= kAppCellWatchFrames) stopAppCellWait();
    if (frames != kAppCellWaitFrames) return;
  } else {
    stopAppCellWait();
  }
  auto page = std::dynamic_pointer_cast<host::UIViewController>(self->shared_from_this());
  host::RunLoop::main().dispatchAsync([page] {
    host::send<pages::SpecifiersLoaded>(page);
    const std::string title = page ? titleLabelText(*page) : std::string();
    if (!title.empty()) VLPreferencesManager::sharedInstance()->saveOriginalNameIfNotExists(title);
  });
}

std::shared_ptr<host::PSSpecifier> getOriginalSpecifierByIdentifier(Object*,
                                                                    std::string identifier) {
  if (identifier.empty()) return nullptr;
  for (const auto& cell : PageRecords::shared().originals) {
    if (cell && cell->identifier() == identifier) return cell;
  }
  return nullptr;
}

void mainSpecifiersLoaded(Object* self) {
  if (auto* page = dynamic_cast<host::PSListController*>(self)) {
    PageRewriter::rewriteMainList(*page);
  }
}

void mainViewWillAppear(Object* self, bool animated) {
  original.mainViewWillAppear(self, animated);
  auto page = std::dynamic_pointer_cast<host::PSListController>(self->shared_from_this());
  auto manager = VLPreferencesManager::sharedInstance();
  auto& state = MainListStage::shared();
  auto& records = PageRecords::shared();
  manager->setMainController(page);
  state.currentController = page;
  if (page) stage::mainListWillAppear(*page);
  if (records.needsReload) {
    records.needsReload = false;
    host::send<Main::ReloadSpecifiers>(self);
  }
  stage::offerTutorial();
  if (page) peek::registerForPreviewing(*page);
}

}  // namespace

void install(HookInstaller& installer) {
  host::Class* main = host::PSUIPrefsListController::objcClass();
  installer.add<SetNeedsReload>(main, setNeedsReload);
  installer.hook<Main::ReloadSpecifiers>(main, mainReloadSpecifiers, original.mainReloadSpecifiers);
  installer.hook<Main::LoadView>(main, mainLoadView, original.mainLoadView);
  installer.add<ShowAlert>(main, showAlert);
  installer.add<GetOriginalSpecifierByIdentifier>(main, getOriginalSpecifierByIdentifier);
  installer.add<pages::SpecifiersLoaded>(main, mainSpecifiersLoaded);
  installer.hook<Main::ViewWillAppear>(main, mainViewWillAppear, original.mainViewWillAppear);
}

}  // namespace vorlan::hooks::mainlist
