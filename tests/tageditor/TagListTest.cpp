#include <gtest/gtest.h>

#include "foundation/Shell.h"
#include "tageditor/TagPanelTest.h"
#include "tags/tagConfigurationView.h"

namespace vorlan {
namespace {

using host::Plist;

class TagList : public test::TagPanelTest {
 protected:
  void SetUp() override {
    TagPanelTest::SetUp();
    host::Shell::clearCommands();
  }
  // The stored tag names, in key order; fails the case when the keys are not "0" upward.
  std::vector<std::string> storedNames() const {
    const Plist tags = stored().get("tags");
    std::vector<std::string> names;
    for (std::size_t key = 0; key < tags.size(); ++key) {
      const Plist record = tags.get(std::to_string(key));
      EXPECT_TRUE(record.isDictionary()) << "no tag under key " << key;
      names.push_back(nameOf(record));
    }
    return names;
  }
  static std::vector<std::string> defaultNames() {
    return {"Red", "Orange", "Yellow", "Green", "Blue", "Violet", "Home", "Important", "Work"};
  }
};

TEST_F(TagList, AddDeleteAndResetChangeTheFileAtOnceWithDenseKeys) {
  // A first opening writes the default tags.
  store(Plist::dictionary().withPath(
      {"tag", "PSUIPrefsListController", "GENERAL"},
      Plist::dictionary().with("Red", Plist::boolean(true)).with("Blue", Plist::boolean(true))));
  open();
  EXPECT_EQ(storedNames(), defaultNames());
  ASSERT_EQ(panel->table()->numberOfRowsInSection(0), 11);
  auto& table = *panel->table();
  EXPECT_TRUE(panel->tableViewCanEditRowAtIndexPath(table, {0, 8}));
  EXPECT_FALSE(panel->tableViewCanEditRowAtIndexPath(table, {0, 9}));
  EXPECT_FALSE(panel->tableViewCanEditRowAtIndexPath(table, {0, 10}));

  // Three additions take the first free names and white with a grey border, without the sign.
  tap("Add");
  tap("Add");
  tap("Add");
  auto names = defaultNames();
  names.insert(names.end(), {"New", "New-1", "New-2"});
  EXPECT_EQ(storedNames(), names);
  EXPECT_EQ(rowTitles(), names);
  EXPECT_EQ(storedTag(11).get("fill_color"), Plist::string("FFFFFF"));
  EXPECT_EQ(storedTag(11).get("border_color"), Plist::string("ABABAB"));

  // A tap beside a row's delete button only puts the button away.
  swipe("Red");
  tap("Orange");
  EXPECT_FALSE(panel->table()->indexPathForDeleteConfirmation());
  EXPECT_EQ(panel->configurationView()->frame().origin.x, panel->table()->frame().width() + 2);

  // Deleting the first tag moves every other one down a key and takes its assignments away.
  swipeAndDelete("Red");
  names.erase(names.begin());
  EXPECT_EQ(storedNames(), names);
  EXPECT_EQ(rowTitles(), names);
  EXPECT_EQ(stored().getPath({"tag", "PSUIPrefsListController", "GENERAL"}),
            Plist::dictionary().with("Blue", Plist::boolean(true)));

  // "No" leaves everything; "Yes" erases the tags and their assignments and restarts.
  tap("Reset");
  const auto resetAlert = shownAlert();
  ASSERT_NE(resetAlert, nullptr);
  EXPECT_EQ(resetAlert->title(), "Reset");
  EXPECT_EQ(resetAlert->message(),
            "This will erase all tags, restore the defaults and perform a Respring. Do you want "
            "to continue?");
  alert("No");
  EXPECT_EQ(storedNames(), names);
  EXPECT_TRUE(host::Shell::commands().empty());

  tap("Reset");
  alert("Yes");
  EXPECT_FALSE(stored().contains("tags"));
  EXPECT_FALSE(stored().contains("tag"));
  EXPECT_FALSE(stored().contains("firstTime"));
  EXPECT_EQ(host::Shell::commands(), std::vector<std::string>{"killall -HUP SpringBoard"});
  EXPECT_EQ(rowTitles(), defaultNames()) << "the list shows what comes back after the restart";

  // The next opening writes the defaults again.
  skyView::dismissAllShape(false);
  open();
  EXPECT_EQ(storedNames(), defaultNames());
}

TEST_F(TagList, ANewTagSkipsEveryNameTakenInAnyLetterCase) {
  store(
      Plist::dictionary()
          .with("firstTime", Plist::boolean(true))
          .with("tags", Plist::dictionary()
                            .with("0", Plist::dictionary().with("name", Plist::string("new")))
                            .with("1", Plist::dictionary().with("name", Plist::string("NEW-1")))));
  open();
  tap("Add");
  EXPECT_EQ(storedNames(), (std::vector<std::string>{"new", "NEW-1", "New-2"}));
}

}  // namespace
}  // namespace vorlan
