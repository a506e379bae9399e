#include <gtest/gtest.h>

#include "FolderTestSupport.h"
#include "hooks/PageRecords.h"
#include "uikit/UILabel.h"

namespace vorlan::test {
namespace {

TEST_F(FolderTest, APickerShowsTheTilesThePageCanUse) {
  launchWithMenu();
  auto panel = pick(main(), "WIFI");
  ASSERT_TRUE(panel);
  EXPECT_TRUE(panel->isShow());
  EXPECT_EQ(shown(panel), "SETTINGS,CYDIA,APPS,CONNECTIVITY,ACCESSIBILITY,PROTECTED");
  EXPECT_EQ(title(tile(panel, "APPS")), "Select");
  // The first visible tile is in the middle of the strip, the rest one page apart.
  const auto strip = panel->scroll();
  EXPECT_EQ(tile(panel, "SETTINGS")->frame(), strip->pageFrame(0));
  EXPECT_EQ(tile(panel, "APPS")->frame(), strip->pageFrame(2));
  EXPECT_EQ(strip->contentSize().width, 6 * strip->frame().size.width);
  // Tiles fade by their distance from the middle of the balloon.
  turnTo(panel, tile(panel, "APPS"));
  EXPECT_DOUBLE_EQ(tile(panel, "APPS")->alpha(), 1);
  EXPECT_DOUBLE_EQ(tile(panel, "CYDIA")->alpha(), 0.5);
  strip->setContentOffset({strip->contentOffset().x - strip->frame().size.width / 4, 0});
  EXPECT_GT(tile(panel, "CYDIA")->alpha(), 0.5);
  EXPECT_LT(tile(panel, "APPS")->alpha(), 1);

  // A cell of a sub-page cannot be filed: only the explanation shows.
  panel->dismissShape(false);
  auto page = push({group(), cell("a")});
  EXPECT_EQ(pick(page, "a"), panel) << "the panel is made once and reused";
  EXPECT_EQ(panel->noContent()->alpha(), 1);
  EXPECT_EQ(panel->scroll()->alpha(), 0);

  // A cell of a folder page can only leave its folder: the Default tile alone, on page 0.
  panel->dismissShape(false);
  auto folderPage = std::make_shared<folderController>();
  navigation().pushViewController(folderPage, false);
  folderPage->setSpecifiers({cell("WIFI")});
  settle();
  pick(folderPage, "WIFI");
  EXPECT_EQ(shown(panel), "DEFAULT");
  EXPECT_EQ(tile(panel, "DEFAULT")->frame(), strip->pageFrame(0));
  EXPECT_EQ(panel->noContent()->alpha(), 0);
}

TEST_F(FolderTest, SelectFilesTheRowAndTakesItOffTheMainList) {
  launchWithMenu();
  for (const char* id : {"AIRPLANE_MODE", "WIFI", "Bluetooth"}) {
    auto panel = pick(main(), id);
    turnTo(panel, tile(panel, "APPS"));
    press(tile(panel, "APPS"));
    EXPECT_FALSE(panel->isShow());
    EXPECT_EQ(storedRoot().get("folder").get(id), Plist::string("APPS")) << id;
  }
  EXPECT_EQ(recording->closed, 3);
  // The group's last row took its header with it.
  EXPECT_EQ(rows(*main()),
            "NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB|General,DISPLAY,WALLPAPER,Privacy|"
            "com.x.notes|Settings,Cydia,Apps,Connectivity,Accessibility,Protected");
  EXPECT_EQ(problems(), "");
}

TEST_F(FolderTest, DefaultTakesTheRowOutOfItsFolderWhateverItsLetterCase) {
  writeSettings(Plist::dictionary(
      {{"firstTime_folder", Plist::boolean(true)},
       {"folders",
        Plist::dictionary({{"1", folderRecord("Apps")}, {"2", folderRecord("dEfAuLt")}})},
       {"folder", Plist::dictionary(
                      {{"WIFI", Plist::string("APPS")}, {"General", Plist::string("APPS")}})}}));
  launchWithMenu();
  auto folderPage = std::make_shared<folderController>();
  folderPage->setParentController(main());
  navigation().pushViewController(folderPage, false);
  folderPage->setSpecifiers({cell("WIFI"), cell("General")});
  settle();
  records().needsReload = false;

  auto panel = pick(folderPage, "WIFI");
  press(tile(panel, "DEFAULT"));
  EXPECT_TRUE(storedRoot().get("folder").get("WIFI").isNone());
  EXPECT_TRUE(records().needsReload) << "the main list rebuilds when it next appears";

  // A folder of the user's named "default" is a way out too, not a folder to file into.
  navigation().popViewControllerAnimated(false);
  settle();
  panel = pick(main(), "Privacy");
  turnTo(panel, tile(panel, "DEFAULT"));
  press(tile(panel, "DEFAULT"));
  EXPECT_TRUE(storedRoot().get("folder").get("Privacy").isNone());
  EXPECT_EQ(storedRoot().get("folder").get("General"), Plist::string("APPS"));
  EXPECT_EQ(problems(), "");
}

}  // namespace
}  // namespace vorlan::test
