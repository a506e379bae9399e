#include <gtest/gtest.h>

#include "PositionTestSupport.h"
#include "support/Snapshot.h"

namespace vorlan::test {
namespace {

constexpr const char* kMainRows =
    "AIRPLANE_MODE,WIFI,Bluetooth|NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB|"
    "General,DISPLAY,WALLPAPER,Privacy|com.x.notes";

// The main list's rows up to its app cells; the folder rows after them come with the first save.
std::string settingsRows(host::PSListController& page) {
  const std::string all = rows(page);
  const auto apps = all.find("|com.x.notes");
  return apps == std::string::npos ? all : all.substr(0, apps + 12);
}

TEST_F(PositionTest, ADropIsStoredAtOnceAndClosingMovesTheRowWhereAReloadPutsItToo) {
  launchWithMenu();
  const auto editor = openEditor(main(), "WIFI");
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->first(), (host::NSIndexPath{0, 2}));
  // Its row shows whole, also on this first opening, when the rows were copied into a table
  // that had no size yet; only it has a reorder control.
  const auto& table = editor->table();
  EXPECT_TRUE(table->bounds().containsRect(table->rectForRowAtIndexPath({0, 2})));
  for (const auto& row : table->visibleCells()) {
    const auto path = table->indexPathForCell(row.get());
    ASSERT_TRUE(path);
    EXPECT_EQ(row->showsReorderControl(), (*path == host::NSIndexPath{0, 2}))
        << row->textLabel()->text();
  }

  // Onto DISPLAY's row: stored at once, as the table counts it; the page waits for the close.
  drop(*editor, {2, 2});
  EXPECT_EQ(place(kMain, "WIFI"), placeAt(2, 2));
  EXPECT_EQ(settingsRows(*main()), kMainRows);

  editor->dismissShape(true);
  settle();
  constexpr const char* kMoved =
      "AIRPLANE_MODE,Bluetooth|NOTIFICATIONS_ID,CONTROL_CENTER,DO_NOT_DISTURB|"
      "General,WIFI,DISPLAY,WALLPAPER,Privacy|com.x.notes";
  EXPECT_EQ(settingsRows(*main()), kMoved);
  main()->reloadSpecifiers();
  settle();
  EXPECT_EQ(settingsRows(*main()), kMoved);
}

TEST_F(PositionTest, PlacesCountTheHeaderRowAsRowZeroUpToTheEndOfAGroupAndAboveTheFirstHeader) {
  launchWithMenu();
  // Into another group, past the rows it has once the cell has left its own.
  auto page = push({group(), cell("a"), cell("b"), cell("c"), group("two"), cell("d")});
  auto editor = openEditor(page, "c");
  drop(*editor, {1, 1}, true);
  EXPECT_EQ(place("TestSubPage", "c"), placeAt(1, 2));
  editor->dismissShape(false);
  EXPECT_EQ(rows(*page), "a,b|d,c");
  page->reloadSpecifiers();
  EXPECT_EQ(rows(*page), "a,b|d,c");

  // Above the first group's header row: the very top of the page, before the header.
  auto top = push({group(), cell("e"), cell("f")});
  editor = openEditor(top, "f");
  drop(*editor, {0, 0});
  EXPECT_EQ(place("TestSubPage", "f"), placeAt(0, 0));
  editor->dismissShape(false);
  ASSERT_FALSE(top->specifiers().empty());
  EXPECT_EQ(top->specifiers().front()->identifier(), "f");
  top->reloadSpecifiers();
  EXPECT_EQ(top->specifiers().front()->identifier(), "f");
}

TEST_F(PositionTest, ADropBackAtTheStartUndoesTheEarlierDropAndClosingUnmovedChangesNothing) {
  writeSettings(Plist::dictionary(
      {{"position",
        Plist::dictionary({{kMain, Plist::dictionary({{"General", placeAt(0, 1)}})}})}}));
  launchWithMenu();
  ASSERT_EQ(settingsRows(*main()).substr(0, 22), "General,AIRPLANE_MODE,");

  // Closing without a drop leaves the page and the file alone.
  const auto editor = openEditor(main(), "Bluetooth");
  editor->dismissShape(false);
  const std::string before = settingsRows(*main());
  EXPECT_EQ(settingsRows(*main()), before);
  EXPECT_TRUE(place(kMain, "Bluetooth").isNone());

  // Away and back: the copy follows the table, nothing is stored and the page keeps its order.
  openEditor(main(), "WIFI");
  drop(*editor, {2, 2});
  drop(*editor, {0, 3});
  EXPECT_EQ(editor->getSpecifierAtIndexPath({0, 3})->identifier(), "WIFI");
  EXPECT_EQ(editor->getSpecifierAtIndexPath({2, 2})->identifier(), "WALLPAPER");
  EXPECT_FALSE(editor->moved());
  EXPECT_TRUE(place(kMain, "WIFI").isNone());
  editor->dismissShape(false);
  EXPECT_EQ(settingsRows(*main()), before);

  // A cell moved earlier gets its earlier place back.
  openEditor(main(), "General");
  EXPECT_EQ(editor->first(), (host::NSIndexPath{0, 1}));
  drop(*editor, {1, 1});
  EXPECT_EQ(place(kMain, "General"), placeAt(1, 1));
  drop(*editor, {0, 1});
  EXPECT_EQ(place(kMain, "General"), placeAt(0, 1));
  editor->dismissShape(false);
  EXPECT_EQ(settingsRows(*main()), before);
}

TEST_F(PositionTest, SnapshotMidMove) {
  launchWithMenu();
  const auto editor = openEditor(main(), "WIFI");
  host::RunLoop::main().advance(1.0);
  // Held over CONTROL_CENTER's row, which has made way for it.
  dragOver(*editor, {1, 2});
  host::RunLoop::main().advance(0.5);
  EXPECT_SNAPSHOT(app->window(), "editor_mid_move");
  host::UITableViewTestApi(editor->table()).endReordering();
}

}  // namespace
}  // namespace vorlan::test
