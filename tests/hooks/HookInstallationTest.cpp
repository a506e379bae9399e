#include <gtest/gtest.h>

#include <map>
#include <string>

#include "HooksTestSupport.h"
#include "hooks/Vorlan3+Gestures.h"
#include "hooks/Vorlan3+MainList.h"
#include "hooks/Vorlan3+Pages.h"
#include "hooks/Vorlan3+Peek.h"
#include "hooks/Vorlan3+Selection.h"
#include "hooks/Vorlan3+Stage.h"
#include "hooks/Vorlan3+TagView.h"
#include "preferences/PSSwitchTableCell.h"
#include "preferences/PSSwitchTableCellMethods.h"
#include "preferences/PSUIPrefsListControllerMethods.h"
#include "preferences/PreferencesAppController.h"
#include "preferences/PreferencesAppControllerMethods.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UIViewControllerPreviewingMethods.h"
#include "uikit/UIViewMethods.h"

namespace vorlan::test {
namespace {

using Delegate = host::MethodsOf<host::PreferencesAppController>;
using Switch = host::MethodsOf<host::PSSwitchTableCell>;
using List = host::MethodsOf<host::PSListController>;
using Main = host::MethodsOf<host::PSUIPrefsListController>;
using Controller = host::MethodsOf<host::UIViewController>;
using View = host::MethodsOf<host::UIView>;

// Calls of the host's implementations, by "Class selector".
std::map<std::string, int>& hostCalls() {
  static std::map<std::string, int> calls;
  return calls;
}

std::string key(const host::Class* cls, std::string_view selector) {
  return cls->name() + " " + std::string(selector);
}

// Replaces the host's implementation of M in `cls`, before the extension enters, by one that
// only counts its calls.
template <class M, class R, class... A>
void probe(host::Class* cls, R (*)(A...)) {
  host::MSHookMessageEx<typename M::Signature>(
      cls, M::selector,
      [name = key(cls, M::selector)](host::Object*, A...) -> R {
        ++hostCalls()[name];
        return R();
      },
      nullptr);
}
template <class M>
void probe(host::Class* cls) {
  probe<M>(cls, static_cast<typename M::Signature*>(nullptr));
}

// Sends M to `receiver` with default arguments and answers whether the host's implementation
// ran under the extension's hook.
template <class M, class R, class... A>
bool callsThrough(const std::shared_ptr<host::Object>& receiver, host::Class* hooked, R (*)(A...)) {
  const std::string name = key(hooked, M::selector);
  const int before = hostCalls()[name];
  host::send<M>(receiver, A()...);
  return hostCalls()[name] == before + 1;
}
template <class M>
bool callsThrough(const std::shared_ptr<host::Object>& receiver, host::Class* hooked) {
  return callsThrough<M>(receiver, hooked, static_cast<typename M::Signature*>(nullptr));
}

TEST_F(SettingsProcessTest, EveryHookCallsTheHostsImplementation) {
  host::Class* delegateClass = host::PreferencesAppController::objcClass();
  host::Class* switchCell = host::PSSwitchTableCell::objcClass();
  host::Class* list = host::PSListController::objcClass();
  host::Class* cellClass = host::UITableViewCell::objcClass();
  host::Class* mainClass = host::PSUIPrefsListController::objcClass();
  host::Class* controller = host::UIViewController::objcClass();
  probe<Delegate::ApplicationDidBecomeActive>(delegateClass);
  probe<Delegate::CollapseSecondary>(delegateClass);
  probe<Delegate::SeparateSecondary>(delegateClass);
  probe<Switch::ReloadWithSpecifier>(switchCell);
  probe<Switch::ControlChanged>(switchCell);
  probe<List::ReloadSpecifiers>(list);
  probe<List::LoadView>(list);
  probe<List::DidSelectRowAtIndexPath>(list);
  probe<List::CellForRowAtIndexPath>(list);
  probe<List::ViewWillAppear>(list);
  probe<View::LayoutSubviews>(cellClass);
  probe<Main::BluetoothPowerChanged>(mainClass);
  probe<Main::DidSelectRowAtIndexPath>(mainClass);
  probe<Main::ReloadSpecifiers>(mainClass);
  probe<Main::LoadView>(mainClass);
  probe<Main::ViewWillAppear>(mainClass);
  probe<Main::ViewWillDisappear>(mainClass);
  probe<Controller::PresentViewController>(controller);
  enterExtension();

  const auto delegate = std::make_shared<host::PreferencesAppController>();
  const auto page = std::make_shared<TestSubPage>();
  const auto mainList = std::make_shared<host::PSUIPrefsListController>();
  // The Bluetooth hook calls through only while the list shows the Bluetooth cell.
  mainList->setSpecifiers({test::cell("Bluetooth")});
  EXPECT_TRUE(callsThrough<Delegate::ApplicationDidBecomeActive>(delegate, delegateClass));
  EXPECT_TRUE(callsThrough<Delegate::CollapseSecondary>(delegate, delegateClass));
  EXPECT_TRUE(callsThrough<Delegate::SeparateSecondary>(delegate, delegateClass));
  EXPECT_TRUE(callsThrough<Switch::ReloadWithSpecifier>(std::make_shared<host::PSSwitchTableCell>(),
                                                        switchCell));
  EXPECT_TRUE(callsThrough<Switch::ControlChanged>(std::make_shared<host::PSSwitchTableCell>(),
                                                   switchCell));
  EXPECT_TRUE(callsThrough<List::ReloadSpecifiers>(page, list));
  EXPECT_TRUE(callsThrough<List::LoadView>(page, list));
  EXPECT_TRUE(callsThrough<List::DidSelectRowAtIndexPath>(page, list));
  EXPECT_TRUE(callsThrough<List::CellForRowAtIndexPath>(page, list));
  EXPECT_TRUE(callsThrough<List::ViewWillAppear>(page, list));
  EXPECT_TRUE(
      callsThrough<View::LayoutSubviews>(std::make_shared<host::UITableViewCell>(), cellClass));
  EXPECT_TRUE(callsThrough<Main::BluetoothPowerChanged>(mainList, mainClass));
  EXPECT_TRUE(callsThrough<Main::DidSelectRowAtIndexPath>(mainList, mainClass));
  EXPECT_TRUE(callsThrough<Main::ReloadSpecifiers>(mainList, mainClass));
  EXPECT_TRUE(callsThrough<Main::LoadView>(mainList, mainClass));
  EXPECT_TRUE(callsThrough<Main::ViewWillAppear>(mainList, mainClass));
  EXPECT_TRUE(callsThrough<Main::ViewWillDisappear>(mainList, mainClass));
  EXPECT_TRUE(callsThrough<Controller::PresentViewController>(
      std::make_shared<host::UIViewController>(), controller));
}

// The method `cls` has itself for M, with the encoding it answers.
template <class M>
void expectAddition(host::Class* cls) {
  const auto method = cls->ownMethod(M::selector);
  ASSERT_NE(method, nullptr) << key(cls, M::selector);
  EXPECT_EQ(method->types(), M::types()) << key(cls, M::selector);
}

TEST_F(SettingsProcessTest, AdditionsAnswerWithTheirDescriptorsEncodings) {
  launch();
  host::Class* list = host::PSListController::objcClass();
  host::Class* mainClass = host::PSUIPrefsListController::objcClass();
  expectAddition<hooks::tagview::SetInTagView>(list);
  expectAddition<hooks::selection::PasscodeRequiredToChangeSettings>(list);
  expectAddition<hooks::selection::SelectedRowAtIndexPath>(list);
  expectAddition<hooks::pages::SpecifiersLoaded>(list);
  expectAddition<hooks::pages::HasGesture>(list);
  expectAddition<hooks::gestures::HandlePanOnCell>(list);
  expectAddition<hooks::stage::SettingsButtonTapped>(list);
  expectAddition<hooks::peek::IsForceTouchAvailable>(mainClass);
  expectAddition<host::MethodsOf<host::UIViewControllerPreviewing>::ViewControllerForLocation>(
      mainClass);
  expectAddition<hooks::mainlist::GetOriginalSpecifierByIdentifier>(mainClass);
  expectAddition<hooks::pages::SpecifiersLoadedButDontLoadPositions>(mainClass);
  expectAddition<hooks::gestures::HandlePan>(mainClass);
  expectAddition<hooks::tagview::Tapped>(mainClass);
  // The main list has its own pass; other pages share the list-page one.
  EXPECT_NE(mainClass->ownMethod("specifiersLoaded"), list->ownMethod("specifiersLoaded"));
  EXPECT_EQ(TestSubPage::objcClass()->lookup("specifiersLoaded"),
            list->ownMethod("specifiersLoaded"));
}

TEST_F(SettingsProcessTest, AMethodTheHostLacksCostsOnlyItsOwnHook) {
  // A system version without the switch cell's controlChanged:, and whose main list already
  // has a showAlert of its own.
  host::PSSwitchTableCell::objcClass()->setMethod(std::string(Switch::ControlChanged::selector),
                                                  nullptr);
  bool hostAlert = false;
  host::define<hooks::mainlist::ShowAlert>(host::PSUIPrefsListController::objcClass(),
                                           [&](host::Object*) { hostAlert = true; });
  host::NSBundle::setMainBundle(host::NSBundle::bundleWithPath(kPreferencesApp));

  EXPECT_EQ(Vorlan3::processEntry(), Vorlan3::HookGroup::Preference);
  EXPECT_EQ(Vorlan3::installedGroup(), Vorlan3::HookGroup::Preference);
  EXPECT_EQ(logCount("<Vorlan3> "), 2);
  EXPECT_EQ(logCount("<Vorlan3> cannot install -[PSSwitchTableCell controlChanged:]"), 1);
  EXPECT_EQ(logCount("<Vorlan3> cannot install -[PSUIPrefsListController showAlert]"), 1);
  EXPECT_FLOAT_EQ(stage().maxSize, 300);

  // Everything else went in: the switch cell's other hook, the hooks and additions after it.
  host::send<Switch::ReloadWithSpecifier>(std::make_shared<host::PSSwitchTableCell>(),
                                          host::PSSpecifier::specifier("A", "a"), false);
  startApp();
  EXPECT_TRUE(hostAlert);  // the host's own showAlert answered the app-cell wait
  EXPECT_TRUE(host::PSListController::objcClass()->ownMethod("specifiersLoaded"));
  host::send<hooks::tagview::SetInTagView>(main(), true);
  app->becomeActive();
  EXPECT_FALSE(stage().isInTagView);
}

}  // namespace
}  // namespace vorlan::test
