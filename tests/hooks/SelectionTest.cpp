#include <gtest/gtest.h>

#include "HooksTestSupport.h"
#include "folders/folderController.h"
#include "panels/passcodeSkyView.h"
#include "panels/shapeSkyView.h"
#include "preferences/PSListControllerMethods.h"
#include "preferences/PSSwitchTableCell.h"
#include "support/UITableViewTestApi.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIButton.h"
#include "uikit/UILabel.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"

namespace vorlan::test {
namespace {

using DidSelectRow = host::MethodsOf<host::PSListController>::DidSelectRowAtIndexPath::Signature;

// Records the host's own selection of every list page (installed before the extension, so it is
// what the extension's hooks call as the host's implementation).
class SelectionTest : public SettingsProcessTest {
 protected:
  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    host::MSHookMessageEx<DidSelectRow>(
        host::PSListController::objcClass(), "tableView:didSelectRowAtIndexPath:",
        [this](host::Object* self, std::shared_ptr<host::UITableView> table,
               host::NSIndexPath indexPath) {
          reached.push_back(self->className() + " " + std::to_string(indexPath.section) + "." +
                            std::to_string(indexPath.row));
          hostSelection(self, std::move(table), indexPath);
        },
        &hostSelection);
  }

  // Settings with the passcode 1234 and each given cell protected on the main list.
  void writeProtectedMainCells(const std::vector<std::string>& identifiers) {
    std::vector<Plist::Entry> classes;
    std::vector<Plist::Entry> flags;
    for (const auto& identifier : identifiers) {
      classes.emplace_back(identifier, Plist::string("PSUIPrefsListController"));
      flags.emplace_back(identifier, Plist::boolean(true));
    }
    writeSettings(Plist::dictionary(
        {{"password", Plist::string("1234")},
         {"class", Plist::dictionary(std::move(classes))},
         {"passcode",
          Plist::dictionary({{"PSUIPrefsListController", Plist::dictionary(std::move(flags))}})}}));
  }

  void tapRow(host::PSListController& page, const std::string& identifier) {
    const auto indexPath = page.indexPathForSpecifier(page.specifierForID(identifier).get());
    ASSERT_TRUE(indexPath) << identifier;
    host::UITableViewTestApi(page.table()).tapRowAtIndexPath(*indexPath);
  }
  // A finger's tap at the view's centre, then the animations run out.
  void tapView(const host::UIView& view, double wait = 0.2) {
    const auto frame = view.convertRectToView(view.bounds(), nullptr);
    host::TouchInjector(app->window()).tap({frame.midX(), frame.midY()});
    host::RunLoop::main().advance(wait);
  }
  // Types on a keypad's keys, found by their accessibility labels; the last digit is given time
  // for the keypad to close and run its action.
  void type(const passcodeSkyView& keypad, const std::string& digits) {
    host::RunLoop::main().advance(1.5);  // the keys come in
    for (const char digit : digits) {
      for (const auto& key : keypad.buttons()) {
        if (key->accessibilityLabel() == std::string(1, digit)) tapView(*key);
      }
    }
    host::RunLoop::main().advance(1);
  }
  std::shared_ptr<host::UIView> rootView() const { return navigation().view(); }

  std::vector<std::string> reached;
  host::Imp<DidSelectRow> hostSelection;
};

TEST_F(SelectionTest, AMainListSelectionIsGuardedOnceAndADisabledRowNeverReachesTheHost) {
  writeSettings(Plist::dictionary(
      {{"enabled", Plist::dictionary({{"PSUIPrefsListController",
                                       Plist::dictionary({{"WIFI", Plist::boolean(false)}})}})}}));
  launch();
  const auto table = main()->table();
  const auto wifi = *main()->indexPathForSpecifier(main()->specifierForID("WIFI").get());
  const auto general = *main()->indexPathForSpecifier(main()->specifierForID("General").get());

  host::UITableViewTestApi(table).tapRowAtIndexPath(wifi);
  host::UITableViewTestApi(table).tapRowAtIndexPath(general);
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 2.0"}));
  EXPECT_TRUE(table->indexPathsForSelectedRows().empty());  // the refused row was deselected

  // The main list's own hook has guarded the selection when it calls the host's implementation
  // (which the main list inherits): the list pages' hook passes it on unguarded, even for a row
  // that changed meanwhile.
  reached.clear();
  host::msgSendSuper<DidSelectRow>(host::PSUIPrefsListController::objcClass(), main().get(),
                                   "tableView:didSelectRowAtIndexPath:", table, wifi);
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 0.1"}));

  // On any other page the list pages' hook guards.
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a"), cell("b")});
  page->specifierForID("a")->setProperty(Plist::boolean(false), "enabled");
  reached.clear();
  host::UITableViewTestApi(page->table()).tapRowAtIndexPath({0, 0});
  host::UITableViewTestApi(page->table()).tapRowAtIndexPath({0, 1});
  EXPECT_EQ(reached, (std::vector<std::string>{"TestSubPage 0.1"}));
}

TEST_F(SelectionTest, AProtectedRowOpensOnlyAfterTheRightPasscode) {
  writeProtectedMainCells({"WIFI"});
  launch();
  // A cell protected on the main list but with no page stored for it counts as unprotected.
  VLPreferencesManager::sharedInstance()->savePreference(
      Plist::dictionary(
          {{"PSUIPrefsListController", Plist::dictionary({{"WIFI", Plist::boolean(true)},
                                                          {"Bluetooth", Plist::boolean(true)}})}}),
      "passcode");
  tapRow(*main(), "General");
  tapRow(*main(), "Bluetooth");
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 2.0",
                                               "PSUIPrefsListController 0.2"}));
  EXPECT_FALSE(stage().passcodeView);

  reached.clear();
  tapRow(*main(), "WIFI");
  settle();
  const auto keypad = stage().passcodeView;
  ASSERT_TRUE(keypad);
  EXPECT_TRUE(keypad->isShow());
  EXPECT_EQ(keypad->superview(), rootView());
  EXPECT_EQ(keypad->status()->text(), "Enter your passcode");
  EXPECT_TRUE(main()->table()->indexPathsForSelectedRows().empty());

  type(*keypad, "1243");
  EXPECT_TRUE(reached.empty());
  EXPECT_TRUE(keypad->isShow());
  type(*keypad, "1234");
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 0.1"}));
  EXPECT_FALSE(keypad->canSegue());
}

TEST_F(SelectionTest, PagesBelowTheMainListAskOnTheirOwnAndAFolderPageForTheMainListsCells) {
  writeProtectedMainCells({"WIFI"});
  launch();
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a"), cell("b")});
  VLPreferencesManager::sharedInstance()->savePreference(
      Plist::dictionary(
          {{"TestSubPage", Plist::dictionary({{"a", Plist::boolean(true)}})},
           {"PSUIPrefsListController", Plist::dictionary({{"WIFI", Plist::boolean(true)}})}}),
      "passcode");
  tapRow(*page, "b");
  tapRow(*page, "a");
  settle();
  EXPECT_EQ(reached, (std::vector<std::string>{"TestSubPage 0.1"}));
  ASSERT_TRUE(stage().passcodeView && stage().passcodeView->isShow());
  type(*stage().passcodeView, "1234");
  EXPECT_EQ(reached, (std::vector<std::string>{"TestSubPage 0.1", "TestSubPage 0.0"}));

  // A cell filed into a folder keeps the protection it has on the main list.
  auto folder = std::make_shared<folderController>();
  folder->setSpecifiers({main()->specifierForID("WIFI"), main()->specifierForID("General")});
  navigation().pushViewController(folder, false);
  settle();
  reached.clear();
  tapRow(*folder, "General");
  tapRow(*folder, "WIFI");
  settle();
  EXPECT_EQ(reached, (std::vector<std::string>{"folderController 0.1"}));
  EXPECT_TRUE(stage().passcodeView->isShow());
}

TEST_F(SelectionTest, AFlagSavedOnAFolderPageLeavesTheMainListsProtectionAndDisablingInForce) {
  writeProtectedMainCells({"WIFI"});
  launch();
  auto manager = VLPreferencesManager::sharedInstance();
  const auto wifi = main()->specifierForID("WIFI");
  const auto general = main()->specifierForID("General");
  manager->saveSpecifier(*general, Plist::boolean(false), "enabled", "General", main());
  auto folder = std::make_shared<folderController>();
  folder->setSpecifiers({wifi, general});
  navigation().pushViewController(folder, false);
  settle();
  // A hide and a show from the folder page's cell action menu record the folder page as the
  // cells' page, while their protection and disabling stay stored under the main list.
  for (const auto& cell : {wifi, general}) {
    manager->saveSpecifier(*cell, Plist::boolean(true), "hidden", cell->identifier(), folder);
    manager->saveSpecifier(*cell, Plist::boolean(false), "hidden", cell->identifier(), folder);
  }
  ASSERT_EQ(manager->getClassControllerOfSpecifier(*wifi), "folderController");
  // A mark left from the page the flags were last saved on does not open it either.
  general->setProperty(Plist::boolean(true), "enabled");
  reached.clear();
  tapRow(*folder, "General");
  tapRow(*folder, "WIFI");
  settle();
  EXPECT_TRUE(reached.empty());
  ASSERT_TRUE(stage().passcodeView);
  EXPECT_TRUE(stage().passcodeView->isShow());
  stage().passcodeView->dismissShape(false);

  // Lifted from the folder page, the protection is gone on both pages.
  manager->saveSpecifier(*wifi, Plist::integer(0), "passcode", "WIFI", folder);
  tapRow(*folder, "WIFI");
  EXPECT_EQ(reached, (std::vector<std::string>{"folderController 0.0"}));
}

TEST_F(SelectionTest,
       TheKeypadPointsAtTheRowAndRisesTenPointsMoreOnceTheListIsScrolledUnderTheBars) {
  writeProtectedMainCells({"NOTIFICATIONS_ID"});
  launch();
  const auto table = main()->table();
  const double rest = table->contentOffset().y;
  const auto balloonTopWhenScrolledBy = [&](double scrolled) {
    table->setContentOffset({0, rest + scrolled});
    tapRow(*main(), "NOTIFICATIONS_ID");
    settle();
    const double top = stage().passcodeView->shape()->rectangle().origin.y;
    stage().passcodeView->dismissShape(false);
    return top;
  };
  const double atRest = balloonTopWhenScrolledBy(0);
  const auto keypad = stage().passcodeView;
  // Under the bars (64 points: status bar and navigation bar, as the main list's first
  // appearance measured them) the list counts as at its top; pulled further down it does not
  // rise, scrolled at all it rises ten points more.
  EXPECT_DOUBLE_EQ(balloonTopWhenScrolledBy(-20), atRest + 20);
  EXPECT_DOUBLE_EQ(balloonTopWhenScrolledBy(40), atRest - 40 - 10);
  // Made once, re-framed over the page each time.
  EXPECT_EQ(stage().passcodeView, keypad);
  EXPECT_EQ(keypad->frame().size, main()->view()->bounds().size);
}

TEST_F(SelectionTest, AProtectedSwitchSpringsBackAndTakesTheChoiceThroughTheHostAfterThePasscode) {
  writeProtectedMainCells({"AIRPLANE_MODE"});
  launch();
  std::vector<Plist> stored;
  main()
      ->specifierForID("AIRPLANE_MODE")
      ->setValueSetter([&stored](const Plist& value, const auto&) { stored.push_back(value); });
  // The switch row itself opens nothing, so it asks for nothing.
  tapRow(*main(), "AIRPLANE_MODE");
  EXPECT_EQ(reached, (std::vector<std::string>{"PSUIPrefsListController 0.0"}));
  EXPECT_FALSE(stage().passcodeView);

  auto cell = std::dynamic_pointer_cast<host::PSSwitchTableCell>(
      main()->table()->cellForRowAtIndexPath({0, 0}));
  ASSERT_TRUE(cell);
  const auto toggle = cell->control();
  ASSERT_FALSE(toggle->isOn());
  settle();  // the tapped row is still animating
  tapView(*toggle);
  EXPECT_FALSE(toggle->isOn());
  const auto keypad = stage().togglePasscodeView;
  ASSERT_TRUE(keypad);
  EXPECT_TRUE(keypad->isShow());
  EXPECT_EQ(keypad->superview(), app->window());
  type(*keypad, "4321");
  EXPECT_FALSE(toggle->isOn());
  EXPECT_TRUE(stored.empty());
  type(*keypad, "1234");
  EXPECT_TRUE(toggle->isOn());
  EXPECT_EQ(stored, (std::vector<Plist>{Plist::boolean(true)}));

  // Filed into a folder, the switch keeps the protection it has on the main list.
  auto folder = std::make_shared<folderController>();
  folder->setSpecifiers({main()->specifierForID("AIRPLANE_MODE")});
  navigation().pushViewController(folder, false);
  settle();
  const auto filed = std::dynamic_pointer_cast<host::PSSwitchTableCell>(
      folder->table()->cellForRowAtIndexPath({0, 0}));
  ASSERT_TRUE(filed);
  const bool shown = filed->control()->isOn();
  tapView(*filed->control());
  EXPECT_EQ(filed->control()->isOn(), shown);
  EXPECT_TRUE(keypad->isShow());
  EXPECT_EQ(stored.size(), 1u);
}

TEST_F(SelectionTest, ADisabledSwitchCannotBeFlippedUntilItIsEnabledAgain) {
  launch();
  auto on = host::PSSpecifier::specifier("on", "on", host::PSSpecifier::PSSwitchCell);
  auto off = host::PSSpecifier::specifier("off", "off", host::PSSpecifier::PSSwitchCell);
  off->setProperty(Plist::boolean(false), "enabled");
  std::vector<std::string> stored;
  for (const auto& item : {on, off}) {
    item->setValueSetter(
        [&stored](const Plist&, const auto& spec) { stored.push_back(spec->identifier()); });
  }
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), on, off});
  const auto toggleOf = [&](long row) {
    return std::dynamic_pointer_cast<host::PSSwitchTableCell>(
               page->table()->cellForRowAtIndexPath({0, row}))
        ->control();
  };
  EXPECT_TRUE(toggleOf(0)->isUserInteractionEnabled());
  EXPECT_FALSE(toggleOf(1)->isUserInteractionEnabled());
  tapView(*toggleOf(1));
  tapView(*toggleOf(0));
  EXPECT_EQ(stored, (std::vector<std::string>{"on"}));
  EXPECT_FALSE(toggleOf(1)->isOn());

  off->setProperty(Plist::boolean(true), "enabled");
  page->reloadSpecifier(off);
  EXPECT_TRUE(toggleOf(1)->isUserInteractionEnabled());
}

TEST_F(SelectionTest, TheBundleRecordDescribesThePageTheMainListOrAFolderPageOpens) {
  launch();
  const auto selectAndRecord = [&](host::PSListController& page, const std::string& identifier) {
    tapRow(page, identifier);
    return VLPreferencesManager::sharedInstance()->currentBundle();
  };

  // An app's settings: its settings bundle and the app's identifier.
  const auto icon = solidImage(0.5);
  main()->specifierForID("com.x.notes")->setObject(icon, "iconImage");
  EXPECT_EQ(selectAndRecord(*main(), "com.x.notes"),
            Plist::dictionary({{"path", Plist::string("/Applications/Notes.app/Settings.bundle")},
                               {"identifier", Plist::string("com.x.notes")},
                               {"specifier", Plist::string("com.x.notes")},
                               {"name", Plist::string("Notes")},
                               {"icon", Plist::data(icon->pngData())}}));

  // A system page: the bundle it loads lazily, else the bundle it was loaded from.
  const auto general = main()->specifierForID("General");
  general->setProperty(Plist::string("/System/Library/PreferenceBundles/General.bundle"),
                       "lazy-bundle");
  general->setProperty(Plist::string("GeneralDataSource"), "dataSourceClass");
  general->setProperty(Plist::string("com.x.ignored"), "AppBundleID");
  EXPECT_EQ(selectAndRecord(*main(), "General"),
            Plist::dictionary(
                {{"path", Plist::string("/System/Library/PreferenceBundles/General.bundle")},
                 {"dataSourceClass", Plist::string("GeneralDataSource")},
                 {"specifier", Plist::string("General")},
                 {"name", Plist::string("General")}}));
  main()->specifierForID("DISPLAY")->setObject(
      host::NSBundle::bundleWithPath("/System/Library/PreferenceBundles/Display.bundle"),
      "pl_bundle");
  EXPECT_EQ(selectAndRecord(*main(), "DISPLAY").get("path"),
            Plist::string("/System/Library/PreferenceBundles/Display.bundle"));
  // Something else than a bundle gives no path at all.
  main()->specifierForID("WALLPAPER")->setObject(std::make_shared<host::UIView>(), "pl_bundle");
  EXPECT_EQ(selectAndRecord(*main(), "WALLPAPER"),
            Plist::dictionary(
                {{"specifier", Plist::string("WALLPAPER")}, {"name", Plist::string("WALLPAPER")}}));

  // A folder page records the pages its rows open; other pages do not.
  auto folder = std::make_shared<folderController>();
  folder->setSpecifiers({general});
  navigation().pushViewController(folder, false);
  settle();
  EXPECT_EQ(selectAndRecord(*folder, "General").get("specifier"), Plist::string("General"));
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a")});
  EXPECT_EQ(selectAndRecord(*page, "a").get("specifier"), Plist::string("General"));
}

}  // namespace
}  // namespace vorlan::test
