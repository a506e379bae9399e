#include <gtest/gtest.h>

#include "FolderTestSupport.h"
#include "panels/shapeSkyView.h"
#include "support/Snapshot.h"
#include "uikit/UIScrollView.h"

namespace vorlan::test {
namespace {

// The picker's balloon: the strip for a main-list cell, the strip in editing mode, and a tile in
// personalize mode on its icon page and on its name page.
TEST_F(FolderTest, Snapshots) {
  launchWithMenu();
  auto picker = pick(main(), "WIFI");
  turnTo(picker, tile(picker, "CYDIA"));
  settle();
  EXPECT_SNAPSHOT(picker->shape(), "picker");

  auto panel = edit();
  turnTo(panel, tile(panel, "APPS"));
  settle();
  EXPECT_SNAPSHOT(panel->shape(), "editing");

  auto apps = tile(panel, "APPS");
  press(apps);
  settle();
  EXPECT_SNAPSHOT(panel->shape(), "personalize-icon");
  const auto& pages = apps->editingScroll();
  pages->setContentOffset({pages->frame().size.width, 0});
  settle();
  EXPECT_SNAPSHOT(panel->shape(), "personalize-name");
}

}  // namespace
}  // namespace vorlan::test
