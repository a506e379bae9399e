#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hooks/HooksTestSupport.h"
#include "hooks/Vorlan3+TagView.h"
#include "hooks/catogoriesListView.h"
#include "panels/passcodeSkyView.h"
#include "panels/shapeSkyView.h"
#include "support/Snapshot.h"
#include "support/UITableViewTestApi.h"
#include "tags/tagView.h"
#include "uikit/TouchInjector.h"
#include "uikit/UIApplication.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationBar.h"

namespace vorlan::test {
namespace {

constexpr const char* kBundlePath = "/Library/PreferenceBundles/Extras.bundle";

// A page of a settings bundle, known by its class name only once its bundle is loaded.
class ExtrasPage : public host::PSListController {
 public:
  explicit ExtrasPage(host::Class* cls) : host::PSListController(cls) {}

 protected:
  Specifiers loadSpecifiers() override {
    auto off = cell("off", "Off");
    off->setDetailControllerClass(TestSubPage::objcClass());
    auto secret = cell("secret", "Secret");
    secret->setDetailControllerClass(TestSubPage::objcClass());
    return {group(), cell("lamp", "Lamp"), secret, off, cell("untagged")};
  }
};

Plist red() {
  return Plist::dictionary({{"Red", Plist::boolean(true)}});
}

// The main list as the hooks fixture makes it, with DO_NOT_DISTURB filed into a folder, cells
// tagged Red on the main list, in the folder, on a settings-bundle page and on two apps' pages,
// and two pages the filter cannot build.
class TagFilterTest : public SettingsProcessTest {
 protected:
  void SetUp() override {
    SettingsProcessTest::SetUp();
    if (HasFatalFailure()) return;
    device.writePlist(std::string(kBundlePath) + "/Info.plist", Plist::dictionary());
    host::NSBundle::registerLoadableClass(kBundlePath, "ExtrasPage", [] {
      return host::Runtime::shared().defineClass("ExtrasPage", host::PSListController::objcClass(),
                                                 host::factoryFor<ExtrasPage>());
    });
    installAppWith("Maps", "com.x.maps", "units");
    installAppWith("Notes", "com.x.notes", "sync");
  }
  void TearDown() override {
    stage().categoriesList.reset();
    SettingsProcessTest::TearDown();
  }

  void installAppWith(const std::string& name, const std::string& id, const std::string& key) {
    installApp(name, id);
    const auto entry = Plist::dictionary({{"Type", Plist::string("PSToggleSwitchSpecifier")},
                                          {"Key", Plist::string(key)},
                                          {"Title", Plist::string(key)}});
    device.writePlist("/Applications/" + name + ".app/Settings.bundle/Root.plist",
                      Plist::dictionary({{"PreferenceSpecifiers", Plist::array({entry})}}));
  }
  static Plist appRecord(const std::string& name, const std::string& id) {
    return Plist::dictionary(
        {{"identifier", Plist::string(id)},
         {"name", Plist::string(name)},
         {"path", Plist::string("/Applications/" + name + ".app/Settings.bundle")},
         {"specifier", Plist::string(id)}});
  }
  static Plist taggedSettings() {
    return Plist::dictionary()
        .withPath({"folder", "DO_NOT_DISTURB"}, Plist::string("Settings"))
        .withPath({"tag", "PSUIPrefsListController", "WIFI"}, red())
        .withPath({"tag", "PSUIPrefsListController", "General"},
                  Plist::dictionary({{"Red", Plist::boolean(false)}}))
        .withPath({"tag", "folderController", "DO_NOT_DISTURB"}, red())
        .withPath({"tag", "ExtrasPage", "lamp"}, red())
        .withPath({"tag", "PSAppListController", "sync"}, red())
        .withPath({"tag", "PSAppListController", "units"}, red())
        .withPath({"tag", "PSUIDisplayController", "TEXT_SIZE"}, red())
        .withPath({"tag", "GonePage", "x"}, red())
        .withPath({"bundles", "ExtrasPage"},
                  Plist::dictionary({{"name", Plist::string("Extras")},
                                     {"path", Plist::string(kBundlePath)},
                                     {"specifier", Plist::string("EXTRAS")}}))
        .withPath(
            {"bundles", "GonePage"},
            Plist::dictionary({{"path", Plist::string("/Library/PreferenceBundles/Gone.bundle")}}))
        .withPath({"bundles", "PSAppListController"}, appRecord("Notes", "com.x.notes"))
        .withPath({"bundles", "PSAppListController-1"}, appRecord("Maps", "com.x.maps"))
        .withPath({"bundles", "PSAppListController-2"}, appRecord("Notes", "com.x.notes"));
  }

  // A tap on the main list's title.
  std::shared_ptr<catogoriesListView> openFilter() {
    host::send<hooks::tagview::Tapped>(main(), nullptr);
    settle();
    return stage().categoriesList;
  }
  // Opens the filter and chooses the row named so.
  void choose(const std::string& name) {
    const auto list = openFilter();
    ASSERT_TRUE(list && list->isShow());
    for (const auto& row : list->tags()) {
      if (row->getName() == name) {
        host::TouchInjector(app->window()).tap(centreOf(*row));
        settle();
        EXPECT_FALSE(list->isShow());
        return;
      }
    }
    FAIL() << "no row " << name;
  }
  host::CGPoint centreOf(const host::UIView& view) const {
    const auto frame = view.convertRectToView(view.bounds(), nullptr);
    return {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
  }
};

TEST_F(TagFilterTest, ATagGathersItsCellsFromEveryPageAndRowZeroBringsTheListBack) {
  writeSettings(taggedSettings());
  launch();
  const std::string full = rows(*main());
  const auto before = main()->specifiers();

  choose("Red");
  EXPECT_EQ(main()->title(), "Red");
  EXPECT_TRUE(stage().isInTagView);
  // Pages by key in the file's order; the main list's own cells and the folder's together,
  // without a title row; each app under its own name.
  EXPECT_EQ(rows(*main()), "<Extras>,lamp|<Notes>,sync|<Maps>,units|WIFI,DO_NOT_DISTURB|");
  EXPECT_EQ(logCount("Could not load 'PSUIDisplayController'"), 1);
  EXPECT_EQ(logCount("Couldn't load bundle at path /Library/PreferenceBundles/Gone.bundle"), 1);
  EXPECT_EQ(stage().categoriesList->targets().size(), 3u);

  // The pages built stay while a tag is chosen: the same cells come back for Red.
  const auto redCells = main()->specifiers();
  choose("Orange");
  EXPECT_EQ(rows(*main()), "");
  EXPECT_EQ(stage().categoriesList->targets().size(), 3u);
  choose("Red");
  ASSERT_EQ(main()->specifiers().size(), redCells.size());
  EXPECT_EQ(main()->specifierForID("sync"), redCells[4]);

  choose("Settings");
  EXPECT_EQ(main()->title(), "Settings");
  EXPECT_FALSE(stage().isInTagView);
  EXPECT_EQ(rows(*main()), full);
  EXPECT_EQ(main()->specifiers(), before);
  EXPECT_TRUE(stage().categoriesList->targets().empty());
}

TEST_F(TagFilterTest, TheSameTagTwiceChangesNothingAndATagWithoutCellsEmptiesTheList) {
  writeSettings(taggedSettings());
  launch();
  const auto before = main()->specifiers();
  choose("Settings");  // nothing chosen yet: only the title is set
  EXPECT_EQ(main()->specifiers(), before);

  choose("Red");
  const auto filtered = main()->specifiers();
  const auto logged = host::Log::lines().size();
  choose("Red");
  EXPECT_EQ(main()->specifiers(), filtered);
  EXPECT_EQ(host::Log::lines().size(), logged);

  choose("Blue");
  EXPECT_TRUE(main()->specifiers().empty());
  EXPECT_EQ(main()->title(), "Blue");
  choose("Settings");
  EXPECT_EQ(main()->specifiers(), before);
}

// Row 0 is the first row, whatever the tags are called: a tag may bear the main list's title.
TEST_F(TagFilterTest, ATagNamedAfterTheTitleFiltersLikeAnyOther) {
  writeSettings(taggedSettings()
                    .with("firstTime", Plist::boolean(true))
                    .withPath({"tags", "0", "name"}, Plist::string("Settings"))
                    .withPath({"tag", "PSUIPrefsListController", "Privacy"},
                              Plist::dictionary({{"Settings", Plist::boolean(true)}})));
  launch();
  const std::string full = rows(*main());
  const auto list = openFilter();
  ASSERT_EQ(list->tags().size(), 2u);
  host::TouchInjector(app->window()).tap(centreOf(*list->tags()[1]));
  settle();
  EXPECT_EQ(rows(*main()), "Privacy|");
  choose("Settings");  // the first row of that name: row 0
  EXPECT_EQ(rows(*main()), full);
}

// A reload of the main list while it is filtered puts its full cells back; the filter then
// starts again from those.
TEST_F(TagFilterTest, AListReloadedUnderTheFilterIsFilteredAgainAndRestoredFromTheReload) {
  writeSettings(taggedSettings());
  launch();
  choose("Red");
  main()->reloadSpecifiers();
  settle();
  EXPECT_FALSE(stage().isInTagView);
  const std::string full = rows(*main());
  ASSERT_NE(full.find("AIRPLANE_MODE"), std::string::npos);

  choose("Red");
  EXPECT_EQ(rows(*main()).find("AIRPLANE_MODE"), std::string::npos);
  EXPECT_TRUE(stage().isInTagView);
  choose("Settings");
  EXPECT_EQ(rows(*main()), full);
}

TEST_F(TagFilterTest, FilteredRowsKeepTheirGuards) {
  writeSettings(taggedSettings()
                    .with("password", Plist::string("1234"))
                    .withPath({"tag", "ExtrasPage", "secret"}, red())
                    .withPath({"tag", "ExtrasPage", "off"}, red())
                    .withPath({"passcode", "ExtrasPage", "secret"}, Plist::integer(1))
                    .withPath({"enabled", "ExtrasPage", "off"}, Plist::boolean(false))
                    .withPath({"class", "secret"}, Plist::string("ExtrasPage"))
                    .withPath({"class", "off"}, Plist::string("ExtrasPage")));
  launch();
  choose("Red");
  const auto tapRow = [this](const std::string& id) {
    const auto path = main()->indexPathForSpecifier(main()->specifierForID(id).get());
    ASSERT_TRUE(path) << id;
    host::UITableViewTestApi(main()->table()).tapRowAtIndexPath(*path);
    settle();
  };
  tapRow("off");
  EXPECT_EQ(navigation().viewControllers().size(), 1u);
  EXPECT_FALSE(stage().passcodeView && stage().passcodeView->isShow());
  tapRow("secret");
  EXPECT_EQ(navigation().viewControllers().size(), 1u);
  ASSERT_TRUE(stage().passcodeView);
  EXPECT_TRUE(stage().passcodeView->isShow());
}

TEST_F(TagFilterTest, TheListOpensOnlyUprightUnderAFullBarAndShowsTheTitleAndTags) {
  writeSettings(
      Plist::dictionary({{"firstTime", Plist::boolean(true)}, {"tags", Plist::dictionary()}}));
  launch();
  const auto& bar = navigation().navigationBar();
  auto frame = bar->frame();
  frame.size.height = stage().original - 10;
  bar->setFrame(frame);
  EXPECT_FALSE(openFilter());
  frame.size.height = stage().original;
  bar->setFrame(frame);

  host::UIApplication::sharedApplication()->setStatusBarOrientation(
      host::UIInterfaceOrientationLandscapeLeft);
  EXPECT_FALSE(openFilter());
  host::UIApplication::sharedApplication()->setStatusBarOrientation(
      host::UIInterfaceOrientationPortrait);

  const auto list = openFilter();
  ASSERT_TRUE(list);
  ASSERT_EQ(list->tags().size(), 1u);
  EXPECT_EQ(list->tags()[0]->getName(), "Settings");
  EXPECT_FALSE(list->nope()->isHidden());
}

TEST_F(TagFilterTest, Pictures) {
  writeSettings(taggedSettings());
  launch();
  openFilter();
  EXPECT_SNAPSHOT(app->window(), "filter_list");
  choose("Red");
  EXPECT_SNAPSHOT(app->window(), "filtered_main_list");
}

}  // namespace
}  // namespace vorlan::test
