#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "SupportImages.h"
#include "config/ListPanelTest.h"
#include "panels/shapeSkyView.h"
#include "preferences/PSListController.h"
#include "preferences/PSSpecifier.h"
#include "support/Snapshot.h"
#include "tags/tagRoundView.h"
#include "tags/tagView.h"
#include "tags/tagsSkyView.h"
#include "uikit/UILabel.h"
#include "uikit/UIScrollView.h"

namespace vorlan {
namespace {

using host::Plist;

// The assignment panel opened from the menu's Tag button for a cell of a plain list page, whose
// controller key is "PSListController".
class TagAssignment : public test::ListPanelTest {
 protected:
  void SetUp() override {
    ListPanelTest::SetUp();
    std::string error;
    ASSERT_TRUE(SupportImages::install(device.fs(), &error)) << error;
    page = std::make_shared<host::PSListController>();
    wifi = host::PSSpecifier::specifier("WIFI", "Wi-Fi");
    general = host::PSSpecifier::specifier("General", "General");
    page->setSpecifiers({host::PSSpecifier::emptyGroupSpecifier(), wifi, general});
  }

  void open(const std::shared_ptr<host::PSSpecifier>& cell) {
    if (!panel) panel = tagsSkyView::make(window->frame());
    panel->setSpecifier(cell, page);
    window->addSubview(panel);
    // Where the menu's Tag button places it on this screen.
    panel->showFromRect({207.5, 165, 167.5, 83.5}, {105, -51.75, 259, 333.5});
    wait(1);
  }
  void tapChip(const std::shared_ptr<host::UIView>& chip) {
    finger->tap(centreOf(chip));
    wait(1);
  }
  Plist tagsOf(const std::string& id) const {
    return stored().getPath({"tag", "PSListController", id});
  }
  static Plist given(std::initializer_list<const char*> names) {
    auto tags = Plist::dictionary();
    for (const char* name : names)
      tags = tags.with(name, Plist::boolean(true));
    return tags;
  }

  std::shared_ptr<host::PSListController> page;
  std::shared_ptr<host::PSSpecifier> wifi, general;
  std::shared_ptr<tagsSkyView> panel;
};

TEST_F(TagAssignment, GivingAndTakingRedIsSavedAtOnceAndMovesTheChips) {
  store(Plist::dictionary());
  open(wifi);
  ASSERT_EQ(panel->tags().size(), 9u);
  EXPECT_EQ(panel->title()->text(), "Assign tag to 'Wi-Fi'");
  const auto& red = panel->tags()[0];
  const auto& orange = panel->tags()[1];
  const auto& redChip = panel->taggeds()[0];
  // The first row starts right at the bottom of the box under the title.
  EXPECT_EQ(red->frame().origin.y, 68);
  EXPECT_EQ(orange->frame().origin.y, 113);

  tapChip(red);
  EXPECT_EQ(tagsOf("WIFI"), given({"Red"}));
  EXPECT_EQ(red->alpha(), 0);
  EXPECT_EQ(redChip->alpha(), 1);
  EXPECT_EQ(redChip->frame().origin.x, 3);
  EXPECT_EQ(orange->frame().origin.y, 68);
  EXPECT_EQ(redChip->accessibilityLabel(), "Red");

  tapChip(redChip);
  EXPECT_EQ(tagsOf("WIFI"), Plist::dictionary().with("Red", Plist::boolean(false)));
  EXPECT_EQ(red->alpha(), 1);
  EXPECT_EQ(redChip->alpha(), 0);
  EXPECT_EQ(red->frame().origin.y, 68);
  EXPECT_EQ(orange->frame().origin.y, 113);

  // A touch that leaves the row before it lifts only takes the highlight away.
  const auto centre = centreOf(orange);
  finger->touchDown(centre);
  wait(0.2);
  finger->touchMove({centre.x, centre.y + 300});
  finger->touchUp({centre.x, centre.y + 300});
  wait(1);
  EXPECT_FALSE(tagsOf("WIFI").contains("Orange"));
  EXPECT_EQ(orange->alpha(), 1);
}

TEST_F(TagAssignment, RoundChipsWrapInsideTheBoxAndTheRowsFollowIt) {
  store(Plist::dictionary().withPath(
      {"tag", "PSListController", "WIFI"},
      given({"Red", "Orange", "Yellow", "Green", "Blue", "Violet", "Home", "Important"})));
  open(wifi);
  const double boxWidth = panel->container()->frame().size.width;
  double lastY = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const auto frame = panel->taggeds()[i]->frame();
    EXPECT_EQ(panel->taggeds()[i]->alpha(), 1);
    EXPECT_LT(frame.origin.x + frame.size.width + 3, boxWidth) << i;
    EXPECT_EQ(std::fmod(frame.origin.y - 3, 30), 0) << i;
    lastY = frame.origin.y;
  }
  ASSERT_GT(lastY, 3) << "eight chips fit on one row";
  const double boxHeight = panel->container()->frame().size.height;
  EXPECT_EQ(boxHeight, 33 + (lastY - 3));
  // Only Work is left as a row, right under the grown box.
  EXPECT_EQ(panel->tags()[8]->alpha(), 1);
  EXPECT_EQ(panel->tags()[8]->frame().origin.y, 30 + boxHeight + 5);

  // Bound to another cell, the same panel shows that cell's tags: none.
  open(general);
  EXPECT_EQ(panel->container()->frame().size.height, 33);
  for (const auto& row : panel->tags())
    EXPECT_EQ(row->alpha(), 1);
  EXPECT_EQ(panel->tags()[0]->frame().origin.y, 68);
}

TEST_F(TagAssignment, ChipsFollowTheTagTableAndWithoutTagsTheMessageShows) {
  store(Plist::dictionary({{"firstTime", Plist::boolean(true)}, {"tags", Plist::dictionary()}}));
  open(wifi);
  EXPECT_TRUE(panel->tags().empty());
  EXPECT_FALSE(panel->nope()->isHidden());
  EXPECT_EQ(panel->nope()->text(), "No tags");

  // A tag added since: the next binding offers it, and tapping it gives it.
  VLPreferencesManager::sharedInstance()->addTagWithName("Travel", "FFFFFF", "ABABAB");
  open(wifi);
  ASSERT_EQ(panel->tags().size(), 1u);
  EXPECT_TRUE(panel->nope()->isHidden());
  EXPECT_EQ(panel->tags()[0]->getName(), "Travel");
  tapChip(panel->tags()[0]);
  EXPECT_EQ(tagsOf("WIFI"), given({"Travel"}));
}

TEST_F(TagAssignment, Pictures) {
  store(Plist::dictionary());
  open(wifi);
  EXPECT_SNAPSHOT(window, "assign_none");
  store(Plist::dictionary().withPath({"tag", "PSListController", "WIFI"},
                                     given({"Red", "Blue", "Important"})));
  open(wifi);
  EXPECT_SNAPSHOT(window, "assign_three");
}

}  // namespace
}  // namespace vorlan
