#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SupportImages.h"
#include "config/ListPanelTest.h"
#include "config/disabledSkyView.h"
#include "config/hiddenSkyView.h"
#include "config/vorlanConfiguarationScrollView.h"
#include "menu/VLButtonSpecifier.h"
#include "panels/passcodeSkyView.h"
#include "panels/shapeSkyView.h"
#include "support/Snapshot.h"
#include "uikit/UIButton.h"
#include "uikit/UIColor.h"
#include "uikit/UILabel.h"
#include "uikit/UIViewController.h"

namespace vorlan {
namespace {

using host::Plist;
using Page = vorlanConfiguarationScrollView;

// The page open at the right of a 375 x 667 window, the app's root view slid aside as the gear
// leaves it, on a device with the support images and no settings.
class ConfigurationPage : public test::ListPanelTest {
 protected:
  void SetUp() override {
    ListPanelTest::SetUp();
    std::string error;
    ASSERT_TRUE(SupportImages::install(device.fs(), &error)) << error;
    store(Plist::dictionary());
    window->setBackgroundColor(host::UIColor::colorWithRed(0.15, 0.16, 0.2, 1));

    auto root = std::make_shared<host::UIViewController>();
    window->setRootViewController(root);
    root->view()->setBackgroundColor(host::UIColor::colorWithWhite(0.94, 1));
    root->view()->setFrame({-300, 0, 375, 667});
    page = Page::make({75, 0, 300, 667});
    window->addSubview(page);
    window->sendSubviewToBack(page);
    page->animatedViewsForAnimationWithDuration(0.5, 0.05);
    wait(1);
  }

  void tapEntry(Page::Entry which) {
    finger->tap(centreOf(page->entry(which)));
    wait(1.5);
  }
  void type(const std::shared_ptr<passcodeSkyView>& keypad, const std::string& digits) {
    for (const char digit : digits) {
      for (const auto& key : keypad->buttons()) {
        if (key->accessibilityLabel() == std::string(1, digit)) finger->tap(centreOf(key));
      }
      wait(0.15);
    }
  }
  // The balloon's frame in the window.
  host::CGRect balloonOf(const std::shared_ptr<skyView>& panel) const {
    return panel->shape()->convertRectToView(panel->shape()->bounds(), window.get());
  }

  std::shared_ptr<Page> page;
};

TEST_F(ConfigurationPage, SevenEntriesInOrderUnderTheTitleFadeInAndHaveNoHelpToShow) {
  const std::vector<std::string> titles = {"Hidden",   "Passcode", "Tags", "Folders",
                                           "Position", "Disabled", "Info"};
  for (std::size_t i = 0; i < Page::Count; ++i) {
    const auto& entry = page->entry(static_cast<Page::Entry>(i));
    EXPECT_EQ(entry->getLabel()->text(), titles[i]);
    EXPECT_EQ(entry->accessibilityLabel(), titles[i]);
    EXPECT_EQ(entry->frame(), host::CGRectMake(0, 78 + 135.0 * static_cast<double>(i), 300, 135));
    EXPECT_EQ(entry->alpha(), 1) << titles[i] << " faded in";
    // A line parts each entry from the next; the last has none.
    EXPECT_EQ(entry->bottomBorder()->isHidden(), i + 1 == Page::Count) << titles[i];
  }
  EXPECT_EQ(page->title()->alpha(), 1);
  EXPECT_SNAPSHOT(window, "configuration_page");

  // Held past the help delay, an entry only highlights, and still opens its panel on release.
  const auto& hidden = page->entry(Page::Hidden);
  finger->touchDown(centreOf(hidden));
  wait(1.2);
  EXPECT_EQ(hidden->info(), nullptr);
  EXPECT_EQ(page->hiddenSky(), nullptr);
  finger->touchUp(centreOf(hidden));
  wait(1);
  ASSERT_NE(page->hiddenSky(), nullptr);
  EXPECT_TRUE(page->hiddenSky()->isShow());

  page->resetViewsForAnimation();
  EXPECT_EQ(page->entry(Page::Credit)->alpha(), 0);
}

TEST_F(ConfigurationPage, APanelCoversTheRootViewAreaItsBalloonCentredUnderTheEntryAsScrolled) {
  page->setContentOffset({0, 50});
  tapEntry(Page::Hidden);
  const auto panel = page->hiddenSky();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->frame(), host::CGRectMake(0, 0, 375, 667));
  EXPECT_EQ(window->subviews().back(), panel);
  const host::CGRect entry =
      page->entry(Page::Hidden)
          ->convertRectToView(page->entry(Page::Hidden)->bounds(), window.get());
  // The balloon's top is one point below the middle of the entry as it shows on screen.
  EXPECT_EQ(balloonOf(panel), host::CGRectMake(47.5, entry.midY() + 1, 280, 333.5));

  // Opened again after more scrolling: the same panel, placed anew.
  panel->dismissShape(false);
  page->setContentOffset({0, 0});
  tapEntry(Page::Hidden);
  EXPECT_EQ(page->hiddenSky(), panel);
  EXPECT_EQ(balloonOf(panel).origin.y, 78 + 67.5 + 1);

  // Info takes the page's whole width, the others 20 points less.
  EXPECT_EQ(page->placementFor(Page::Credit, 375), host::CGRectMake(37.5, -71.5, 300, 333.5));
  EXPECT_EQ(page->placementFor(Page::Tags, 375), host::CGRectMake(47.5, -71.5, 280, 333.5));
}

TEST_F(ConfigurationPage, DisabledOpensItsListOnlyOnceTheRightPasscodeClosesTheKeypad) {
  // Without a passcode the keypad says how to set one, and nothing opens.
  page->setContentOffset({0, 400});
  tapEntry(Page::Disabled);
  const auto keypad = page->disabledPasscode();
  ASSERT_NE(keypad, nullptr);
  EXPECT_TRUE(keypad->isShow());
  EXPECT_FALSE(keypad->noPassword()->isHidden());
  keypad->dismissShape(false);

  store(Plist::dictionary()
            .with("password", Plist::string("1234"))
            .withPath({"enabled", "PSUIPrefsListController", "GENERAL"}, Plist::boolean(false))
            .withPath({"specs", "GENERAL"}, record("General")));
  tapEntry(Page::Disabled);
  EXPECT_TRUE(keypad->noPassword()->isHidden());
  type(keypad, "1234");
  EXPECT_FALSE(keypad->isShow());
  const auto list = page->disabledSky();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isShow()) << "opened as the keypad closes, not after its delay";
  wait(1);
  EXPECT_EQ(window->subviews().back(), list);
  EXPECT_EQ(balloonOf(list), balloonOf(keypad));
  EXPECT_EQ(list->array(), std::vector<std::string>{"GENERAL"});
}

// The keypad of the Passcode entry at each stage: a first passcode set after a mismatched
// confirmation, then changed after a wrong old one (the settings file is checked by the
// simulator's script of the same steps).
TEST_F(ConfigurationPage, PasscodeSetsAndChangesThePasscodeInStages) {
  tapEntry(Page::Passcode);
  const auto keypad = page->passcodeSky();
  ASSERT_NE(keypad, nullptr);
  EXPECT_EQ(keypad->status()->text(), "Enter your new passcode");
  EXPECT_SNAPSHOT(window, "passcode_new");
  type(keypad, "1234");
  wait(0.5);
  EXPECT_EQ(keypad->status()->text(), "Re enter your password");
  EXPECT_SNAPSHOT(window, "passcode_confirm");
  type(keypad, "1243");
  wait(1);
  EXPECT_EQ(keypad->status()->text(), "Error");
  EXPECT_SNAPSHOT(window, "passcode_error");
  type(keypad, "1234");
  wait(1);
  EXPECT_FALSE(keypad->isShow());

  tapEntry(Page::Passcode);
  EXPECT_EQ(page->passcodeSky(), keypad);
  EXPECT_EQ(keypad->status()->text(), "Enter your old passcode");
  EXPECT_SNAPSHOT(window, "passcode_old");
  type(keypad, "4321");
  wait(1);
  EXPECT_EQ(keypad->status()->text(), "Wrong password");
  EXPECT_SNAPSHOT(window, "passcode_wrong");
  type(keypad, "1234");
  wait(0.5);
  EXPECT_EQ(keypad->status()->text(), "Enter your new password");
  EXPECT_SNAPSHOT(window, "passcode_changing");
}

}  // namespace
}  // namespace vorlan
