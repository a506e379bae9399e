#include <gtest/gtest.h>

#include "CellMenuTestSupport.h"
#include "panels/passcodeSkyView.h"

namespace vorlan::test {
namespace {

class CellMenuPasscodeTest : public CellMenuTest {
 protected:
  bool keypadShows() const {
    const auto keypad = std::dynamic_pointer_cast<passcodeSkyView>(stage().passcodeView);
    return keypad && keypad->isShow();
  }
};

TEST_F(CellMenuPasscodeTest, EnableDisableAndPasscodeChangeTheFileOnlyWithTheRightPasscode) {
  launchWithMenu();
  VLPreferencesManager::sharedInstance()->savePassword("1234");
  auto page = push({group(), cell("a")});
  // A cell added after the page was written carries no "enabled" mark: it counts as enabled.
  auto fresh = cell("fresh");
  page->addSpecifier(fresh);
  target(page, "fresh");
  tap("Disable");
  ASSERT_TRUE(keypadShows());
  typePasscode("4321");
  EXPECT_TRUE(stored("enabled", "TestSubPage", "fresh").isNone());
  EXPECT_EQ(recording->closed, 0);
  EXPECT_TRUE(keypadShows());

  typePasscode("1234");
  EXPECT_EQ(stored("enabled", "TestSubPage", "fresh"), Plist::boolean(false));
  EXPECT_EQ(fresh->propertyForKey("enabled"), Plist::boolean(false));
  EXPECT_EQ(recording->closed, 1);
  EXPECT_FALSE(keypadShows());

  target(page, "fresh");
  tap("Enable");
  typePasscode("1234");
  EXPECT_EQ(stored("enabled", "TestSubPage", "fresh"), Plist::boolean(true));

  // Passcode protects an unprotected cell and lifts the protection of a protected one.
  target(main(), "WIFI");
  tap("Passcode");
  typePasscode("1234");
  EXPECT_EQ(stored("passcode", kMain, "WIFI"), Plist::integer(1));
  target(main(), "WIFI");
  tap("Passcode");
  typePasscode("1234");
  EXPECT_EQ(stored("passcode", kMain, "WIFI"), Plist::integer(0));
  EXPECT_EQ(recording->closed, 4);
}

TEST_F(CellMenuPasscodeTest, WithoutAStoredPasscodeTheKeypadIsCoveredAndNothingChanges) {
  launchWithMenu();
  target(main(), "WIFI");
  tap("Disable");
  ASSERT_TRUE(keypadShows());
  const auto keypad = std::dynamic_pointer_cast<passcodeSkyView>(stage().passcodeView);
  EXPECT_FALSE(keypad->noPassword()->isHidden());
  EXPECT_EQ(keypad->noPassword()->text(),
            "Set up your password by tapping on the gear at the top and then click 'Password'");
  typePasscode("0000");
  EXPECT_TRUE(stored("enabled", kMain, "WIFI").isNone());
  EXPECT_EQ(recording->closed, 0);
}

}  // namespace
}  // namespace vorlan::test
