#include <gtest/gtest.h>

#include "DefaultDevice.h"
#include "HooksTestSupport.h"
#include "folders/folderController.h"
#include "foundation/DeviceFileSystem.h"
#include "hooks/VLPanGestureRecognizer.h"
#include "hooks/Vorlan3+MainList.h"
#include "hooks/Vorlan3+Pages.h"
#include "hooks/Vorlan3+TagView.h"
#include "panels/Stage.h"
#include "preferences/PSTableCell.h"
#include "support/UITableViewTestApi.h"
#include "uikit/UIPanGestureRecognizer.h"
#include "uikit/UITableView.h"

namespace vorlan::test {
namespace {

constexpr const char* kMain = "PSUIPrefsListController";
constexpr const char* kIcons = "/Library/Application Support/Vorlan3/folder_icons/";

Plist place(const std::string& section, const std::string& row) {
  return Plist::dictionary({{"section", Plist::string(section)}, {"row", Plist::string(row)}});
}

Plist folderRecord(const std::string& name) {
  return Plist::dictionary({{"name", Plist::string(name)},
                            {"settings_image", Plist::string(kIcons + name + "_icon.png")}});
}

// No folders at all (the defaults already written and then all deleted).
const Plist::Entry kNoFolders{"folders", Plist::dictionary()};
const Plist::Entry kFoldersWritten{"firstTime_folder", Plist::boolean(true)};

long vorlanRecognizers(const host::UIView& cell) {
  const auto& all = cell.gestureRecognizers();
  return std::count_if(all.begin(), all.end(), [](const auto& recognizer) {
    return recognizer->isKindOfClass(VLPanGestureRecognizer::objcClass());
  });
}

TEST_F(SettingsProcessTest, HiddenAndFiledCellsLeaveTheMainListAndFolderRowsFollow) {
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(true)},
                                                      {"Bluetooth", Plist::boolean(false)},
                                                      {"NOTIFICATIONS_ID", Plist::boolean(true)},
                                                      {"Tools", Plist::boolean(true)}})}})},
       {"folder", Plist::dictionary({{"General", Plist::string("Apps")},
                                     {"CONTROL_CENTER", Plist::string("Apps")},
                                     {"DO_NOT_DISTURB", Plist::string("Settings")}})},
       kFoldersWritten,
       {"folders", Plist::dictionary({{"1", folderRecord("Settings")},
                                      {"10", folderRecord("Tools")},
                                      {"2", folderRecord("Apps")}})}}));
  device.writeRaw(std::string(kIcons) + "Settings_icon.png", pngText(solidImage(1)));
  launch();

  // The second group lost every cell and with it its header; folder rows come last, by number,
  // and a folder row can be hidden like any cell.
  EXPECT_EQ(rows(*main()),
            "AIRPLANE_MODE,Bluetooth|DISPLAY,WALLPAPER,Privacy|com.x.notes|Settings,Apps");
  EXPECT_EQ(records().folders.size(), 4u);
  EXPECT_EQ(main()->table()->numberOfSections(), main()->numberOfGroups());

  const auto settings = main()->specifierForID("Settings");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->detailControllerClass(), host::NSClassFromString("folderController"));
  EXPECT_EQ(settings->cellType(), host::PSSpecifier::PSLinkCell);
  EXPECT_EQ(settings->target(), main());
  EXPECT_NE(settings->objectForKey("iconImage"), nullptr);
  EXPECT_EQ(main()->specifierForID("Apps")->objectForKey("iconImage"), nullptr);  // no file

  // The first pass's cells stay reachable by identifier, hidden and filed ones included.
  const auto original = [&](const std::string& id) {
    return host::send<hooks::mainlist::GetOriginalSpecifierByIdentifier>(main(), id);
  };
  EXPECT_NE(original("WIFI"), nullptr);
  EXPECT_EQ(original("General")->name(), "General");
  EXPECT_EQ(original("nothing"), nullptr);
  EXPECT_EQ(original(""), nullptr);

  // Opening a folder row opens the folder page.
  host::UITableViewTestApi(main()->table())
      .tapRowAtIndexPath(*main()->indexPathForSpecifier(settings.get()));
  host::RunLoop::main().advance(1);
  EXPECT_NE(std::dynamic_pointer_cast<folderController>(navigation().viewControllers().back()),
            nullptr);
}

TEST_F(SettingsProcessTest, TheDefaultDevicesMainListIsRewritten) {
  device.fs().removeItem(kPreferencesApp);
  device.fs().removeItem("/Applications/Notes.app");
  std::string error;
  ASSERT_TRUE(DefaultDevice::layOut(device.root(), DeviceOptions{}, &error)) << error;
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"Bluetooth", Plist::boolean(true)}})}})},
       {"folder", Plist::dictionary({{"SIRI", Plist::string("Apps")}})}}));
  launch();

  EXPECT_NE(main()->specifierForID("WIFI"), nullptr);
  EXPECT_EQ(main()->specifierForID("Bluetooth"), nullptr);
  EXPECT_EQ(main()->specifierForID("SIRI"), nullptr);
  // The six default folders, written on this first pass, end the list.
  const auto& all = main()->specifiers();
  ASSERT_GE(all.size(), 7u);
  EXPECT_EQ(all.back()->name(), "Protected");
  EXPECT_EQ(all[all.size() - 6]->name(), "Settings");
  EXPECT_EQ(VLPreferencesManager::sharedInstance()->dictionary().get("firstTime_folder"),
            Plist::boolean(true));
  EXPECT_EQ(main()->table()->numberOfSections(), main()->numberOfGroups());
}

TEST_F(SettingsProcessTest, ASubPageLosesHiddenCellsButKeepsFiledCellsAndEmptyGroups) {
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{"TestSubPage", Plist::dictionary({{"c", Plist::boolean(true)}})},
                           {kMain, Plist::dictionary({{"a", Plist::boolean(true)}})}})},
       {"folder", Plist::dictionary({{"a", Plist::string("Apps")}, {"b", Plist::string("Apps")}})},
       kFoldersWritten,
       kNoFolders}));
  launch();
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a"), cell("b"),
                    host::PSSpecifier::groupSpecifierWithName("More"), cell("c")});

  EXPECT_EQ(rows(*page), "a,b|");
  EXPECT_EQ(page->table()->numberOfSections(), 2);
  // The main list has no folder rows, and its empty folder group went again (it is still the
  // one the next pass takes away).
  EXPECT_EQ(rows(*main()),
            "AIRPLANE_MODE,WIFI,Bluetooth|NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB|"
            "General,DISPLAY,WALLPAPER,Privacy|com.x.notes");
  EXPECT_EQ(records().folders.size(), 1u);
}

TEST_F(SettingsProcessTest, MovedCellsGoBackAtTheirStoredPlaceInOrder) {
  writeSettings(Plist::dictionary(
      {{"position",
        Plist::dictionary({{kMain, Plist::dictionary({{"Privacy", place("0", "0")},
                                                      {"DISPLAY", place("1", "2")},
                                                      {"WALLPAPER", place("1", "3")}})},
                           {"TestSubPage",
                            Plist::dictionary({{"a", place("0", "3")}, {"c", place("7", "1")}})}})},
       {"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"WALLPAPER", Plist::boolean(true)}})}})},
       kFoldersWritten,
       kNoFolders}));
  launch();

  // In the order they stood: DISPLAY and WALLPAPER (also hidden, back all the same) into the
  // second group, then Privacy before the first header, which makes it a group of its own.
  EXPECT_EQ(rows(*main()),
            "Privacy|AIRPLANE_MODE,WIFI,Bluetooth|"
            "NOTIFICATIONS_ID,DISPLAY,WALLPAPER,CONTROL_CENTER,DO_NOT_DISTURB|General|com.x.notes");

  // On a sub-page each moved cell goes back as it is met; a section past the end appends.
  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a"), cell("b"), cell("c"),
                    host::PSSpecifier::emptyGroupSpecifier(), cell("d")});
  EXPECT_EQ(rows(*page), "b,a|d,c");
}

// Every shown row is element row + 1 of its group, as a row selection reads it.
void expectRowsReadAsSelectionsReadThem(host::PSListController& page) {
  const auto table = page.table();
  for (long section = 0; section < table->numberOfSections(); ++section) {
    const auto group = page.specifiersInGroup(section);
    ASSERT_EQ(static_cast<long>(group.size()), table->numberOfRowsInSection(section) + 1);
    EXPECT_TRUE(group.front()->isGroup());
    for (long row = 0; row < table->numberOfRowsInSection(section); ++row) {
      EXPECT_EQ(group[static_cast<std::size_t>(row) + 1], page.specifierAtIndexPath({section, row}))
          << section << "." << row;
    }
  }
}

TEST_F(SettingsProcessTest, RowsMovedToTheTopAreReadAndSelectedAsTheRowsTheyAre) {
  writeSettings(Plist::dictionary(
      {{"position",
        Plist::dictionary({{kMain, Plist::dictionary({{"DISPLAY", place("0", "0")}})},
                           {"TestSubPage",
                            Plist::dictionary({{"a", place("0", "0")}, {"b", place("0", "0")}})}})},
       {"enabled",
        Plist::dictionary({{"TestSubPage", Plist::dictionary({{"b", Plist::boolean(false)}})}})},
       kFoldersWritten,
       kNoFolders}));
  launch();
  EXPECT_EQ(rows(*main()).substr(0, 22), "DISPLAY|AIRPLANE_MODE,");
  expectRowsReadAsSelectionsReadThem(*main());

  const auto opening = [](const std::string& id) {
    auto item = cell(id);
    item->setDetailControllerClass(TestSubPage::objcClass());
    return item;
  };
  auto page = push({host::PSSpecifier::groupSpecifierWithName("Head"), opening("a"), opening("b"),
                    opening("c")});
  ASSERT_EQ(rows(*page), "b,a|c");
  expectRowsReadAsSelectionsReadThem(*page);
  EXPECT_EQ(page->table()->numberOfSections(), 2);

  // The disabled top row stays closed; the one below it opens.
  const auto depth = navigation().viewControllers().size();
  host::UITableViewTestApi(page->table()).tapRowAtIndexPath({0, 0});
  settle();
  EXPECT_EQ(navigation().viewControllers().size(), depth);
  host::UITableViewTestApi(page->table()).tapRowAtIndexPath({0, 1});
  settle();
  ASSERT_EQ(navigation().viewControllers().size(), depth + 1);
  const auto opened = std::dynamic_pointer_cast<TestSubPage>(navigation().viewControllers().back());
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->specifier(), page->specifierForID("a"));
}

TEST_F(SettingsProcessTest, APassWithoutAReloadLeavesThePageAsItWasAndFolderRowsLast) {
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(true)}})}})},
       {"position",
        Plist::dictionary({{kMain, Plist::dictionary({{"DISPLAY", place("0", "0")}})}})},
       {"enabled",
        Plist::dictionary({{kMain, Plist::dictionary({{"Bluetooth", Plist::boolean(false)}})}})},
       kFoldersWritten,
       {"folders",
        Plist::dictionary({{"1", folderRecord("Settings")}, {"2", folderRecord("Apps")}})}}));
  device.writeRaw(std::string(kIcons) + "Settings_icon.png", pngText(solidImage(1)));
  launch();
  const std::string first = rows(*main());
  EXPECT_EQ(first,
            "DISPLAY|AIRPLANE_MODE,Bluetooth|NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB|"
            "General,WALLPAPER,Privacy|com.x.notes|Settings,Apps");
  // Every row on screen shows its own cell, enabled as the cell is.
  const auto pass = [&] {
    host::send<hooks::pages::SpecifiersLoaded>(main());
    settle();
    expectRowsReadAsSelectionsReadThem(*main());
    const auto table = main()->table();
    table->layoutIfNeeded();
    ASSERT_FALSE(table->indexPathsForVisibleRows().empty());
    for (const auto& indexPath : table->indexPathsForVisibleRows()) {
      const auto shown =
          std::dynamic_pointer_cast<host::PSTableCell>(table->cellForRowAtIndexPath(indexPath));
      ASSERT_NE(shown, nullptr);
      EXPECT_EQ(shown->specifier(), main()->specifierAtIndexPath(indexPath));
      EXPECT_EQ(shown->isCellEnabled(),
                shown->specifier()->propertyForKey("enabled").asBoolean().value_or(true));
    }
  };

  const auto settingsRow = main()->specifierForID("Settings");
  pass();
  EXPECT_EQ(rows(*main()), first);
  ASSERT_EQ(records().folders.size(), 3u);
  EXPECT_EQ(records().folders[1], settingsRow);  // left as it was
  EXPECT_EQ(main()->specifierForID("Settings"), settingsRow);
  EXPECT_NE(settingsRow->objectForKey("iconImage"), nullptr);
  EXPECT_EQ(main()->specifierForID("Bluetooth")->propertyForKey("enabled"), Plist::boolean(false));

  // An icon file that comes later shows on the next pass.
  device.writeRaw(std::string(kIcons) + "Apps_icon.png", pngText(solidImage(1)));
  pass();
  EXPECT_EQ(rows(*main()), first);
  EXPECT_NE(main()->specifierForID("Apps")->objectForKey("iconImage"), nullptr);

  // Cells added below the folder rows: the rows go back to the end.
  main()->addSpecifiersFromArray({host::PSSpecifier::emptyGroupSpecifier(), cell("com.x.late")},
                                 false);
  pass();
  EXPECT_EQ(rows(*main()), first.substr(0, first.rfind('|')) + "|com.x.late|Settings,Apps");

  // A folder renamed in the settings file gets its new row; the others stay.
  writeSettings(device.readPlist(VLPreferencesManager::kSettingsPath)
                    .withPath({"folders", "2", "name"}, Plist::string("Tools")));
  VLPreferencesManager::sharedInstance()->updatedDictionary();
  pass();
  EXPECT_EQ(rows(*main()), first.substr(0, first.rfind('|')) + "|com.x.late|Settings,Tools");
  EXPECT_EQ(records().folders.back(), main()->specifierForID("Tools"));
  EXPECT_EQ(main()->specifierForID("Apps"), nullptr);
}

TEST_F(SettingsProcessTest, DisabledCellsAreMarkedAndTheirShownRowsReloaded) {
  writeSettings(Plist::dictionary(
      {{"enabled",
        Plist::dictionary({{kMain, Plist::dictionary({{"Bluetooth", Plist::boolean(false)},
                                                      {"WIFI", Plist::boolean(true)}})}})},
       kFoldersWritten,
       kNoFolders}));
  enterExtension();
  app = host::PreferencesApp::launch();
  const auto bluetooth = main()->specifierForID("Bluetooth");
  const auto path = *main()->indexPathForSpecifier(bluetooth.get());
  const auto before =
      std::dynamic_pointer_cast<host::PSTableCell>(main()->table()->cellForRowAtIndexPath(path));
  ASSERT_NE(before, nullptr);
  EXPECT_TRUE(before->isCellEnabled());  // shown before the pass

  settle();
  EXPECT_EQ(bluetooth->propertyForKey("enabled"), Plist::boolean(false));
  EXPECT_EQ(main()->specifierForID("WIFI")->propertyForKey("enabled"), Plist::boolean(true));
  EXPECT_EQ(main()->specifierForID("General")->propertyForKey("enabled"), Plist::boolean(true));
  main()->table()->layoutIfNeeded();
  const auto shown = std::dynamic_pointer_cast<host::PSTableCell>(
      main()->table()->cellForRowAtIndexPath(*main()->indexPathForSpecifier(bluetooth.get())));
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(shown->isCellEnabled());
  EXPECT_TRUE(shown->isUserInteractionEnabled());
}

TEST_F(SettingsProcessTest, AMovedCellCarriesItsEnabledStateOnEveryPage) {
  const auto disabled = [](const std::string& id) {
    return Plist::dictionary({{id, Plist::boolean(false)}});
  };
  writeSettings(Plist::dictionary(
      {{"enabled",
        Plist::dictionary({{kMain, disabled("DISPLAY")}, {"TestSubPage", disabled("a")}})},
       {"position",
        Plist::dictionary({{kMain, Plist::dictionary({{"DISPLAY", place("0", "2")}})},
                           {"TestSubPage", Plist::dictionary({{"a", place("0", "2")}})}})},
       kFoldersWritten,
       kNoFolders}));
  launch();
  const auto shownEnabled = [](host::PSListController& page, const std::string& id) {
    const auto item = page.specifierForID(id);
    page.table()->layoutIfNeeded();
    const auto shown = std::dynamic_pointer_cast<host::PSTableCell>(
        page.table()->cellForRowAtIndexPath(*page.indexPathForSpecifier(item.get())));
    EXPECT_NE(shown, nullptr) << id;
    return shown && shown->isCellEnabled();
  };

  EXPECT_EQ(rows(*main()).substr(0, 30), "AIRPLANE_MODE,DISPLAY,WIFI,Blu");
  EXPECT_EQ(main()->specifierForID("DISPLAY")->propertyForKey("enabled"), Plist::boolean(false));
  EXPECT_FALSE(shownEnabled(*main(), "DISPLAY"));
  EXPECT_TRUE(shownEnabled(*main(), "WIFI"));

  auto page = push({host::PSSpecifier::emptyGroupSpecifier(), cell("a"), cell("b"), cell("c")});
  EXPECT_EQ(rows(*page), "b,a,c");
  EXPECT_EQ(page->specifierForID("a")->propertyForKey("enabled"), Plist::boolean(false));
  EXPECT_FALSE(shownEnabled(*page, "a"));
  EXPECT_TRUE(shownEnabled(*page, "b"));
}

TEST_F(SettingsProcessTest, AChangeOnASubPageReachesTheMainListWhenItNextAppears) {
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(true)}})}})},
       kFoldersWritten,
       kNoFolders}));
  launch();
  EXPECT_EQ(main()->specifierForID("WIFI"), nullptr);
  auto page = push({cell("x")});
  auto manager = VLPreferencesManager::sharedInstance();
  EXPECT_EQ(manager->currentController(), page);
  EXPECT_EQ(Stage::current()->currentListPage(), page);  // what the stage's views see
  EXPECT_EQ(manager->mainController(), main());

  manager->showSpecifier("WIFI");  // the hidden list's undo, while the sub-page is on screen
  EXPECT_TRUE(records().needsReload);
  EXPECT_EQ(main()->specifierForID("WIFI"), nullptr);

  navigation().popViewControllerAnimated(false);
  settle();
  EXPECT_FALSE(records().needsReload);
  EXPECT_NE(main()->specifierForID("WIFI"), nullptr);
  EXPECT_EQ(manager->currentController(), main());
  EXPECT_EQ(Stage::current()->currentListPage(), main());
}

class AppCellWaitTest : public SettingsProcessTest {
 protected:
  // Counts the main list's passes, keeping the pass itself.
  void countPasses() {
    using SpecifiersLoaded = hooks::pages::SpecifiersLoaded;
    host::MSHookMessageEx<SpecifiersLoaded::Signature>(
        host::PSUIPrefsListController::objcClass(), SpecifiersLoaded::selector,
        [this](host::Object* self) {
          ++passes;
          pass(self);
        },
        &pass);
  }
  int passes = 0;
  host::ImpOf<hooks::pages::SpecifiersLoaded> pass;
};

TEST_F(AppCellWaitTest, TheMainListIsRewrittenOncePerReloadAfterItsAppCellsArrive) {
  writeSettings(Plist::dictionary({kFoldersWritten, kNoFolders}));
  enterExtension();
  countPasses();
  app = host::PreferencesApp::launch();
  main()->setTitle("Settings");
  host::RunLoop::main().advance(host::PSUIPrefsListController::kThirdPartyDelay / 2);
  EXPECT_EQ(passes, 0);  // still waiting for the app cells
  EXPECT_NE(appCellWait().appsSpec, nullptr);
  settle();
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(appCellWait().appsSpec, nullptr);
  EXPECT_EQ(device.readPlist(VLPreferencesManager::kSettingsPath).get("name"),
            Plist::string("Settings"));

  // Two reloads in one frame start one wait; the pass also ends a tag filter.
  host::send<hooks::tagview::SetInTagView>(main(), true);
  main()->reloadSpecifiers();
  main()->reloadSpecifiers();
  EXPECT_FALSE(stage().isInTagView);
  settle();
  EXPECT_EQ(passes, 2);
  EXPECT_EQ(rows(*main()),
            "AIRPLANE_MODE,WIFI,Bluetooth|NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB|"
            "General,DISPLAY,WALLPAPER,Privacy|com.x.notes");
}

TEST_F(AppCellWaitTest, AMainListWithoutAppCellsIsRewrittenAfterASecond) {
  device.fs().removeItem("/Applications/Notes.app");
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(true)}})}})},
       kFoldersWritten,
       kNoFolders}));
  enterExtension();
  countPasses();
  app = host::PreferencesApp::launch();
  settle();
  EXPECT_EQ(passes, 0);
  host::RunLoop::main().advance(1);
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(main()->specifierForID("WIFI"), nullptr);
  // The watch for late app cells ends too, some seconds later.
  host::RunLoop::main().advance(10);
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(appCellWait().appsSpec, nullptr);
}

TEST_F(AppCellWaitTest, AppCellsArrivingAfterTheWaitGaveUpGetOneMorePass) {
  device.fs().removeItem("/Applications/Notes.app");
  writeSettings(Plist::dictionary(
      {{"hidden",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(true)},
                                                      {"com.x.late", Plist::boolean(true)}})}})},
       kFoldersWritten,
       kNoFolders}));
  enterExtension();
  countPasses();
  app = host::PreferencesApp::launch();
  host::RunLoop::main().advance(1.5);
  ASSERT_EQ(passes, 1);

  // The app cells arrive late, as the host brings them: an ivar and a group at the end.
  auto& apps =
      host::MSHookIvar<host::PSListController::Specifiers>(main(), "_thirdPartySpecifiers");
  apps = {cell("com.x.late"), cell("com.x.shown")};
  main()->addSpecifiersFromArray({host::PSSpecifier::emptyGroupSpecifier(), apps[0], apps[1]},
                                 false);
  settle();
  EXPECT_EQ(passes, 2);
  EXPECT_EQ(main()->specifierForID("com.x.late"), nullptr);
  EXPECT_NE(main()->specifierForID("com.x.shown"), nullptr);
  EXPECT_EQ(appCellWait().appsSpec, nullptr);
  host::RunLoop::main().advance(10);
  EXPECT_EQ(passes, 2);
}

TEST_F(SettingsProcessTest, EveryCellCarriesOneSwipeRecognizerExceptWhileEditing) {
  writeSettings(Plist::dictionary({kFoldersWritten, kNoFolders}));
  launch();
  stage().mainPan = std::make_shared<host::UIPanGestureRecognizer>();
  const auto table = main()->table();
  const auto checkCells = [&](long expected) {
    table->layoutIfNeeded();
    const auto cells = table->visibleCells();
    ASSERT_FALSE(cells.empty());
    for (const auto& shown : cells) {
      EXPECT_EQ(vorlanRecognizers(*shown), expected);
      EXPECT_EQ(host::send<hooks::pages::HasGesture>(main(), shown), expected == 1);
    }
  };
  checkCells(1);
  table->reloadData();  // cells come again, reused
  checkCells(1);

  table->setEditing(true);
  table->reloadData();
  checkCells(0);
  EXPECT_FALSE(stage().mainPan->isEnabled());

  table->setEditing(false);
  table->reloadData();
  checkCells(1);
  EXPECT_TRUE(stage().mainPan->isEnabled());

  // A cell swipe recognises together with the table's scrolling, never with the root-view pan.
  auto swipe = std::dynamic_pointer_cast<VLPanGestureRecognizer>(
      table->visibleCells().front()->gestureRecognizers().back());
  ASSERT_NE(swipe, nullptr);
  auto rootPan = std::make_shared<host::UIPanGestureRecognizer>();
  navigation().view()->addGestureRecognizer(rootPan);
  auto tablePan = std::make_shared<host::UIPanGestureRecognizer>();
  table->addGestureRecognizer(tablePan);
  auto* delegate = swipe->delegate().get();
  ASSERT_EQ(delegate, static_cast<host::UIGestureRecognizerDelegate*>(swipe.get()));
  EXPECT_FALSE(delegate->gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
      *swipe, *rootPan));
  EXPECT_TRUE(delegate->gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
      *swipe, *tablePan));
}

}  // namespace
}  // namespace vorlan::test
