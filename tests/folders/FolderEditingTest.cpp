#include <gtest/gtest.h>

#include <algorithm>

#include "FolderTestSupport.h"
#include "foundation/Shell.h"
#include "uikit/CALayer.h"
#include "uikit/Keyboard.h"
#include "uikit/UIScrollView.h"

namespace vorlan::test {
namespace {

class FolderEditingTest : public FolderTest {
 protected:
  void launchWithFolders(const Plist& membership = Plist::dictionary()) {
    writeSettings(Plist::dictionary({{"folder", membership}}));
    launchWithMenu();
  }
  // Opens personalize mode on a tile and lets its animations settle.
  std::shared_ptr<folderView> personalize(const std::string& name) {
    auto panel = edit();
    auto shownTile = tile(panel, name);
    turnTo(panel, shownTile);
    press(shownTile);
    return shownTile;
  }
  // Goes to the name page, takes the keyboard and replaces the name.
  void rename(const std::shared_ptr<folderView>& shownTile, const std::string& name) {
    const auto& pages = shownTile->editingScroll();
    pages->setContentOffset({pages->frame().size.width, 0});
    settle();
    tapView(shownTile->editingName());
    ASSERT_TRUE(shownTile->nameField()->isFirstResponder());
    while (host::Keyboard::pressDelete() && !shownTile->getName().empty()) {
    }
    host::Keyboard::typeText(name);
  }
  static std::shared_ptr<host::UIAlertView> alertShown() {
    const auto& alerts = host::UIAlertView::visibleAlerts();
    return alerts.empty() ? nullptr : alerts.back();
  }
};

TEST_F(FolderEditingTest, CreateNamesTheNewFolderWithTheFirstFreeName) {
  writeSettings(Plist::dictionary(
      {{"firstTime_folder", Plist::boolean(true)},
       {"folders",
        Plist::dictionary({{"1", folderRecord("new")}, {"2", folderRecord("NEW-1")}})}}));
  launchWithMenu();
  auto panel = edit();
  EXPECT_EQ(shown(panel), "NEW,NEW-1,ADD,RESET");
  EXPECT_EQ(title(tile(panel, "NEW")), "Personalize");
  EXPECT_EQ(title(tile(panel, "ADD")), "Create");
  EXPECT_EQ(title(tile(panel, "RESET")), "Reset");

  turnTo(panel, tile(panel, "ADD"));
  press(tile(panel, "ADD"));
  EXPECT_EQ(storedFolder("3").get("name"), Plist::string("NEW-2"));
  EXPECT_EQ(storedFolder("3").get("image"),
            Plist::string(std::string(folderView::kFolderIcons) + "apps.png"));
  const auto created = tile(panel, "NEW-2");
  ASSERT_TRUE(created);
  EXPECT_EQ(created->key(), "3");
  EXPECT_EQ(tile(panel, "ADD")->key(), "4");
  EXPECT_EQ(tile(panel, "RESET")->key(), "5");
  EXPECT_EQ(created->frame(), panel->scroll()->pageFrame(2));
  EXPECT_EQ(tile(panel, "RESET")->frame(), panel->scroll()->pageFrame(4));
  EXPECT_EQ(title(created), "Personalize");
  EXPECT_EQ(problems(), "");
}

TEST_F(FolderEditingTest, WithoutFoldersOnlyCreateAndResetShow) {
  writeSettings(Plist::dictionary(
      {{"firstTime_folder", Plist::boolean(true)}, {"folders", Plist::dictionary()}}));
  launchWithMenu();
  EXPECT_EQ(shown(pick(main(), "WIFI")), "");
  menu->folderSky()->dismissShape(false);
  auto panel = edit();
  EXPECT_EQ(shown(panel), "ADD,RESET");
  EXPECT_EQ(tile(panel, "ADD")->frame(), panel->scroll()->pageFrame(0));
  press(tile(panel, "ADD"));
  EXPECT_EQ(tile(panel, "NEW")->key(), "1");
  EXPECT_EQ(storedFolder("1").get("name"), Plist::string("NEW"));
  EXPECT_EQ(problems(), "");
}

TEST_F(FolderEditingTest, PersonalizeCyclesIconsAndChecksTheName) {
  launchWithFolders(Plist::dictionary({{"WIFI", Plist::string("APPS")}}));
  auto apps = personalize("APPS");
  EXPECT_EQ(title(apps), "Done");
  for (const auto& other : editor->scroll()->subviews()) {
    if (other != apps) {
      EXPECT_EQ(other->alpha(), 0);
    }
  }
  EXPECT_GT(apps->transform().a, 1.2) << "the tile grows";

  // Icons cycle in both directions, wrapping at both ends; list icons are never offered.
  const auto images = VLPreferencesManager::sharedInstance()->getAllFolderImages();
  ASSERT_GT(images.size(), 2u);
  EXPECT_TRUE(std::none_of(images.begin(), images.end(), [](const std::string& path) {
    return path.substr(path.rfind('/')).find("_icon") != std::string::npos;
  }));
  apps->setImage(images.front());
  const auto iconCentre = centreOf(apps->editingIcon());
  host::TouchInjector(app->window())
      .drag(iconCentre, {iconCentre.x, iconCentre.y + 80}, 0.15);  // a swipe down
  settle();
  EXPECT_EQ(apps->imagePath(), images.back());
  apps->swipedIcon(true);
  EXPECT_EQ(apps->imagePath(), images.front());
  apps->swipedIcon(true);
  const std::string chosen = apps->imagePath();

  // A name another folder has, in any letter case, is refused and the mode stays open.
  rename(apps, "cydia");
  press(apps);
  ASSERT_TRUE(alertShown());
  EXPECT_EQ(alertShown()->title(), "Error");
  EXPECT_EQ(alertShown()->message(), folderView::kNameTakenMessage);
  alertShown()->pressButton("OK");
  EXPECT_EQ(title(apps), "Done");
  EXPECT_EQ(storedFolder("3").get("name"), Plist::string("Apps"));

  // Only the letter case changed: accepted, with the chosen icon.
  rename(apps, "apps");
  press(apps);
  EXPECT_FALSE(alertShown());
  EXPECT_EQ(title(apps), "Personalize");
  EXPECT_EQ(apps->getName(), "APPS");
  EXPECT_EQ(storedFolder("3").get("name"), Plist::string("apps"));
  EXPECT_EQ(storedFolder("3").get("image"), Plist::string(chosen));
  EXPECT_EQ(problems(), "");

  // A new name moves the folder's rows with it.
  apps = personalize("APPS");
  rename(apps, "Tools");
  press(apps);
  EXPECT_EQ(apps->getName(), "TOOLS");
  EXPECT_EQ(storedFolder("3").get("name"), Plist::string("Tools"));
  EXPECT_EQ(storedRoot().get("folder").get("WIFI"), Plist::string("TOOLS"));
  EXPECT_EQ(problems(), "");
}

TEST_F(FolderEditingTest, LeavingWithoutAValidNameKeepsTheStoredName) {
  launchWithFolders();
  const Plist before = storedRoot();
  // Closing the panel leaves personalize mode, restoring the name, saving nothing.
  auto apps = personalize("APPS");
  rename(apps, "Junk");
  editor->dismissShape(true);
  settle();
  EXPECT_EQ(apps->getName(), "APPS");
  EXPECT_EQ(title(apps), "Personalize");
  EXPECT_EQ(storedRoot(), before);

  // An empty name is not saved, and the tile names its folder again.
  apps = personalize("APPS");
  rename(apps, "");
  press(apps);
  EXPECT_EQ(title(apps), "Personalize");
  EXPECT_EQ(apps->getName(), "APPS");
  EXPECT_EQ(storedFolder("3").get("name"), Plist::string("Apps"));
}

TEST_F(FolderEditingTest, DeleteNeedsAPullPastHalfAndRenumbersTheRest) {
  launchWithFolders(Plist::dictionary({{"WIFI", Plist::string("CYDIA")}}));
  EXPECT_FALSE(main()->specifierForID("WIFI"));
  auto panel = edit();
  auto cydia = tile(panel, "CYDIA");
  turnTo(panel, cydia);
  const double range = cydia->scroll()->contentSize().height - cydia->frame().size.height;
  // Released just short of half the range, the icon snaps back; at exactly half, Delete shows.
  pull(cydia, range / 2 - 1);
  EXPECT_FALSE(cydia->isDeletionRevealed());
  EXPECT_EQ(cydia->scroll()->contentOffset().y, 0);
  pull(cydia, range / 2);
  ASSERT_TRUE(cydia->isDeletionRevealed());
  EXPECT_EQ(cydia->trashButton()->alpha(), 1);
  EXPECT_EQ(cydia->scroll()->contentOffset().y, range);
  // Cancel closes it again; a second pull reveals it again.
  tapView(cydia->confirmButton());
  settle();
  EXPECT_FALSE(cydia->isDeletionRevealed());
  pull(cydia, range);

  tapView(cydia->trashButton());
  settle();
  settle();  // the fade, then the later tiles' move
  EXPECT_FALSE(tile(panel, "CYDIA"));
  EXPECT_TRUE(storedRoot().get("folder").get("WIFI").isNone());
  EXPECT_TRUE(main()->specifierForID("WIFI")) << "the folder's row is back on the main list";
  EXPECT_EQ(storedFolder("2").get("name"), Plist::string("Apps"));
  EXPECT_TRUE(storedFolder("6").isNone());
  EXPECT_EQ(tile(panel, "APPS")->key(), "2");
  EXPECT_EQ(tile(panel, "RESET")->key(), "7");
  EXPECT_EQ(tile(panel, "APPS")->frame(), panel->scroll()->pageFrame(1));
  EXPECT_EQ(shown(panel), "SETTINGS,APPS,CONNECTIVITY,ACCESSIBILITY,PROTECTED,ADD,RESET");
  EXPECT_EQ(problems(), "");

  // A tile that moved down a key saves under its new key.
  auto apps = tile(panel, "APPS");
  turnTo(panel, apps);
  press(apps);
  EXPECT_EQ(title(apps), "Done");
  rename(apps, "Tools");
  press(apps);
  EXPECT_EQ(storedFolder("2").get("name"), Plist::string("Tools"));
  EXPECT_EQ(storedFolder("3").get("name"), Plist::string("Connectivity"));
}

// A sideways drag on a tile turns the strip's page; only an upward one pulls the icon.
TEST_F(FolderEditingTest, ASidewaysDragOnATileTurnsThePage) {
  launchWithFolders();
  auto panel = edit();
  const auto& strip = panel->scroll();
  const auto from = centreOf(tile(panel, "SETTINGS")->icon());
  host::TouchInjector(app->window()).drag(from, {from.x - 120, from.y + 10}, 0.3);
  settle();
  EXPECT_EQ(strip->contentOffset().x, strip->frame().size.width);
  EXPECT_EQ(tile(panel, "SETTINGS")->scroll()->contentOffset().y, 0);
  EXPECT_FALSE(tile(panel, "SETTINGS")->isDeletionRevealed());
}

TEST_F(FolderEditingTest, ResetErasesTheFoldersOnlyAfterYes) {
  launchWithFolders(Plist::dictionary({{"WIFI", Plist::string("APPS")}}));
  auto panel = edit();
  auto reset = tile(panel, "RESET");
  turnTo(panel, reset);
  press(reset);
  ASSERT_TRUE(alertShown());
  EXPECT_EQ(alertShown()->title(), "Reset");
  EXPECT_EQ(alertShown()->message(), resetFolder::kMessage);
  alertShown()->pressButton("No");
  EXPECT_TRUE(host::Shell::commands().empty());
  EXPECT_FALSE(storedRoot().get("folder").isNone());

  press(reset);
  alertShown()->pressButton("Yes");
  EXPECT_EQ(host::Shell::commands(), (std::vector<std::string>{"killall -HUP SpringBoard"}));
  EXPECT_TRUE(storedRoot().get("folder").isNone());
  EXPECT_TRUE(storedRoot().get("folders").isNone());
  EXPECT_EQ(problems(), "");
}

}  // namespace
}  // namespace vorlan::test
