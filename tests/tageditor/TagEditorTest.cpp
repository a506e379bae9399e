#include <gtest/gtest.h>

#include "tageditor/TagPanelTest.h"
#include "tags/tagColorView.h"
#include "tags/tagConfigurationView.h"
#include "uikit/UITextField.h"

namespace vorlan {
namespace {

using host::Plist;

class TagEditor : public test::TagPanelTest {
 protected:
  void SetUp() override {
    TagPanelTest::SetUp();
    // The default tags, with "Work" given to one cell of the main list and one of an app page.
    store(Plist::dictionary()
              .with("firstTime", Plist::boolean(true))
              .with("tags", VLPreferencesManager::defaultTags())
              .withPath({"tag", "PSUIPrefsListController", "GENERAL"}, workAssignment())
              .withPath({"tag", "PSAppListController", "MAPS"}, workAssignment()));
    open();
  }
  static Plist workAssignment() {
    return Plist::dictionary()
        .with("Work", Plist::boolean(true))
        .with("Red", Plist::boolean(false));
  }
  bool editorShown() const { return panel->configurationView()->frame().origin.x == 0; }
  // Every cell's tag names, as stored.
  std::vector<std::string> assignedNames(const char* page, const char* cell) const {
    std::vector<std::string> names;
    const Plist cellTags = stored().getPath({"tag", page, cell});
    for (const auto& [name, value] : cellTags.entries())
      names.push_back(name);
    return names;
  }
};

TEST_F(TagEditor, RenameAcceptsACaseChangeRefusesATakenNameAndMovesAssignments) {
  tap("Work");
  ASSERT_TRUE(editorShown());
  EXPECT_EQ(panel->configurationView()->field()->text(), "Work");

  // The same word in lower case is no clash with the tag's own name.
  tap("Work");  // the name field
  type("\b\b\b\bwork\n");
  tap("Save");
  EXPECT_EQ(shownAlert(), nullptr);
  EXPECT_FALSE(editorShown());
  EXPECT_EQ(storedName(8), "work");
  EXPECT_EQ(assignedNames("PSUIPrefsListController", "GENERAL"),
            (std::vector<std::string>{"Red", "work"}));
  EXPECT_EQ(assignedNames("PSAppListController", "MAPS"),
            (std::vector<std::string>{"Red", "work"}));
  EXPECT_EQ(rowTitles().back(), "work") << "the row shows the new name once the editor is gone";

  // The name of another tag, in any letter case, is refused and nothing changes.
  tap("work");
  tap("work");
  type("\b\b\b\bhome\n");
  const Plist before = stored();
  tap("Save");
  auto error = shownAlert();
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->title(), "Error");
  EXPECT_EQ(error->message(), "This name already exists try with one other");
  alert("OK");
  EXPECT_TRUE(editorShown());
  EXPECT_EQ(stored(), before);

  // An empty name does nothing at all; Cancel leaves the row as it was.
  tap("home");
  type("\b\b\b\b\n");
  tap("Save");
  EXPECT_EQ(shownAlert(), nullptr);
  EXPECT_TRUE(editorShown());
  tap("Cancel");
  EXPECT_FALSE(editorShown());
  EXPECT_EQ(stored(), before);
  EXPECT_EQ(rowTitles().back(), "work");

  // Closing the panel while the name is being typed takes the keyboard away with it.
  tap("work");
  tap("work");
  ASSERT_TRUE(host::Keyboard::isVisible());
  finger->tap({20, 20});
  settle();
  EXPECT_FALSE(panel->isShow());
  EXPECT_FALSE(host::Keyboard::isVisible());
}

TEST_F(TagEditor, TheDotMarksTheTagsSwatchAndAChosenSwatchIsStoredWithItsSign) {
  const auto& picker = panel->configurationView()->colorView();
  tap("Red");
  EXPECT_EQ(picker->dotPosition(), 0);
  EXPECT_EQ(picker->dot()->center(), picker->getViewCenterByPosition(0));
  // Position 0 is the top of the ring, 3 its bottom, 6 the centre.
  const host::CGRect bounds = picker->bounds();
  EXPECT_NEAR(picker->getViewCenterByPosition(0).y, 25, 1e-4);
  EXPECT_NEAR(picker->getViewCenterByPosition(3).y, bounds.height() - 25, 1e-4);
  tap("Cancel");

  // A tag added from the list stores its colours without the sign: the white swatch is still
  // found for it, and the stored colours stay as they are until a swatch is tapped.
  tap("Add");
  ASSERT_EQ(storedTag(9).get("fill_color"), Plist::string("FFFFFF"));
  skyView::dismissAllShape(false);
  open();
  tap("New");
  EXPECT_EQ(picker->dotPosition(), tagColorView::kCentre);
  EXPECT_EQ(picker->dot()->alpha(), 1);
  EXPECT_EQ(picker->selectedFillColor(), "FFFFFF");
  EXPECT_EQ(picker->selectedBorderColor(), "ABABAB");

  tap("Blue colour");
  EXPECT_EQ(picker->dotPosition(), 4);
  EXPECT_EQ(picker->dot()->center(), picker->getViewCenterByPosition(4));
  tap("Save");
  EXPECT_EQ(storedTag(9).get("fill_color"), Plist::string("#54BEF7"));
  EXPECT_EQ(storedTag(9).get("border_color"), Plist::string("#34B1F5"));

  // A colour that is no swatch's (a file edited by hand) leaves no dot on another colour.
  picker->starterColor("#123456");
  EXPECT_EQ(picker->dotPosition(), std::nullopt);
  EXPECT_EQ(picker->dot()->alpha(), 0);
}

}  // namespace
}  // namespace vorlan
