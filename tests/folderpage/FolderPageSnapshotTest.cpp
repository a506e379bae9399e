#include <gtest/gtest.h>

#include "FolderPageTestSupport.h"
#include "support/Snapshot.h"
#include "uikit/UIWindow.h"

namespace vorlan::test {
namespace {

using FolderPageSnapshot = FolderPageTest;

// The three pictures in one launch: a folder page with its rows, its sort page, and an empty
// folder's hint.
TEST_F(FolderPageSnapshot, RowsSortPageAndEmptyHint) {
  writeFolders({{"WIFI", Plist::string("Apps")}, {"General", Plist::string("Apps")}},
               {{"General", Plist::string("0")}, {"WIFI", Plist::string("1")}});
  launch();
  const auto folder = openFolder("Apps");
  ASSERT_TRUE(folder);
  EXPECT_SNAPSHOT(app->window(), "rows");

  folder->showSortToFolder();
  host::RunLoop::main().advance(1);
  EXPECT_SNAPSHOT(app->window(), "sort");
  folder->dismissViewControllerAnimated(false);
  navigation().popViewControllerAnimated(false);
  settle();

  ASSERT_TRUE(openFolder("Cydia"));
  EXPECT_SNAPSHOT(app->window(), "empty");
}

}  // namespace
}  // namespace vorlan::test
