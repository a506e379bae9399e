#include <gtest/gtest.h>

#include "support/Snapshot.h"
#include "tageditor/TagPanelTest.h"

namespace vorlan {
namespace {

using host::Plist;

class TagSnapshot : public test::TagPanelTest {};

TEST_F(TagSnapshot, TheListAndTheEditor) {
  store(Plist::dictionary()
            .with("firstTime", Plist::boolean(true))
            .with("tags", VLPreferencesManager::defaultTags()));
  open();
  EXPECT_SNAPSHOT(window, "tag_list");
  ASSERT_TRUE(reveal("Reset"));
  EXPECT_SNAPSHOT(window, "tag_list_end");
  tap("Orange");
  EXPECT_SNAPSHOT(window, "tag_editor");
}

}  // namespace
}  // namespace vorlan
