#include <gtest/gtest.h>

#include "CellMenuTestSupport.h"

namespace vorlan::test {
namespace {

TEST_F(CellMenuTest, TheMenuFollowsTheCellItIsTargetedAt) {
  writeSettings(Plist::dictionary(
      {{"enabled",
        Plist::dictionary({{kMain, Plist::dictionary({{"WIFI", Plist::boolean(false)}})}})}}));
  launchWithMenu();
  target(main(), "General");
  EXPECT_TRUE(labelled("Disable"));
  target(main(), "WIFI");
  EXPECT_TRUE(labelled("Enable"));
  EXPECT_FALSE(labelled("Disable"));

  // A cell without an identifier cannot be acted on: only the message shows, even after the
  // fade-in, and its actions do nothing.
  auto anonymous = main()->specifierForID("DISPLAY");
  anonymous->setIdentifier("");
  menu->setSpecifier(anonymous, nullptr, main());
  menu->animatedViewsForAnimationWithDuration(0.1f, 0);
  settle();
  EXPECT_EQ(menu->errorLabel()->alpha(), 1);
  for (const char* title : {"Enable", "Passcode", "Tag", "Folder", "Hide", "Remove", "Position"})
    EXPECT_FALSE(labelled(title)) << title;
  menu->removeClicked();
  EXPECT_TRUE(main()->indexPathForSpecifier(anonymous.get()));
  EXPECT_EQ(recording->closed, 0);

  target(main(), "General");
  EXPECT_EQ(menu->errorLabel()->alpha(), 0);
  EXPECT_TRUE(labelled("Hide"));
}

TEST_F(CellMenuTest, HideRecordsTheCellAndRemoveOnlyTakesItOffUntilTheNextReload) {
  launchWithMenu();
  target(main(), "WIFI");
  tap("Hide");
  EXPECT_EQ(stored("hidden", kMain, "WIFI"), Plist::boolean(true));
  EXPECT_FALSE(main()->specifierForID("WIFI"));

  auto page = push({group(), cell("a"), cell("b"), cell("c")});
  target(page, "b");
  tap("Hide");
  target(page, "a");
  tap("Remove");
  EXPECT_EQ(rows(*page), "c");
  EXPECT_EQ(stored("hidden", "TestSubPage", "b"), Plist::boolean(true));
  EXPECT_TRUE(stored("hidden", "TestSubPage", "a").isNone());
  EXPECT_EQ(recording->closed, 3);
  page->reloadSpecifiers();
  EXPECT_EQ(rows(*page), "a,c");
}

std::shared_ptr<host::PSSpecifier> namedGroup(const std::string& identifier) {
  auto header = group(identifier);
  header->setIdentifier(identifier);
  return header;
}

TEST_F(CellMenuTest, AGroupLeftWithoutCellsGoesWithItsLastCell) {
  launchWithMenu();
  auto framed = namedGroup("framed");
  framed->setProperty(Plist::string("VLEmptyCell"), "headerCell");
  auto page = push({namedGroup("spacer"), namedGroup("one"), cell("a"), namedGroup("two"),
                    cell("b"), cell("c"), namedGroup("three"), cell("d"), framed, cell("e"),
                    namedGroup("last"), cell("f")});
  const auto headers = [&] {
    std::string out;
    for (const auto& item : page->specifiers())
      out += item->isGroup() ? item->identifier() + " " : "";
    return out;
  };
  target(page, "b");
  tap("Remove");
  EXPECT_EQ(headers(), "spacer one two three framed last ");
  // The only cell of a group takes its header along; a group that was empty before is left.
  target(page, "a");
  tap("Remove");
  EXPECT_EQ(headers(), "spacer two three framed last ");
  // Hidden, the header is recorded hidden too, also at the end of the page.
  target(page, "f");
  tap("Hide");
  EXPECT_EQ(headers(), "spacer two three framed ");
  EXPECT_EQ(stored("hidden", "TestSubPage", "last"), Plist::boolean(true));
  // A group followed by one that carries a header cell stays, unrecorded.
  target(page, "d");
  tap("Hide");
  EXPECT_EQ(headers(), "spacer two three framed ");
  EXPECT_TRUE(stored("hidden", "TestSubPage", "three").isNone());
  EXPECT_TRUE(stored("hidden", "TestSubPage", "spacer").isNone());
}

TEST_F(CellMenuTest, AnActionIsIgnoredWhileItsHelpPopupShows) {
  launchWithMenu();
  target(main(), "WIFI");
  const auto hide = centreOf(labelled("Hide"));
  host::TouchInjector finger(app->window());
  finger.touchDown(hide);
  host::RunLoop::main().advance(0.7);
  EXPECT_TRUE(menu->isShow());
  finger.touchUp(hide);
  settle();
  EXPECT_TRUE(main()->specifierForID("WIFI"));
  EXPECT_TRUE(stored("hidden", kMain, "WIFI").isNone());
  EXPECT_EQ(recording->closed, 0);
}

}  // namespace
}  // namespace vorlan::test
